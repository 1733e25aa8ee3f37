#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zv {

// Text is UTF-8 std::string in the engine and QString only inside windows;
// these are the only crossing points.
inline QString ToQ(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The program's own texts, written as UTF-8 literals in the code.
inline QString U8(const char* text) {
    return QString::fromUtf8(text);
}

inline std::string ToUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace zv
