#pragma once

#include "base/DateTime.h"
#include "costs/TTreeData.h"
#include "storage/Workspace.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// What the cost entry window holds while a purchase is entered: at most one
// purchase row with its article rows, the running total, the mode and, when
// editing, the date and shop the purchase was stored under.
//
// Conversions throw EConvertError with the runtime's German message naming
// the offending text; text that Windows-1252 cannot hold throws the same
// with its own message. Every operation checks before it changes anything,
// except the in-place edit, whose typed text stays in its cell.
class PurchaseEntry {
public:
    enum class Mode { Add, Edit };

    static constexpr const char* kNothingToSave = "Keine Daten zu speichern";

    Mode GetMode() const { return mode_; }
    bool Empty() const { return !hasPurchase_; }
    const TTreeData& Purchase() const { return purchase_; }
    const std::vector<TTreeData>& Articles() const { return articles_; }
    double RunningTotal() const { return runningTotal_; }
    const std::string& FormerDate() const { return formerDate_; }
    const std::string& FormerShop() const { return formerShop_; }

    // Add mode with an empty tree.
    void OpenForAdd();
    // Edit mode on a copy of a purchase of the overview; its date and shop
    // cells are the texts the purchase is stored under.
    void OpenForEdit(const PurchaseNode& purchase);
    // Empties the tree (closing the window); the mode stays.
    void Clear();

    // Starts a purchase in an empty tree: date as dd.mm.yyyy, the shop as
    // typed, the shipping in display form or empty when none was typed.
    // False (nothing changed) when the tree already holds a purchase.
    bool StartPurchase(TDateTime date, std::string_view shop, std::string_view shipping);

    // Appends an article: quantity and unit price are read as decimal
    // numbers (1,5 is a quantity), the unit price and the total shown in
    // display form, and the purchase's sum grows. False without a purchase.
    bool AddArticle(std::string_view name, std::string_view quantity, std::string_view unitPrice);

    // The in-place edit of a cell: `article` -1 is the purchase row. The text
    // replaces the cell, then RecalculateTotals runs. An edited date is
    // checked and written dd.mm.yyyy; an edited shipping (empty means none)
    // and the unit prices are read as amounts and shown in display form.
    void SetCellText(int article, int column, std::string_view text);

    // Every article total := quantity × unit price (the unit price at the two
    // decimals that are stored), the purchase's sum and the running total :=
    // their sum. All or nothing: a quantity or price that is not a number
    // throws and leaves every cell as it was.
    void RecalculateTotals();

    struct SaveResult {
        bool ok = true;
        bool nothingToSave = false; // the tree held no article: nothing written
        std::string message;        // notice of a cost database created on the way
        std::string warning;        // what went wrong creating it, though stored (German)
        std::string problem;        // why nothing was stored (German)
    };

    // Stores the purchase into the cost table and saves the whole file.
    // Add mode appends one row per article. Edit mode rewrites, in table
    // order, the rows stored under the former date and shop, one per article
    // in tree order, and appends a row for each article beyond them. The
    // shipping goes into the first row only. Without an open cost database
    // the default one is created first. On success the tree is emptied; when
    // the file cannot be written the table is put back as it was and the
    // tree keeps the purchase, so it can be saved again.
    SaveResult SavePurchase(Workspace& workspace);

private:
    Mode mode_ = Mode::Add;
    bool hasPurchase_ = false;
    TTreeData purchase_;
    std::vector<TTreeData> articles_;
    double runningTotal_ = 0;
    std::string formerDate_;
    std::string formerShop_;
};

// Creates the default cost database "Angelkosten.a" in the program folder,
// records it in the settings and makes it current (an existing file of that
// name is opened instead). `message` is the notice to show.
WorkspaceResult CreateCostDatabase(Workspace& workspace);

} // namespace zv
