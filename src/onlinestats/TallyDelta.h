#pragma once

#include "onlinestats/StoredFigures.h"

#include <map>
#include <string>
#include <tuple>

namespace zv {

struct UploadedCatch;

// What one upload adds to the kept tallies and measures. Keys are kept in
// order, so every transaction updates the shared rows in the same order and
// concurrent uploads cannot deadlock on them.
class TallyDelta {
public:
    struct TallyKey {
        Scope scope;
        std::string species;
        std::string dimension;
        int month;
        std::string label;

        auto operator<=>(const TallyKey&) const = default;
    };
    using MeasureKey = std::tuple<Scope, std::string>;

    // A catch stored for the first time.
    void AddCatch(const UploadedCatch& catchLine);
    // The water of a stored catch, sent only now.
    void AddWater(const std::string& species, const std::string& water);

    bool Empty() const { return tallies_.empty() && measures_.empty(); }
    const std::map<TallyKey, long long>& Tallies() const { return tallies_; }
    const std::map<MeasureKey, Measure>& Measures() const { return measures_; }

private:
    // Counts for all catches and, when the species is named, for it too.
    void Count(const std::string& species, const char* dimension, const std::string& label);
    void CountForSpecies(const std::string& species, const char* dimension, int month,
                         const std::string& label);

    std::map<TallyKey, long long> tallies_;
    std::map<MeasureKey, Measure> measures_;
};

} // namespace zv
