#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Every file the program reads or writes is Windows-1252; inside, text is
// UTF-8. The mapping is lossless for all 256 bytes: the five bytes that
// Windows-1252 leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) map to the C1
// control characters of the same value and back.

std::string Win1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of a UTF-8 text, or nothing when the text holds a
// character that Windows-1252 cannot represent or is not valid UTF-8.
std::optional<std::string> Utf8ToWin1252(std::string_view utf8);

// Appends the Windows-1252 bytes of `utf8` to `out`. On failure `out` keeps
// what was appended before the offending character and `badChar` (if given)
// receives that character as UTF-8 (or the invalid byte sequence).
bool AppendUtf8AsWin1252(std::string_view utf8, std::string& out, std::string* badChar = nullptr);

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool IsWin1252Representable(std::string_view utf8);

// The first character that Windows-1252 cannot hold, empty if there is none.
std::string FirstNonWin1252Char(std::string_view utf8);

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The German message for text that cannot be stored, naming the character.
std::string NonWin1252Message(std::string_view badChar);

} // namespace zv
