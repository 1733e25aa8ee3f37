#include "costs/CostSearch.h"

#include "base/GermanText.h"
#include "costs/CostFields.h"
#include "storage/TMlbc.h"

namespace zv {

std::vector<CostSearchHit> SearchCosts(const TMlbc& ak, std::string_view term) {
    std::vector<CostSearchHit> hits;
    if (term.empty()) {
        return hits;
    }
    const std::string lowered = LowerAZ(term);
    const CostColumns columns(ak);
    for (int row = 1; row <= ak.RowCount(); ++row) {
        const std::string_view shop = ak.Cell(row, columns.geschaeft);
        const std::string_view article = ak.Cell(row, columns.artikel);
        if (LowerAZ(shop).find(lowered) == std::string::npos &&
            LowerAZ(article).find(lowered) == std::string::npos) {
            continue;
        }
        CostSearchHit hit;
        hit.row = row;
        hit.cells = {std::string(ak.Cell(row, columns.kaufdatum)),
                     std::string(shop),
                     std::string(article),
                     std::string(ak.Cell(row, columns.menge)),
                     std::string(ak.Cell(row, columns.einzelpreis)),
                     std::string(ak.Cell(row, columns.gesamtpreis))};
        hits.push_back(std::move(hit));
    }
    return hits;
}

} // namespace zv
