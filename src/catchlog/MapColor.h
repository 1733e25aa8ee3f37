#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// The colour of a species' markers on the map, as stored in the settings.
struct MapColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const MapColor&, const MapColor&) = default;
};

// Markers of a species without a colour.
inline constexpr MapColor kMarkerBlue{0, 0, 255};

// Reads a stored colour text: "#RRGGBB" (hexadecimal digits in either case)
// or one of the colour names that older settings hold ("clBlue", "clblue",
// "clRed", … in any letter case). Anything else, the empty text included, is
// no colour.
std::optional<MapColor> ColorFromText(std::string_view text);

// "#" and the three components as two upper-case hexadecimal digits each.
std::string ColorToText(MapColor color);

} // namespace zv
