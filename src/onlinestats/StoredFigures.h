#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zv {

// Tallies: how many catches fall on each label of a dimension. Those of all
// catches are kept in the store; those of one species are counted when its
// page is asked for, the recommendation's dimensions month by month (the
// others use month 0).
namespace tally {
inline constexpr const char* kMonth = "month"; // label "1" … "12"
inline constexpr const char* kHour = "hour";   // label "0" … "23"
inline constexpr const char* kMoonPhase = "moon";
inline constexpr const char* kWeather = "weather";
inline constexpr const char* kBait = "bait";
inline constexpr const char* kMethod = "method";
inline constexpr const char* kWater = "water";
// Per month, for one species only.
inline constexpr const char* kMonthHour = "month-hour";
inline constexpr const char* kMonthBait = "month-bait";
inline constexpr const char* kMonthColour = "month-colour";
inline constexpr const char* kMonthBaitLength = "month-baitlength";
inline constexpr const char* kMonthBaitType = "month-baittype";
} // namespace tally

// Whose figures: all catches, or those of one species (stored as 0 and 1).
enum class Scope { AllCatches = 0, Species = 1 };

// Sums from which averages and maxima of length and weight follow.
struct Measure {
    long long catches = 0;
    double lengthSum = 0;
    long long lengthCount = 0;
    std::optional<double> lengthMax;
    double weightSum = 0;
    long long weightCount = 0;
    std::optional<double> weightMax;

    void Add(const Measure& other);
    bool operator==(const Measure&) const = default;
};

struct TallyRow {
    std::string dimension;
    int month = 0;
    std::string label;
    long long catches = 0;
};

struct SpeciesMeasure {
    std::string species;
    Measure measure;
};

// The figures of all catches or of one species, read in one consistent
// state.
struct StoredFigures {
    long long version = 0; // changes with every upload that changes a figure
    long long uploads = 0; // uploads that brought at least one new catch
    Measure totals;
    std::vector<SpeciesMeasure> species; // every species; only for all catches
    std::vector<TallyRow> tallies;
};

} // namespace zv
