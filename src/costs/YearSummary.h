#pragma once

#include "base/DateTime.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// How a year line is drawn: red when costs rose against the year before,
// green when they fell, the list's own colour otherwise.
enum class YearColour { Normal, Red, Green };

// One line of the year summary. The texts are fixed with two decimals
// (decimal comma, no currency sign); a year whose previous calendar year has
// no costs compares as "0" and "0".
struct YearSummaryItem {
    int id = 0;   // 0 for the current year, 1 for the year before, … 60
    int year = 0; // current year − id
    std::string amount;
    std::string changeEuro;
    std::string changePercent;
    YearColour colour = YearColour::Normal;
};

// The number of yearly slots: the current year and the 60 before it.
inline constexpr int kYearSlots = 61;

// The yearly cost totals (Gesamtpreis plus any Versandkosten) of the current
// year of `now` and the 60 years before, newest first, years without costs
// left out. Rows of later or older years are ignored. A Kaufdatum that is not
// a date (empty included), an empty or non-numeric Gesamtpreis of a counted
// row, or a non-numeric Versandkosten throws EConvertError.
std::vector<YearSummaryItem> BuildYearSummary(const TMlbc& ak, TDateTime now);

// The colour of a line by its "+ - Vorjahr (€)" text.
YearColour YearColourOf(std::string_view changeEuro);

} // namespace zv
