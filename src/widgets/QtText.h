#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zv {

// Text is UTF-8 std::string in the engine and QString only inside windows;
// these two are the only crossing points.
inline QString ToQ(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace zv
