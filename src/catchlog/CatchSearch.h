#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// The catch search: which catches hold a term in one of the searched fields.

// Searched fields, in the order they are looked at.
inline constexpr std::array<std::string_view, 8> kSearchedFields = {
    "Koeder", "Kommentar", "Laenge", "Gewicht", "Stelle", "Gewaesser", "Fischart", "Mondphase"};

struct CatchSearchHit {
    int row = 0; // 1-based row number in the catch table
    std::string date;
    std::string angler;
    std::string species;
    std::string length;
    std::string weight;
};

// Every row, in table order and each once, in which one of the searched
// fields contains the term. Letter case is ignored for A to Z only: umlauts
// and ß keep their case. An empty term finds nothing. The shared cursor of
// the table is not moved.
std::vector<CatchSearchHit> SearchCatches(const TMlbc& db, std::string_view term);

} // namespace zv
