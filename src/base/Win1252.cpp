#include "base/Win1252.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace zv {
namespace {

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined keep their C1 code point so that every byte survives a round trip.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

bool CodePointToByte(char32_t cp, unsigned char& byte) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        byte = static_cast<unsigned char>(cp);
        return true;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

void AppendUtf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 character at `pos`; returns its length, 0 when invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[pos]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return len;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    char32_t cp = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = DecodeUtf8(text, pos, cp);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string Win1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // Plain ASCII runs are the common case: copy them in one go.
        std::size_t end = pos;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80) {
            ++end;
        }
        out.append(bytes.data() + pos, end - pos);
        if (end < bytes.size()) {
            AppendUtf8(ByteToCodePoint(static_cast<unsigned char>(bytes[end])), out);
            ++end;
        }
        pos = end;
    }
    return out;
}

bool AppendUtf8AsWin1252(std::string_view utf8, std::string& out, std::string* badChar) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto b0 = static_cast<unsigned char>(utf8[pos]);
        if (b0 < 0x80) {
            // Plain ASCII runs are the common case: copy them in one go.
            std::size_t end = pos + 1;
            while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) {
                ++end;
            }
            out.append(utf8.data() + pos, end - pos);
            pos = end;
            continue;
        }
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, pos, cp);
        unsigned char byte = 0;
        if (len == 0 || !CodePointToByte(cp, byte)) {
            if (badChar != nullptr) {
                badChar->assign(utf8.data() + pos, len == 0 ? 1 : len);
            }
            return false;
        }
        out.push_back(static_cast<char>(byte));
        pos += len;
    }
    return true;
}

std::optional<std::string> Utf8ToWin1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    if (!AppendUtf8AsWin1252(utf8, out)) {
        return std::nullopt;
    }
    return out;
}

bool IsWin1252Representable(std::string_view utf8) {
    std::string scratch;
    return AppendUtf8AsWin1252(utf8, scratch);
}

std::string FirstNonWin1252Char(std::string_view utf8) {
    std::string scratch;
    std::string bad;
    if (AppendUtf8AsWin1252(utf8, scratch, &bad)) {
        return {};
    }
    return bad;
}

std::string NonWin1252Message(std::string_view badChar) {
    std::string shown(badChar);
    char32_t cp = 0;
    if (!badChar.empty() && DecodeUtf8(badChar, 0, cp) == 0) {
        shown = "?"; // not even valid UTF-8: do not echo raw bytes
    }
    return "Das Zeichen \"" + shown +
           "\" kann in den Dateien des Programms nicht gespeichert werden (Zeichensatz "
           "Windows-1252). Bitte entfernen oder ersetzen Sie es.";
}

} // namespace zv
