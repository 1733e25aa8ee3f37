#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv {

// The written forms shared by objects and content streams. The Append…
// functions append to `out`, a byte string in the file's encoding; the
// Format… functions write the same bytes at `out`, which must have room for
// the size given, and return the end of what they wrote.

// Room that FormatPdfReal and FormatContentNumber may need.
inline constexpr std::size_t kMaxPdfRealSize = 400;
inline constexpr std::size_t kMaxContentNumberSize = kMaxPdfRealSize;
// Room for a name or a literal string of `size` bytes.
constexpr std::size_t PdfNameRoom(std::size_t size) {
    return 1 + 3 * size;
}
constexpr std::size_t PdfLiteralRoom(std::size_t size) {
    return 2 + 2 * size;
}

char* FormatPdfReal(char* out, double value);
char* FormatContentNumber(char* out, double value);
char* FormatPdfName(char* out, std::string_view name);
char* FormatPdfLiteral(char* out, std::string_view bytes);

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
// The same into `out`, replacing what it held.
void AssignContentBytes(std::string& out, std::string_view utf8);

} // namespace zv
