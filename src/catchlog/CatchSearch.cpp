#include "catchlog/CatchSearch.h"

#include "base/GermanText.h"
#include "storage/TMlbc.h"

#include <algorithm>

namespace zv {
namespace {

char LowerAsciiLetter(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `loweredTerm` (already lowered A to Z) occurs in `text` when the
// text's letters A to Z are lowered too. Umlauts are several bytes in UTF-8
// and are compared byte for byte, so they keep their case.
bool ContainsAZ(std::string_view text, std::string_view loweredTerm) {
    const auto found = std::search(
        text.begin(), text.end(), loweredTerm.begin(), loweredTerm.end(),
        [](char fromText, char fromTerm) { return LowerAsciiLetter(fromText) == fromTerm; });
    return found != text.end();
}

} // namespace

std::vector<CatchSearchHit> SearchCatches(const TMlbc& db, std::string_view term) {
    std::vector<CatchSearchHit> hits;
    if (term.empty()) {
        return hits;
    }
    const std::string lowered = LowerAZ(term);
    std::vector<int> searched;
    for (std::string_view field : kSearchedFields) {
        const int position = db.FieldIndex(field);
        if (position > 0) {
            searched.push_back(position);
        }
    }
    const int date = db.FieldIndex("Fangdatum");
    const int angler = db.FieldIndex("Faenger");
    const int species = db.FieldIndex("Fischart");
    const int length = db.FieldIndex("Laenge");
    const int weight = db.FieldIndex("Gewicht");
    const int rows = db.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const bool match = std::any_of(searched.begin(), searched.end(), [&](int position) {
            return ContainsAZ(db.Cell(row, position), lowered);
        });
        if (match) {
            hits.push_back({row, std::string(db.Cell(row, date)), std::string(db.Cell(row, angler)),
                            std::string(db.Cell(row, species)), std::string(db.Cell(row, length)),
                            std::string(db.Cell(row, weight))});
        }
    }
    return hits;
}

} // namespace zv
