#pragma once

#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// The catch list of the main window without the window: which catches are
// listed, in which order, and what the summary panels say about them.

// "- Alle -" (or nothing) in a filter drop-down means that filter is off.
inline constexpr std::string_view kAllEntry = "- Alle -";

struct CatchFilter {
    std::optional<std::string> angler;  // exact comparison with Faenger
    std::optional<int> year;            // year of Fangdatum
    std::optional<std::string> species; // exact comparison with Fischart
};

// Builds a filter from the three drop-down texts. A year text that is not a
// whole number throws EConvertError.
CatchFilter MakeCatchFilter(std::string_view angler, std::string_view year,
                            std::string_view species);

struct CatchListRow {
    int id = 0; // the row number in the catch table when the list was built
    std::string date;
    std::string species;
    std::string water;
    std::string angler;
    std::string length;
    std::string weight;
};

struct CatchSummary {
    int count = 0;
    double weightSum = 0;
    double lengthSum = 0;
    double maxWeight = 0;
    double maxLength = 0;
    // Whole minutes over the distinct fishing periods (date, start, end).
    long long fishingMinutes = 0;
    int fishingPeriods = 0;
};

struct CatchListing {
    std::vector<CatchListRow> rows; // newest first
    CatchSummary summary;
};

// The last `count` rows of the table.
CatchListing ListLastCatches(const TMlbc& db, int count = 10);
// Every row that matches the filter.
CatchListing ListCatches(const TMlbc& db, const CatchFilter& filter);

// The panel texts of a summary. When nothing is listed every text is empty:
// there is nothing to sum, and no number of an earlier list may stay.
struct SummaryTexts {
    std::string count;         // "7"
    std::string weightTotal;   // "12,35 kg"
    std::string lengthTotal;   // "3,20 m"
    std::string averageWeight; // "1764,29 g"
    std::string averageLength; // "45,71 cm"
    std::string maxWeight;     // "4200,00 g"
    std::string maxLength;     // "78,00 cm"
    // "0 Tage 4 Stunden 25 Minuten  =  1,58 Fische pro Stunde"; without a
    // recorded fishing period the rate is undefined and only the time shows.
    std::string fishingTime;
};

SummaryTexts FormatSummary(const CatchSummary& summary);

// A sort key for a date text: yyyymmdd, or INT_MIN when the text is not a
// date, so unreadable dates sort as the earliest.
inline constexpr int kUnreadableDate = INT_MIN;
int DateSortKey(std::string_view text);

// The distinct years of Fangdatum over the catches of `angler` (all catches
// without one), newest first. Unreadable dates contribute no year.
std::vector<int> CatchYears(const TMlbc& db, const std::optional<std::string>& angler);

// The distinct species (case-insensitive, the first form met stays) over the
// catches of the angler in the year, in ascending locale order.
std::vector<std::string> CatchSpecies(const TMlbc& db, const std::optional<std::string>& angler,
                                      std::optional<int> year);

// Locale-sorted, without case-insensitive duplicates (the first form stays).
std::vector<std::string> SortedUniqueDe(std::vector<std::string> entries);

// Sum of Gesamtpreis plus the non-empty Versandkosten over all cost rows.
double CostTotal(const TMlbc& ak);

} // namespace zv
