#pragma once

#include "onlinestats/StoredFigures.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zv {

struct UploadedCatch;

// Counts catches into tallies and measures, either for all catches (what an
// upload adds to the kept ones) or for one species (its page, counted from
// its stored catches). An empty text tells nothing and is not counted.
class CatchTallies {
public:
    struct Key {
        std::string dimension;
        int month; // 1-12 for the recommendation's dimensions, else 0
        std::string label;

        auto operator<=>(const Key&) const = default;
    };

    // All catches count month, hour, moon phase, weather, bait, method and
    // water, and the measures per species; one species counts those and the
    // recommendation's dimensions month by month.
    explicit CatchTallies(Scope scope) : scope_(scope) {}

    void AddCatch(const UploadedCatch& catchLine);
    // The water of a stored catch, sent only now.
    void AddWater(const std::string& water);

    bool Empty() const { return total_.catches == 0 && tallies_.empty(); }
    // In key order, so every transaction updates the shared rows in the
    // same order and concurrent uploads cannot deadlock on them.
    std::vector<std::pair<Key, long long>> Tallies() const;
    const Measure& Total() const { return total_; }
    // All catches only: the measure of every named species.
    const std::map<std::string, Measure>& PerSpecies() const { return perSpecies_; }

private:
    // Most counts hit a key already there; it is found without building
    // its strings.
    struct KeyView {
        std::string_view dimension;
        int month;
        std::string_view label;

        bool operator==(const KeyView&) const = default;
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(const KeyView& key) const;
        std::size_t operator()(const Key& key) const { return (*this)(View(key)); }
    };
    struct KeyEqual {
        using is_transparent = void;
        template <typename A, typename B> bool operator()(const A& a, const B& b) const {
            return View(a) == View(b);
        }
    };
    static KeyView View(const KeyView& key) { return key; }
    static KeyView View(const Key& key) { return {key.dimension, key.month, key.label}; }
    void Count(std::string_view dimension, int month, std::string_view label);

    Scope scope_;
    Measure total_;
    std::map<std::string, Measure> perSpecies_;
    std::unordered_map<Key, long long, KeyHash, KeyEqual> tallies_;
};

} // namespace zv
