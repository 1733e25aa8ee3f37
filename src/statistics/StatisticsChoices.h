#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// The items of the statistics filter drop-downs. Each list starts with
// "- Alle -". A date that has to be parsed and is not valid ends the call
// with an EConvertError. The table's cursor is left on the last row visited.

// The years of the catcher's catches (all catchers when the text is empty or
// "- Alle -"), newest first.
std::vector<std::string> YearChoices(TMlbc& catches, std::string_view catcher);

// The species, bait types and baits of one year (0 = all years), each once
// without regard to case (written as in the first row that has it) and sorted
// in the locale's order. The empty value is left out, except for the species
// with keepEmpty, where it follows "- Alle -".
std::vector<std::string> SpeciesChoices(TMlbc& catches, int year, bool keepEmpty);
std::vector<std::string> BaitTypeChoices(TMlbc& catches, int year);
// Only baits whose bait type equals `baitType` exactly (all when it is empty
// or "- Alle -").
std::vector<std::string> BaitChoices(TMlbc& catches, std::string_view baitType, int year);

} // namespace zv
