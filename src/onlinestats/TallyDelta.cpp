#include "onlinestats/TallyDelta.h"

#include "onlinestats/UploadParser.h"

namespace zv {

void TallyDelta::AddCatch(const UploadedCatch& catchLine) {
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
    const std::string& species = catchLine.species;
    measures_[{Scope::AllCatches, ""}].Add(measure);
    if (!species.empty()) {
        measures_[{Scope::Species, species}].Add(measure);
    }

    const auto& fields = catchLine.fields;
    const std::string month = std::to_string(catchLine.month);
    Count(species, tally::kMonth, month);
    if (catchLine.hour >= 0) {
        Count(species, tally::kHour, std::to_string(catchLine.hour));
        CountForSpecies(species, tally::kMonthHour, catchLine.month,
                        std::to_string(catchLine.hour));
    }
    Count(species, tally::kMoonPhase, fields[kMoonPhaseField]);
    Count(species, tally::kWeather, fields[kWeatherField]);
    Count(species, tally::kBait, fields[kBaitField]);
    Count(species, tally::kMethod, fields[kMethodField]);
    Count(species, tally::kWater, fields[kWaterField]);
    CountForSpecies(species, tally::kMonthBait, catchLine.month, fields[kBaitField]);
    CountForSpecies(species, tally::kMonthColour, catchLine.month, fields[kColourField]);
    CountForSpecies(species, tally::kMonthBaitLength, catchLine.month, fields[kBaitLengthField]);
    CountForSpecies(species, tally::kMonthBaitType, catchLine.month, fields[kBaitTypeField]);
}

void TallyDelta::AddWater(const std::string& species, const std::string& water) {
    Count(species, tally::kWater, water);
}

// An empty text tells nothing about a label and is not counted.
void TallyDelta::Count(const std::string& species, const char* dimension,
                       const std::string& label) {
    if (label.empty()) {
        return;
    }
    ++tallies_[{Scope::AllCatches, "", dimension, 0, label}];
    if (!species.empty()) {
        ++tallies_[{Scope::Species, species, dimension, 0, label}];
    }
}

void TallyDelta::CountForSpecies(const std::string& species, const char* dimension, int month,
                                 const std::string& label) {
    if (!species.empty() && !label.empty()) {
        ++tallies_[{Scope::Species, species, dimension, month, label}];
    }
}

} // namespace zv
