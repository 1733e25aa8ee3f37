#include "statistics/CatchRecommendation.h"

#include "statistics/CatchScan.h"
#include "statistics/CategoryMatcher.h"
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

    void Add(std::string_view value) {
        for (int position : matcher_.Matches(value)) {
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
    const int datePosition = scan.Position("Fangdatum");
    const int timePosition = scan.Position("Fangzeit");
    const int speciesPosition = scan.Position("Fischart");
    const int baitPosition = scan.Position("Koeder");
    const int colourPosition = scan.Position("KoederFarbe");
    const int baitLengthPosition = scan.Position("KoederLaenge");
    const int behaviourPosition = scan.Position("Koederverhalten");

    // Every month looks at the date of every row, so a bad date anywhere
    // stops the computation before any month is done; sorting the rows into
    // months once gives the same answer as a scan per month.
    std::vector<std::vector<int>> rowsOfMonth(13);
    for (int row = 1; row <= scan.RowCount(); ++row) {
        scan.Visit(row);
        const int month = scan.Month(scan.Cell(row, datePosition));
        rowsOfMonth[static_cast<std::size_t>(month)].push_back(row);
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
            species.Add(scan.Cell(row, speciesPosition));
            hour.AddAt(HourBucket(CatchScan::Hour(scan.Cell(row, timePosition))));
        }
        const std::optional<std::string> chosenSpecies = species.Chosen();

        // The bait details count only the catches of the chosen species.
        bait.Reset();
        colour.Reset();
        behaviour.Reset();
        baitLength.Reset();
        if (chosenSpecies) {
            for (int row : monthRows) {
                if (scan.Cell(row, speciesPosition) != *chosenSpecies) {
                    continue;
                }
                bait.Add(scan.Cell(row, baitPosition));
                colour.Add(scan.Cell(row, colourPosition));
                behaviour.Add(scan.Cell(row, behaviourPosition));
                baitLength.Add(scan.Cell(row, baitLengthPosition));
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
