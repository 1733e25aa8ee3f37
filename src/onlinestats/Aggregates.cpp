#include "onlinestats/Aggregates.h"

#include "statistics/StatisticsCategories.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <string_view>

namespace zv {

namespace {

double RoundToTenth(double value) {
    return std::round(value * 10) / 10;
}

std::optional<double> Average(double sum, long long count) {
    if (count == 0) {
        return std::nullopt;
    }
    return RoundToTenth(sum / static_cast<double>(count));
}

std::optional<double> Rounded(const std::optional<double>& value) {
    if (!value) {
        return std::nullopt;
    }
    return RoundToTenth(*value);
}

MeasureSummary Summary(const Measure& measure) {
    return {measure.catches, Average(measure.lengthSum, measure.lengthCount),
            Rounded(measure.lengthMax), Average(measure.weightSum, measure.weightCount),
            Rounded(measure.weightMax)};
}

bool MoreCatchesFirst(const LabelCount& a, const LabelCount& b) {
    return a.catches != b.catches ? a.catches > b.catches : a.label < b.label;
}

std::vector<LabelCount> Ranked(std::vector<LabelCount> counts, std::size_t limit) {
    std::sort(counts.begin(), counts.end(), MoreCatchesFirst);
    if (counts.size() > limit) {
        counts.resize(limit);
    }
    return counts;
}

// A number label of the month and hour tallies; -1 when it is none.
int LabelNumber(std::string_view label) {
    int value = -1;
    const auto [end, error] = std::from_chars(label.data(), label.data() + label.size(), value);
    return error == std::errc() && end == label.data() + label.size() ? value : -1;
}

// The four phases in the order the astronomy names them, then any other
// text by its count.
std::vector<LabelCount> MoonPhasesInOrder(std::vector<LabelCount> counts) {
    const auto& phases = MoonPhaseLabels();
    const auto position = [&phases](const LabelCount& count) {
        return std::find(phases.begin(), phases.end(), count.label) - phases.begin();
    };
    std::sort(counts.begin(), counts.end(), [&](const LabelCount& a, const LabelCount& b) {
        const auto pa = position(a);
        const auto pb = position(b);
        return pa != pb ? pa < pb : MoreCatchesFirst(a, b);
    });
    return counts;
}

// The label counted most; of equal counts the one earlier in `before`'s
// order; empty when nothing was counted.
template <typename Before>
std::string Chosen(const std::vector<LabelCount>& counts, Before before) {
    const LabelCount* best = nullptr;
    for (const LabelCount& count : counts) {
        if (best == nullptr || count.catches > best->catches ||
            (count.catches == best->catches && before(count.label, best->label))) {
            best = &count;
        }
    }
    return best != nullptr ? best->label : std::string();
}

// Hours rank 1 Uhr … 23 Uhr, 0 Uhr, as in the angler's own recommendation.
bool EarlierHour(const std::string& a, const std::string& b) {
    const auto rank = [](const std::string& label) {
        const int hour = LabelNumber(label);
        return hour == 0 ? 24 : hour;
    };
    return rank(a) < rank(b);
}

bool EarlierText(const std::string& a, const std::string& b) {
    return a < b;
}

std::vector<RecommendationMonth>
Recommend(const std::array<long long, 12>& months,
          const std::map<std::pair<std::string, int>, std::vector<LabelCount>>& perMonth) {
    const auto counts = [&perMonth](const char* dimension, int month) {
        const auto found = perMonth.find({dimension, month});
        return found != perMonth.end() ? found->second : std::vector<LabelCount>();
    };
    std::vector<RecommendationMonth> rows;
    for (int month = 1; month <= 12; ++month) {
        RecommendationMonth row;
        row.month = MonthLabels()[static_cast<std::size_t>(month - 1)];
        row.catches = months[static_cast<std::size_t>(month - 1)];
        if (row.catches > 0) {
            const std::string hour = Chosen(counts(tally::kMonthHour, month), EarlierHour);
            row.hour = hour.empty() ? hour : hour + " Uhr";
            row.bait = Chosen(counts(tally::kMonthBait, month), EarlierText);
            row.colour = Chosen(counts(tally::kMonthColour, month), EarlierText);
            row.baitLength = Chosen(counts(tally::kMonthBaitLength, month), EarlierText);
            row.baitType = Chosen(counts(tally::kMonthBaitType, month), EarlierText);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

Aggregates Summarize(const StoredFigures& figures, const std::optional<std::string>& species) {
    Aggregates result;
    result.species = species;
    result.uploads = figures.uploads;
    result.totals = Summary(figures.totals);
    for (const SpeciesMeasure& entry : figures.species) {
        result.speciesList.push_back({entry.species, Summary(entry.measure)});
    }
    std::sort(result.speciesList.begin(), result.speciesList.end(),
              [](const SpeciesSummary& a, const SpeciesSummary& b) {
                  return a.measure.catches != b.measure.catches
                             ? a.measure.catches > b.measure.catches
                             : a.name < b.name;
              });

    std::map<std::string, std::vector<LabelCount>> byDimension;
    std::map<std::pair<std::string, int>, std::vector<LabelCount>> perMonth;
    for (const TallyRow& row : figures.tallies) {
        const LabelCount count{row.label, row.catches};
        if (row.month == 0) {
            byDimension[row.dimension].push_back(count);
        } else {
            perMonth[{row.dimension, row.month}].push_back(count);
        }
    }
    for (const LabelCount& count : byDimension[tally::kMonth]) {
        const int month = LabelNumber(count.label);
        if (month >= 1 && month <= 12) {
            result.months[static_cast<std::size_t>(month - 1)] = count.catches;
        }
    }
    for (const LabelCount& count : byDimension[tally::kHour]) {
        const int hour = LabelNumber(count.label);
        if (hour >= 0 && hour <= 23) {
            result.hours[static_cast<std::size_t>(hour)] = count.catches;
        }
    }
    result.moonPhases = MoonPhasesInOrder(byDimension[tally::kMoonPhase]);
    result.weather = Ranked(byDimension[tally::kWeather], std::numeric_limits<std::size_t>::max());
    result.baits = Ranked(byDimension[tally::kBait], Aggregates::kTopCount);
    result.methods = Ranked(byDimension[tally::kMethod], Aggregates::kTopCount);
    std::vector<LabelCount> waters;
    for (const LabelCount& count : byDimension[tally::kWater]) {
        if (count.catches >= Aggregates::kWaterThreshold) {
            waters.push_back(count);
        }
    }
    result.waters = Ranked(std::move(waters), Aggregates::kWaterCount);
    if (species) {
        result.recommendation = Recommend(result.months, perMonth);
    }
    return result;
}

} // namespace zv
