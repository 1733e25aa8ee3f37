#pragma once

#include "onlinestats/StoredFigures.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// Averages and maxima over the lengths and weights that are numbers greater
// than 0, rounded to one decimal; nothing when there is none.
struct MeasureSummary {
    long long catches = 0;
    std::optional<double> averageLength;
    std::optional<double> maxLength;
    std::optional<double> averageWeight;
    std::optional<double> maxWeight;
};

struct SpeciesSummary {
    std::string name;
    MeasureSummary measure;
};

struct LabelCount {
    std::string label;
    long long catches = 0;

    bool operator==(const LabelCount&) const = default;
};

// One month of the community's recommendation for a species: when and with
// what it was caught most. Empty texts for a month without catches.
struct RecommendationMonth {
    std::string month; // "Januar" …
    long long catches = 0;
    std::string hour; // "6 Uhr"
    std::string bait;
    std::string colour;
    std::string baitLength;
    std::string baitType;
};

// Everything a page or the summary shows, for all catches or one species.
struct Aggregates {
    // A water is named only when at least this many stored catches name it.
    static constexpr long long kWaterThreshold = 10;
    static constexpr std::size_t kTopCount = 10;
    static constexpr std::size_t kWaterCount = 20;

    std::optional<std::string> species; // nothing: all catches
    long long uploads = 0;
    MeasureSummary totals;
    std::vector<SpeciesSummary> speciesList; // most catches first, then by name
    std::array<long long, 12> months{};      // January first
    std::array<long long, 24> hours{};       // 0 Uhr first
    std::vector<LabelCount> moonPhases;      // the four phases in their order, then others
    std::vector<LabelCount> weather;         // most catches first, then by name
    std::vector<LabelCount> baits;           // the ten most successful
    std::vector<LabelCount> methods;         // the ten most successful
    std::vector<LabelCount> waters;          // the most named of those named by enough catches
    std::vector<RecommendationMonth> recommendation; // twelve months, for a species only
};

Aggregates Summarize(const StoredFigures& figures, const std::optional<std::string>& species);

} // namespace zv
