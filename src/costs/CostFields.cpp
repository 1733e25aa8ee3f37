#include "costs/CostFields.h"

#include "storage/TMlbc.h"

namespace zv {

CostColumns::CostColumns(const TMlbc& ak)
    : kaufdatum(ak.FieldIndex(kKaufdatum)), geschaeft(ak.FieldIndex(kGeschaeft)),
      artikel(ak.FieldIndex(kArtikel)), menge(ak.FieldIndex(kMenge)),
      einzelpreis(ak.FieldIndex(kEinzelpreis)), gesamtpreis(ak.FieldIndex(kGesamtpreis)),
      versandkosten(ak.FieldIndex(kVersandkosten)) {}

std::string MissingCostField(const TMlbc& ak) {
    for (std::string_view field :
         {kKaufdatum, kGeschaeft, kArtikel, kMenge, kEinzelpreis, kGesamtpreis, kVersandkosten}) {
        if (ak.FieldIndex(field) == 0) {
            return "Der Angelkostendatenbank fehlt das Feld \"" + std::string(field) +
                   "\"; der Einkauf kann nicht gespeichert werden.";
        }
    }
    return {};
}

} // namespace zv
