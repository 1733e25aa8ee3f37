#pragma once

#include <string>
#include <string_view>

namespace zv {

class TMlbc;

// The seven fields of the cost database, one row per purchased article.
inline constexpr std::string_view kKaufdatum = "Kaufdatum";
inline constexpr std::string_view kGeschaeft = "Geschaeft";
inline constexpr std::string_view kArtikel = "Artikel";
inline constexpr std::string_view kMenge = "Menge";
inline constexpr std::string_view kEinzelpreis = "Einzelpreis";
inline constexpr std::string_view kGesamtpreis = "Gesamtpreis";
inline constexpr std::string_view kVersandkosten = "Versandkosten";

// The first entry of the cost windows' filter lists: the filter is off.
inline constexpr std::string_view kAllCosts = "-Alle-";

// Field positions (1-based; 0 when the table lacks the field) for scans that
// read cells by row number and leave the table's cursor alone.
struct CostColumns {
    explicit CostColumns(const TMlbc& ak);

    int kaufdatum = 0;
    int geschaeft = 0;
    int artikel = 0;
    int menge = 0;
    int einzelpreis = 0;
    int gesamtpreis = 0;
    int versandkosten = 0;
};

// A German sentence naming the first cost field the table lacks, empty when
// it has all seven: storing a purchase into such a table would silently drop
// cells.
std::string MissingCostField(const TMlbc& ak);

} // namespace zv
