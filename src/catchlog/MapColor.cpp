#include "catchlog/MapColor.h"

#include "base/GermanText.h"
#include "base/NumberText.h"

#include <array>

namespace zv {
namespace {

struct NamedColor {
    std::string_view name; // lower case
    MapColor color;
};

// The colour names of the settings written by older versions.
constexpr std::array<NamedColor, 22> kNamedColors = {{
    {"clblack", {0x00, 0x00, 0x00}},      {"clmaroon", {0x80, 0x00, 0x00}},
    {"clgreen", {0x00, 0x80, 0x00}},      {"clolive", {0x80, 0x80, 0x00}},
    {"clnavy", {0x00, 0x00, 0x80}},       {"clpurple", {0x80, 0x00, 0x80}},
    {"clteal", {0x00, 0x80, 0x80}},       {"clgray", {0x80, 0x80, 0x80}},
    {"clsilver", {0xC0, 0xC0, 0xC0}},     {"clred", {0xFF, 0x00, 0x00}},
    {"cllime", {0x00, 0xFF, 0x00}},       {"clyellow", {0xFF, 0xFF, 0x00}},
    {"clblue", {0x00, 0x00, 0xFF}},       {"clfuchsia", {0xFF, 0x00, 0xFF}},
    {"claqua", {0x00, 0xFF, 0xFF}},       {"clwhite", {0xFF, 0xFF, 0xFF}},
    {"clmoneygreen", {0xC0, 0xDC, 0xC0}}, {"clskyblue", {0xA6, 0xCA, 0xF0}},
    {"clcream", {0xFF, 0xFB, 0xF0}},      {"clmedgray", {0xA0, 0xA0, 0xA4}},
    {"clltgray", {0xC0, 0xC0, 0xC0}},     {"cldkgray", {0x80, 0x80, 0x80}},
}};

} // namespace

std::optional<MapColor> ColorFromText(std::string_view text) {
    if (text.size() == 7 && text[0] == '#') {
        int digits[6];
        for (int i = 0; i < 6; ++i) {
            digits[i] = HexDigitValue(text[std::size_t(i) + 1]);
            if (digits[i] < 0) {
                return std::nullopt;
            }
        }
        return MapColor{static_cast<std::uint8_t>(digits[0] * 16 + digits[1]),
                        static_cast<std::uint8_t>(digits[2] * 16 + digits[3]),
                        static_cast<std::uint8_t>(digits[4] * 16 + digits[5])};
    }
    const std::string lowered = LowerAZ(text);
    for (const NamedColor& named : kNamedColors) {
        if (named.name == lowered) {
            return named.color;
        }
    }
    return std::nullopt;
}

std::string ColorToText(MapColor color) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (std::uint8_t component : {color.red, color.green, color.blue}) {
        text += kDigits[component >> 4];
        text += kDigits[component & 0x0F];
    }
    return text;
}

} // namespace zv
