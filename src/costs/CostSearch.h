#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// One cost row found by the search: its 1-based row number and the cells
// Kaufdatum, Geschaeft, Artikel, Menge, Einzelpreis, Gesamtpreis as stored.
struct CostSearchHit {
    int row = 0;
    std::array<std::string, 6> cells;
};

// The rows whose Geschaeft or Artikel contains `term`, in file order, one
// hit per row. Only the letters A–Z are compared without regard to case, so
// "rute" finds "Karpfenrute" and "Ruten-Shop" but "ä" does not find "Ä". An
// empty term finds nothing.
std::vector<CostSearchHit> SearchCosts(const TMlbc& ak, std::string_view term);

} // namespace zv
