#include "catchlog/CatchPreview.h"

#include "catchlog/CommaText.h"
#include "storage/TMlbc.h"

namespace zv {

namespace {

std::string CellOf(const TMlbc& db, int row, std::string_view field) {
    const int position = db.FieldIndex(field);
    return position >= 1 ? std::string(db.Cell(row, position)) : std::string();
}

} // namespace

CatchPreview MakeCatchPreview(const TMlbc& db, int row) {
    CatchPreview preview;
    preview.fish = " " + CellOf(db, row, "Fischart") + ", " + CellOf(db, row, "Laenge") + " cm  " +
                   CellOf(db, row, "Gewicht") + " g";
    preview.date = " gefangen am " + CellOf(db, row, "Fangdatum") + ", " +
                   CellOf(db, row, "Fangzeit") + " Uhr";
    preview.water = " Gewässer: " + CellOf(db, row, "Gewaesser");
    const std::string baitLength = CellOf(db, row, "KoederLaenge");
    preview.bait = " Köder: " + CellOf(db, row, "Koeder") + " " + CellOf(db, row, "KoederFarbe") +
                   " " + (baitLength.empty() ? std::string() : baitLength + " cm") + " " +
                   CellOf(db, row, "Koederverhalten");
    preview.pictures = SplitCommaText(CellOf(db, row, "Bilder"));
    return preview;
}

} // namespace zv
