#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

class TMlbc;

// One month of the catch recommendation. All texts; a month without catches
// has only its name.
struct RecommendationRow {
    std::string month;
    std::string species;
    std::string hour; // "1 Uhr" … "23 Uhr", "0 Uhr"
    std::string bait;
    std::string behaviour;
    std::string colour;
    std::string baitLength;

    bool operator==(const RecommendationRow&) const = default;
};

// For each month, January first, over all years and catchers: the species
// caught most often (from DATs/Fischarten.dat), the hour with the most
// catches of any species, and for that species the most successful bait,
// behaviour, colour and bait length (from DATs/Koeder.dat, Koederfarbe.dat,
// Koederlaenge.dat). Comparisons are exact and case-sensitive; of equal
// counts the entry earlier in its list wins, and when nothing was counted the
// first entry is named. A cell whose list is empty (a missing or empty value
// list) stays empty; without a species list the bait cells stay empty too.
//
// An invalid catch date (any row) or catch time (a catch of a month with
// catches) throws EConvertError; then no rows are returned. The table's
// cursor is left on the last row visited.
std::vector<RecommendationRow> CatchRecommendation(TMlbc& catches,
                                                   const std::filesystem::path& programFolder);

} // namespace zv
