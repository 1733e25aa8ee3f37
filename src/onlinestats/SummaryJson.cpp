#include "onlinestats/SummaryJson.h"

#include "onlinestats/MarkupText.h"

namespace zv {

std::string SummaryJson(const Aggregates& a) {
    std::string json = "{\"catches\": " + std::to_string(a.totals.catches) +
                       ", \"uploads\": " + std::to_string(a.uploads) + ", \"species\": [";
    const char* separator = "";
    for (const SpeciesSummary& species : a.speciesList) {
        const MeasureSummary& m = species.measure;
        json += separator;
        json += "{\"name\": " + JsonQuoted(species.name) +
                ", \"catches\": " + std::to_string(m.catches) +
                ", \"avgLengthCm\": " + JsonNumber(m.averageLength) +
                ", \"maxLengthCm\": " + JsonNumber(m.maxLength) +
                ", \"avgWeightG\": " + JsonNumber(m.averageWeight) +
                ", \"maxWeightG\": " + JsonNumber(m.maxWeight) + "}";
        separator = ", ";
    }
    json += "], \"months\": [";
    separator = "";
    for (const long long count : a.months) {
        json += separator + std::to_string(count);
        separator = ", ";
    }
    json += "], \"moonPhases\": {";
    separator = "";
    for (const LabelCount& phase : a.moonPhases) {
        json += separator + JsonQuoted(phase.label) + ": " + std::to_string(phase.catches);
        separator = ", ";
    }
    return json + "}}\n";
}

} // namespace zv
