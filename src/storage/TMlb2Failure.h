#pragma once

#include <string>
#include <string_view>

namespace zv {

// The engine's own error messages (last error) and the German sentences of
// LastFailure, shared by the three file formats.
inline constexpr std::string_view kMsgOpenWrite = "1-Unable to open the file for writing";
inline constexpr std::string_view kMsgCsvOpenRead = "1-Unable to open the file for reading";
inline constexpr std::string_view kMsgMlbOpenRead = "4-Unable to open file for reading";
inline constexpr std::string_view kMsgMlbSignature = "1-File's Signature must be MLB";
inline constexpr std::string_view kMsgMlbTables = "2-number of tables must be at least 1";
inline constexpr std::string_view kMsgMlbBlock = "3-First Block must be a TABLE";
inline constexpr std::string_view kMsgMlbDamaged = "4-File is truncated or damaged";
inline constexpr std::string_view kMsgReadError = "1-Error while reading the file";
inline constexpr std::string_view kMsgWriteError = "2-Error while writing the file";

inline std::string ReadFailure(std::string_view path, std::string_view reason) {
    std::string text = "Die Datei \"";
    text += path;
    text += "\" kann nicht gelesen werden: ";
    text += reason;
    if (!text.empty() && text.back() != '.') {
        text += '.';
    }
    return text;
}

inline std::string WriteFailure(std::string_view path, std::string_view reason) {
    std::string text = "Die Datei \"";
    text += path;
    text += "\" wurde nicht gespeichert: ";
    text += reason;
    if (!text.empty() && text.back() != '.') {
        text += '.';
    }
    return text;
}

} // namespace zv
