#include "onlinestats/CatchTallies.h"

#include "onlinestats/UploadParser.h"

#include <algorithm>
#include <functional>

namespace zv {

void CatchTallies::AddCatch(const UploadedCatch& catchLine) {
    Measure measure;
    measure.catches = 1;
    if (catchLine.length) {
        measure.lengthSum = *catchLine.length;
        measure.lengthCount = 1;
        measure.lengthMax = catchLine.length;
    }
    if (catchLine.weight) {
        measure.weightSum = *catchLine.weight;
        measure.weightCount = 1;
        measure.weightMax = catchLine.weight;
    }
    total_.Add(measure);
    if (scope_ == Scope::AllCatches && !catchLine.species.empty()) {
        perSpecies_[catchLine.species].Add(measure);
    }

    const auto& fields = catchLine.fields;
    const std::string hour = catchLine.hour >= 0 ? std::to_string(catchLine.hour) : "";
    Count(tally::kMonth, 0, std::to_string(catchLine.month));
    Count(tally::kHour, 0, hour);
    Count(tally::kMoonPhase, 0, fields[kMoonPhaseField]);
    Count(tally::kWeather, 0, fields[kWeatherField]);
    Count(tally::kBait, 0, fields[kBaitField]);
    Count(tally::kMethod, 0, fields[kMethodField]);
    Count(tally::kWater, 0, fields[kWaterField]);
    if (scope_ == Scope::Species) {
        Count(tally::kMonthHour, catchLine.month, hour);
        Count(tally::kMonthBait, catchLine.month, fields[kBaitField]);
        Count(tally::kMonthColour, catchLine.month, fields[kColourField]);
        Count(tally::kMonthBaitLength, catchLine.month, fields[kBaitLengthField]);
        Count(tally::kMonthBaitType, catchLine.month, fields[kBaitTypeField]);
    }
}

void CatchTallies::AddWater(const std::string& water) {
    Count(tally::kWater, 0, water);
}

void CatchTallies::Count(std::string_view dimension, int month, std::string_view label) {
    if (label.empty()) {
        return;
    }
    const KeyView key{dimension, month, label};
    if (const auto found = tallies_.find(key); found != tallies_.end()) {
        ++found->second;
        return;
    }
    tallies_.emplace(Key{std::string(dimension), month, std::string(label)}, 1);
}

std::vector<std::pair<CatchTallies::Key, long long>> CatchTallies::Tallies() const {
    std::vector<std::pair<Key, long long>> sorted(tallies_.begin(), tallies_.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

std::size_t CatchTallies::KeyHash::operator()(const KeyView& key) const {
    std::size_t hash = std::hash<std::string_view>()(key.label);
    for (const std::size_t part :
         {std::hash<std::string_view>()(key.dimension), static_cast<std::size_t>(key.month)}) {
        hash ^= part + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
    }
    return hash;
}

} // namespace zv
