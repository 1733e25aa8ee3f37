#include "statistics/CatchRecommendation.h"

#include "statistics/CatchScan.h"
#include "statistics/CategoryMatcher.h"
#include "statistics/ParsedField.h"
#include "statistics/StatisticsCategories.h"
#include "storage/ValueList.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zv {

namespace {

const std::vector<std::string>& HourLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> names;
        for (int hour = 1; hour <= 24; ++hour) {
            names.push_back(std::to_string(hour % 24) + " Uhr");
        }
        return names;
    }();
    return labels;
}

// A list of entries with counters; the chosen entry is the one counted most,
// the earliest of equal counts, the first when nothing was counted.
class EntryCounter {
public:
    explicit EntryCounter(const std::vector<std::string>& entries)
        : matcher_(entries, MatchRule::Exact), counts_(entries.size(), 0) {}

    // A row's cell of a field (a counter counts one field).
    void Add(const ScanField& field, int row) {
        for (int position : matcher_.Matches(field, row)) {
            ++counts_[static_cast<std::size_t>(position)];
        }
    }
    void AddAt(int position) {
        if (position >= 0 && static_cast<std::size_t>(position) < counts_.size()) {
            ++counts_[static_cast<std::size_t>(position)];
        }
    }
    void Reset() { std::fill(counts_.begin(), counts_.end(), 0); }

    // Nothing when the list has no entries.
    std::optional<std::string> Chosen() const {
        if (counts_.empty()) {
            return std::nullopt;
        }
        std::size_t best = 0;
        for (std::size_t i = 1; i < counts_.size(); ++i) {
            if (counts_[i] > counts_[best]) {
                best = i;
            }
        }
        return matcher_.Labels()[best];
    }

private:
    CategoryMatcher matcher_;
    std::vector<int> counts_;
};

} // namespace

std::vector<RecommendationRow> CatchRecommendation(TMlbc& catches,
                                                   const std::filesystem::path& programFolder) {
    EntryCounter species(ReadValueList(programFolder, "Fischarten"));
    EntryCounter bait(ReadValueList(programFolder, "Koeder"));
    EntryCounter colour(ReadValueList(programFolder, "Koederfarbe"));
    EntryCounter baitLength(ReadValueList(programFolder, "Koederlaenge"));
    EntryCounter behaviour(BaitBehaviourLabels());
    EntryCounter hour(HourLabels());

    CatchScan scan(catches);
    scan.Index(
        {"Fangdatum", "Fischart", "Koeder", "KoederFarbe", "KoederLaenge", "Koederverhalten"});
    const ScanField speciesField = scan.Field("Fischart");
    const ScanField baitField = scan.Field("Koeder");
    const ScanField colourField = scan.Field("KoederFarbe");
    const ScanField baitLengthField = scan.Field("KoederLaenge");
    const ScanField behaviourField = scan.Field("Koederverhalten");
    const ParsedField<CatchDay> dates(scan.Field("Fangdatum"), &CatchScan::TryDay, &CatchScan::Day);
    const int timePosition = scan.Position("Fangzeit");

    // Every month looks at the date of every row, so a bad date anywhere
    // stops the computation before any month is done; sorting the rows into
    // months once gives the same answer as a scan per month.
    // The hours are read in the same pass, front to back through the table;
    // a time that does not read is read again (and fails) where a month
    // needs it.
    std::vector<std::vector<int>> rowsOfMonth(13);
    std::vector<int> hourOfRow(static_cast<std::size_t>(scan.RowCount()) + 1, -1);
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        const int month = dates.At(row).month;
        rowsOfMonth[static_cast<std::size_t>(month)].push_back(row);
        CatchScan::TryHour(scan.Cell(row, timePosition), hourOfRow[static_cast<std::size_t>(row)]);
    }

    std::vector<RecommendationRow> rows;
    const auto& monthNames = MonthLabels();
    for (int month = 1; month <= 12; ++month) {
        RecommendationRow result;
        result.month = monthNames[static_cast<std::size_t>(month - 1)];
        const auto& monthRows = rowsOfMonth[static_cast<std::size_t>(month)];
        if (monthRows.empty()) {
            rows.push_back(std::move(result));
            continue;
        }

        species.Reset();
        hour.Reset();
        for (int row : monthRows) {
            scan.Visit(row);
            species.Add(speciesField, row);
            const int known = hourOfRow[static_cast<std::size_t>(row)];
            hour.AddAt(
                HourBucket(known >= 0 ? known : CatchScan::Hour(scan.Cell(row, timePosition))));
        }
        const std::optional<std::string> chosenSpecies = species.Chosen();

        // The bait details count only the catches of the chosen species.
        bait.Reset();
        colour.Reset();
        behaviour.Reset();
        baitLength.Reset();
        if (chosenSpecies) {
            const std::uint32_t chosenId = speciesField.Find(*chosenSpecies);
            for (int row : monthRows) {
                if (speciesField.Id(row) != chosenId) {
                    continue;
                }
                bait.Add(baitField, row);
                colour.Add(colourField, row);
                behaviour.Add(behaviourField, row);
                baitLength.Add(baitLengthField, row);
            }
        }
        scan.Visit(scan.RowCount());

        result.hour = hour.Chosen().value_or("");
        // Without a species list there is no species, and nothing to name
        // for its bait: the first entries of the bait lists would look like
        // an answer.
        if (chosenSpecies) {
            result.species = *chosenSpecies;
            result.bait = bait.Chosen().value_or("");
            result.behaviour = behaviour.Chosen().value_or("");
            result.colour = colour.Chosen().value_or("");
            result.baitLength = baitLength.Chosen().value_or("");
        }
        rows.push_back(std::move(result));
    }
    return rows;
}

} // namespace zv
