#pragma once

#include "base/DateTime.h"
#include "costs/TTreeData.h"
#include "storage/Workspace.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// The cost overview without the window: the year and shop choices and the
// purchases rebuilt from the cost rows. A purchase is the group of rows with
// exactly equal Kaufdatum and Geschaeft texts. Nothing here moves the
// table's cursor. A Kaufdatum that is not a date or a money cell that is not
// a number throws EConvertError and yields nothing.

// The year filter of a year drop-down text: 0 (all years) for "-Alle-" or
// empty, else the year; other text throws "… ist kein gültiger Integerwert".
int YearFilterOf(std::string_view yearText);

// "-Alle-", then the years from the year of `now` down to the year of the
// oldest Kaufdatum (the current year always; an empty Kaufdatum is not a date).
std::vector<std::string> FillYears(const TMlbc& ak, TDateTime now);

// "-Alle-", then the shops of the rows of that year (every row for "-Alle-")
// in ascending locale order, letter case folded: of names that differ only in
// case the first one stored stays. A row with an empty Kaufdatum belongs to
// the year of the row before it. Empty shop names are not offered.
std::vector<std::string> FillShops(const TMlbc& ak, std::string_view yearText);

struct PurchaseTree {
    // Newest day first; purchases of one day by shop descending without
    // regard to case (names differing only in case are separate purchases);
    // each purchase's articles from the last stored row to the first.
    std::vector<PurchaseNode> purchases;
    double shippingTotal = 0;
    double articleTotal = 0;

    std::string ShippingText() const; // gversand
    std::string ArticleText() const;  // gsumme
    std::string GrandText() const;    // gsum: shipping + articles
};

// The purchases of the rows that pass the year filter (as FillShops) and the
// shop filter (exact comparison; off for "-Alle-" or empty), in one pass.
PurchaseTree BuildPurchaseTree(const TMlbc& ak, std::string_view yearText,
                               std::string_view shopText);

// The row numbers (ascending) of the purchase with exactly this date and shop.
std::vector<int> PurchaseRows(const TMlbc& ak, std::string_view date, std::string_view shop);

// Deletes every row of the purchase and saves the cost database; the rows of
// other purchases keep their order. `deleted` receives the number of rows.
// A failed save is reported; the table keeps the deletion.
WorkspaceResult DeletePurchase(Workspace& workspace, std::string_view date, std::string_view shop,
                               int* deleted = nullptr);

} // namespace zv
