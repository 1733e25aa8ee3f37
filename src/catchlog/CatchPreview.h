#pragma once

#include <string>
#include <vector>

namespace zv {

class TMlbc;

// The short description of one catch under the main window's list, and the
// names of its pictures in display order.
struct CatchPreview {
    std::string fish;  // " Hecht, 78 cm  4200 g"
    std::string date;  // " gefangen am 05.06.2007, 18:42:07 Uhr"
    std::string water; // " Gewässer: Rhein"
    std::string bait;  // " Köder: Wobbler rot 12 cm schwimmend"
    std::vector<std::string> pictures;
};

// Reads the catch at `row` (1-based) without moving the cursor.
CatchPreview MakeCatchPreview(const TMlbc& db, int row);

} // namespace zv
