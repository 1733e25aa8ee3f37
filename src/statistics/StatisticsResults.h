#pragma once

#include "statistics/RecordCatch.h"
#include "statistics/Tally.h"

#include <optional>

namespace zv {

struct SpeciesResult {
    int count = 0;
    double lengthSum = 0;
    double weightSum = 0;
    std::optional<RecordCatch> record; // none when no catch weighs more than 0
    Tally bait;
    Tally weather;
    Tally water;
    Tally moon;
    Tally month;
    Tally hour;
};

struct BaitResult {
    int count = 0;
    double lengthSum = 0;
    double weightSum = 0;
    std::optional<RecordCatch> record;
    Tally bait;
    Tally colour;
    Tally baitLength;
    Tally behaviour; // always in the order schwimmend, sinkend, schwebend
    Tally species;
    Tally weather;
    Tally water;
    Tally moon;
    Tally month;
    Tally hour;
};

// The whole numbers a temperature or pressure range runs over, taken from the
// whole catch table.
struct RangeBounds {
    double lower = 0;
    double upper = 0;

    bool operator==(const RangeBounds&) const = default;
};

struct WeatherResult {
    Tally airTemperature;
    Tally waterTemperature;
    Tally airPressure;
    Tally windStrength;
    Tally windDirection;
    Tally turbidity;
    Tally waterLevel;

    RangeBounds airTemperatureRange;
    RangeBounds waterTemperatureRange;
    RangeBounds airPressureRange;
};

} // namespace zv
