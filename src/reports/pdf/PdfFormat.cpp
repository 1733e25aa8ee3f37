#include "reports/pdf/PdfFormat.h"

#include "base/Win1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zv {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& out, unsigned value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        out.push_back(kHexDigits[(value >> (4 * i)) & 0xF]);
    }
}

// Decodes UTF-8 into code points; invalid sequences give U+FFFD per byte.
std::vector<char32_t> CodePoints(std::string_view utf8) {
    std::vector<char32_t> points;
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            points.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(extra) >= utf8.size()) {
            points.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!ok || cp > 0x10FFFF) {
            points.push_back(0xFFFD);
            ++i;
            continue;
        }
        points.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return points;
}

} // namespace

char* FormatPdfReal(char* out, double value) {
    if (!std::isfinite(value)) {
        *out = '0';
        return out + 1;
    }
    if (value == 0) {
        value = 0; // no "-0"
    }
    return std::to_chars(out, out + kMaxPdfRealSize, value, std::chars_format::fixed).ptr;
}

void AppendPdfReal(std::string& out, double value) {
    char digits[kMaxPdfRealSize];
    out.append(digits, FormatPdfReal(digits, value));
}

char* FormatContentNumber(char* out, double value) {
    if (!std::isfinite(value)) {
        *out = '0';
        return out + 1;
    }
    // Halves away from zero, negative values like positive ones; cutting
    // value·100 + 0.5 towards zero would pull them up by 0.01.
    const double scaled = std::fabs(value) * 100 + 0.5;
    if (scaled > 9.0e17) {
        // Too large for hundredths in an integer; no fraction is left anyway.
        return FormatPdfReal(out, (value < 0 ? -std::trunc(scaled) : std::trunc(scaled)) / 100);
    }
    const auto hundredths = static_cast<long long>(scaled); // cuts towards zero
    if (value < 0 && hundredths != 0) {
        *out++ = '-';
    }
    out = std::to_chars(out, out + 24, hundredths / 100).ptr;
    const long long fraction = hundredths % 100;
    if (fraction != 0) {
        *out++ = '.';
        *out++ = static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            *out++ = static_cast<char>('0' + fraction % 10);
        }
    }
    return out;
}

void AppendContentNumber(std::string& out, double value) {
    char digits[kMaxContentNumberSize];
    out.append(digits, FormatContentNumber(digits, value));
}

char* FormatPdfName(char* out, std::string_view name) {
    *out++ = '/';
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        bool escape = byte < '!' || byte > '~';
        switch (byte) {
        case '#':
        case '%':
        case '(':
        case ')':
        case '/':
        case '<':
        case '>':
        case '[':
        case ']':
        case '{':
        case '}':
            escape = true;
            break;
        default:
            break;
        }
        if (escape) {
            *out++ = '#';
            *out++ = kHexDigits[byte >> 4];
            *out++ = kHexDigits[byte & 0xF];
        } else {
            *out++ = c;
        }
    }
    return out;
}

void AppendPdfName(std::string& out, std::string_view name) {
    const std::size_t old = out.size();
    out.resize(old + PdfNameRoom(name.size()));
    out.resize(static_cast<std::size_t>(FormatPdfName(out.data() + old, name) - out.data()));
}

char* FormatPdfLiteral(char* out, std::string_view bytes) {
    *out++ = '(';
    std::size_t run = 0; // start of the bytes written as they are
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char escape = 0;
        switch (bytes[i]) {
        case '(':
        case ')':
        case '\\':
            escape = bytes[i];
            break;
        case '\r':
            escape = 'r';
            break;
        case '\n':
            escape = 'n';
            break;
        case '\t':
            escape = 't';
            break;
        case '\b':
            escape = 'b';
            break;
        case '\f':
            escape = 'f';
            break;
        default:
            continue;
        }
        std::memcpy(out, bytes.data() + run, i - run);
        out += i - run;
        *out++ = '\\';
        *out++ = escape;
        run = i + 1;
    }
    std::memcpy(out, bytes.data() + run, bytes.size() - run);
    out += bytes.size() - run;
    *out++ = ')';
    return out;
}

void AppendPdfLiteral(std::string& out, std::string_view bytes) {
    const std::size_t old = out.size();
    out.resize(old + PdfLiteralRoom(bytes.size()));
    out.resize(static_cast<std::size_t>(FormatPdfLiteral(out.data() + old, bytes) - out.data()));
}

void AppendPdfTextString(std::string& out, std::string_view utf8) {
    // Text strings outside content streams are read as PDFDocEncoding, which
    // agrees with Windows-1252 except at 0x80 … 0x9F (€, dashes, quotes),
    // 0xA0 (the no-break space, which PDFDocEncoding reads as €) and 0xAD
    // (the soft hyphen, undefined there); text using those goes the Unicode
    // way so a viewer shows the same characters.
    // Plain ASCII is the same in every encoding.
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        AppendPdfLiteral(out, utf8);
        return;
    }
    if (auto bytes = Utf8ToWin1252(utf8)) {
        bool sameInPdfDoc = true;
        for (char c : *bytes) {
            auto byte = static_cast<unsigned char>(c);
            if ((byte >= 0x80 && byte <= 0xA0) || byte == 0xAD) {
                sameInPdfDoc = false;
                break;
            }
        }
        if (sameInPdfDoc) {
            AppendPdfLiteral(out, *bytes);
            return;
        }
    }
    // Plain UTF-16BE behind the byte order mark: a language escape in front
    // would show as "en…" in viewers that do not know it.
    out += "<FEFF";
    for (char32_t cp : CodePoints(utf8)) {
        if (cp >= 0x10000) {
            char32_t v = cp - 0x10000;
            AppendHex(out, 0xD800 + (v >> 10), 4);
            AppendHex(out, 0xDC00 + (v & 0x3FF), 4);
        } else {
            AppendHex(out, cp, 4);
        }
    }
    out.push_back('>');
}

void AssignContentBytes(std::string& out, std::string_view utf8) {
    out.clear();
    std::string badChar;
    while (!AppendUtf8AsWin1252(utf8, out, &badChar)) {
        // Everything before the offending character is in `out`; it is the
        // first occurrence of that sequence, since earlier text converted.
        out.push_back('?');
        std::size_t pos = utf8.find(badChar);
        if (badChar.empty() || pos == std::string_view::npos) {
            break;
        }
        utf8.remove_prefix(pos + badChar.size());
        badChar.clear();
    }
}

std::string ContentBytes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    AssignContentBytes(out, utf8);
    return out;
}

} // namespace zv
