#pragma once

#include <string>
#include <string_view>

namespace zv {

// The written forms shared by objects and content streams. All of them
// append to `out`, which is a byte string in the file's encoding.

// A real in the shortest decimal form that reads back as the same value,
// "." as separator, never an exponent: 1 → "1", 0.5 → "0.5".
void AppendPdfReal(std::string& out, double value);

// A number of a content stream: rounded to two decimals (x·100 + 0.5, cut
// to a whole number, ÷ 100) and written without trailing zeros, so 12 is
// "12" and 3.456 is "3.46".
void AppendContentNumber(std::string& out, double value);

// "/" and the name; bytes outside "!" … "~" and the delimiters
// # % ( ) / < > [ ] { } as "#" and two upper-case hex digits.
void AppendPdfName(std::string& out, std::string_view name);

// A literal string of bytes in parentheses with ( ) \ CR LF TAB BS FF
// escaped.
void AppendPdfLiteral(std::string& out, std::string_view bytes);

// A text given as UTF-8: the literal string of its Windows-1252 bytes, or,
// when it holds a character Windows-1252 cannot represent or one of the
// bytes 0x80 … 0xA0 or 0xAD (where PDFDocEncoding differs), a hex string of
// UTF-16BE code units behind the byte order mark.
void AppendPdfTextString(std::string& out, std::string_view utf8);

// The Windows-1252 bytes for a content stream with a WinAnsi font; a
// character that the encoding lacks becomes "?", because a standard font
// could not draw it anyway.
std::string ContentBytes(std::string_view utf8);

} // namespace zv
