#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace zv {

struct PieColour {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const PieColour&) const = default;
};

// The eleven colours of the statistics charts. A chart's slice i and its
// list's row i share colour i; the eleventh slice gathers every row from the
// eleventh on, and all of those rows show the last colour.
inline constexpr std::array<PieColour, 11> kPiePalette = {{{255, 0, 0},
                                                           {255, 255, 0},
                                                           {0, 255, 0},
                                                           {0, 255, 255},
                                                           {255, 0, 128},
                                                           {192, 192, 192},
                                                           {0, 128, 255},
                                                           {255, 128, 64},
                                                           {128, 128, 64},
                                                           {128, 128, 255},
                                                           {0, 64, 64}}};

// The colour of list row `index` (from 0) and of the slice drawn for it.
constexpr PieColour LegendColour(std::size_t index) {
    return kPiePalette[std::min(index, kPiePalette.size() - 1)];
}

} // namespace zv
