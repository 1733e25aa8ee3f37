#include "reports/pdf/PdfFormat.h"

#include "base/Win1252.h"

#include <charconv>
#include <cmath>
#include <cstdint>
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

void AppendPdfReal(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out.push_back('0');
        return;
    }
    if (value == 0) {
        value = 0; // no "-0"
    }
    char digits[400];
    auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    out.append(digits, result.ptr);
}

void AppendContentNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out.push_back('0');
        return;
    }
    // Negative values round like positive ones (halves away from zero);
    // cutting value·100 + 0.5 towards zero would pull them up by 0.01.
    double scaled = value < 0 ? -std::trunc(-value * 100 + 0.5) : std::trunc(value * 100 + 0.5);
    if (std::fabs(scaled) > 9.0e17) {
        AppendPdfReal(out, scaled / 100);
        return;
    }
    auto hundredths = static_cast<long long>(scaled);
    if (hundredths < 0) {
        out.push_back('-');
        hundredths = -hundredths;
    }
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, hundredths / 100);
    out.append(digits, result.ptr);
    long long fraction = hundredths % 100;
    if (fraction != 0) {
        out.push_back('.');
        out.push_back(static_cast<char>('0' + fraction / 10));
        if (fraction % 10 != 0) {
            out.push_back(static_cast<char>('0' + fraction % 10));
        }
    }
}

void AppendPdfName(std::string& out, std::string_view name) {
    out.push_back('/');
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
            out.push_back('#');
            AppendHex(out, byte, 2);
        } else {
            out.push_back(c);
        }
    }
}

void AppendPdfLiteral(std::string& out, std::string_view bytes) {
    out.push_back('(');
    for (char c : bytes) {
        switch (c) {
        case '(':
            out += "\\(";
            break;
        case ')':
            out += "\\)";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            out.push_back(c);
            break;
        }
    }
    out.push_back(')');
}

void AppendPdfTextString(std::string& out, std::string_view utf8) {
    // Text strings outside content streams are read as PDFDocEncoding, which
    // agrees with Windows-1252 except at 0x80 … 0x9F (€, dashes, quotes),
    // 0xA0 (the no-break space, which PDFDocEncoding reads as €) and 0xAD
    // (the soft hyphen, undefined there); text using those goes the Unicode
    // way so a viewer shows the same characters.
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

std::string ContentBytes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
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
    return out;
}

} // namespace zv
