#pragma once

#include "base/Jpeg.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

class SpeciesColors;
class TMlbc;

// The catches of one water on its map: each catch with a "Kartenpos" "X,Y"
// (pixels of the picture at its natural size, 0,0 top left) is a small
// square in the colour of its species.

inline constexpr int kMarkerSize = 5;

struct MapMarker {
    int row = 0; // 1-based row number in the catch table
    int x = 0;
    int y = 0;
    std::string species;
};

struct MapMarking {
    std::vector<MapMarker> markers; // table order
    // The conversion message of the first position that is not two whole
    // numbers; the rows before it are marked, the rest are not looked at.
    std::string error;
};

// Reads "X,Y": X is the text before the first comma, Y the text after it;
// both must be whole numbers. Throws EConvertError
// ("'…' ist kein gültiger Integerwert") otherwise.
void ParseMapPosition(std::string_view text, int& x, int& y);

// The markers of every catch on `water` (compared exactly, letter case
// counts) that has a map position, in table order. Stops at the first
// position that does not read.
MapMarking CollectMapMarkers(const TMlbc& db, std::string_view water);

// Fills each marker's square [x, x + 5) × [y, y + 5) on the picture with
// its species' colour; the parts outside the picture are left out.
void DrawMarkers(RgbImage& picture, const std::vector<MapMarker>& markers,
                 const SpeciesColors& colors);

// The marker under the point, or nullptr: of several overlapping squares the
// one of the highest row wins. A marker on the picture's top or left edge
// (x or y 0) is drawn but never found here.
const MapMarker* MarkerAt(const std::vector<MapMarker>& markers, int x, int y);

// The hint of a catch: "Hecht, 80 cm 3886 g".
std::string MarkerHint(const TMlbc& db, int row);

} // namespace zv
