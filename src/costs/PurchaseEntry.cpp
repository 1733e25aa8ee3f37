#include "costs/PurchaseEntry.h"

#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "base/Win1252.h"
#include "costs/CostFields.h"
#include "costs/MoneyText.h"
#include "storage/TMlbc.h"

#include <array>
#include <utility>

namespace zv {
namespace {

// Everything typed ends up in a Windows-1252 file; refuse what cannot.
void RequireStorable(std::string_view text) {
    const std::string bad = FirstNonWin1252Char(text);
    if (!bad.empty()) {
        throw EConvertError(NonWin1252Message(bad));
    }
}

// An amount at the two decimals the cost database keeps.
double StoredAmount(std::string_view text) {
    return StrToFloatDe(MoneyNumberForm(text));
}

// quantity × unit price; a total beyond what an amount may be is refused
// naming the quantity that made it so.
double ArticleTotal(std::string_view quantity, double price) {
    return CheckedAmount(StrToFloatDe(quantity) * price, quantity);
}

// The seven cells of one cost row, in the order of the cost fields.
using CostCells = std::array<std::string, 7>;
constexpr std::array<std::string_view, 7> kFieldOrder = {
    kKaufdatum, kGeschaeft, kArtikel, kMenge, kEinzelpreis, kGesamtpreis, kVersandkosten};

CostCells ReadRow(const TMlbc& ak, int row) {
    CostCells cells;
    for (std::size_t i = 0; i < kFieldOrder.size(); ++i) {
        cells[i] = ak.Cell(row, ak.FieldIndex(kFieldOrder[i]));
    }
    return cells;
}

void WriteRow(TMlbc& ak, const CostCells& cells) {
    for (std::size_t i = 0; i < kFieldOrder.size(); ++i) {
        ak.SetData(kFieldOrder[i], cells[i]);
    }
}

} // namespace

void PurchaseEntry::OpenForAdd() {
    mode_ = Mode::Add;
    formerDate_.clear();
    formerShop_.clear();
    Clear();
}

void PurchaseEntry::OpenForEdit(const PurchaseNode& purchase) {
    mode_ = Mode::Edit;
    formerDate_ = purchase.purchase[kPurchaseDate];
    formerShop_ = purchase.purchase[kPurchaseShop];
    purchase_ = purchase.purchase;
    articles_ = purchase.articles;
    hasPurchase_ = true;
    // A later article adds to the sum the purchase shows.
    double sum = 0;
    runningTotal_ = TryReadMoney(purchase_[kPurchaseSum], sum) ? sum : 0;
}

void PurchaseEntry::Clear() {
    hasPurchase_ = false;
    purchase_ = TTreeData{};
    articles_.clear();
    runningTotal_ = 0;
}

bool PurchaseEntry::StartPurchase(TDateTime date, std::string_view shop,
                                  std::string_view shipping) {
    if (hasPurchase_) {
        return false;
    }
    RequireStorable(shop);
    TTreeData row;
    row[kPurchaseDate] = DateToStr(date);
    row[kPurchaseShop] = shop;
    if (!shipping.empty()) {
        row[kPurchaseShipping] = MoneyDisplay(ReadMoney(shipping));
    }
    purchase_ = std::move(row);
    articles_.clear();
    runningTotal_ = 0;
    hasPurchase_ = true;
    return true;
}

bool PurchaseEntry::AddArticle(std::string_view name, std::string_view quantity,
                               std::string_view unitPrice) {
    if (!hasPurchase_) {
        return false;
    }
    RequireStorable(name);
    RequireStorable(quantity);
    const double price = ReadMoney(unitPrice);
    const double total = ArticleTotal(quantity, price);
    TTreeData article;
    article[kArticleName] = name;
    article[kArticleQuantity] = quantity;
    article[kArticlePrice] = MoneyDisplay(price);
    article[kArticleTotal] = MoneyDisplay(total);
    articles_.push_back(std::move(article));
    runningTotal_ += total;
    purchase_[kPurchaseSum] = MoneyDisplay(runningTotal_);
    return true;
}

void PurchaseEntry::SetCellText(int article, int column, std::string_view text) {
    if (!hasPurchase_ || column < 0 || column > 3 || article < -1 ||
        article >= int(articles_.size())) {
        return;
    }
    RequireStorable(text);
    TTreeData& row = article < 0 ? purchase_ : articles_[std::size_t(article)];
    row[std::size_t(column)] = text;
    if (article < 0 && column == kPurchaseDate) {
        // Rows of one purchase share the exact date text; a date typed as
        // 1.2.24 must not split a purchase from its 01.02.2024 rows.
        row[kPurchaseDate] = DateToStr(StrToDate(text));
    } else if (article < 0 && column == kPurchaseShipping && !text.empty()) {
        row[kPurchaseShipping] = MoneyDisplay(ReadMoney(text));
    }
    RecalculateTotals();
}

void PurchaseEntry::RecalculateTotals() {
    std::vector<std::pair<std::string, std::string>> cells; // price, total
    cells.reserve(articles_.size());
    double sum = 0;
    for (const TTreeData& article : articles_) {
        const double price = StoredAmount(article[kArticlePrice]);
        const double total = ArticleTotal(article[kArticleQuantity], price);
        cells.emplace_back(MoneyDisplay(price), MoneyDisplay(total));
        sum += total;
    }
    for (std::size_t i = 0; i < articles_.size(); ++i) {
        articles_[i][kArticlePrice] = std::move(cells[i].first);
        articles_[i][kArticleTotal] = std::move(cells[i].second);
    }
    purchase_[kPurchaseSum] = MoneyDisplay(sum);
    runningTotal_ = sum;
}

PurchaseEntry::SaveResult PurchaseEntry::SavePurchase(Workspace& workspace) {
    SaveResult result;
    if (!hasPurchase_ || articles_.empty()) {
        // A purchase is stored as its article rows; without one there is
        // nothing to write, and a shipping alone has no row to go into.
        result.ok = false;
        result.nothingToSave = true;
        Clear();
        return result;
    }

    // Every cell is checked before the table changes.
    StrToDate(purchase_[kPurchaseDate]);
    const std::string shipping = MoneyNumberForm(purchase_[kPurchaseShipping]);
    std::vector<CostCells> rows;
    rows.reserve(articles_.size());
    for (const TTreeData& article : articles_) {
        ArticleTotal(article[kArticleQuantity], StoredAmount(article[kArticlePrice]));
        CostCells cells;
        cells[0] = purchase_[kPurchaseDate];
        cells[1] = purchase_[kPurchaseShop];
        cells[2] = article[kArticleName];
        cells[3] = article[kArticleQuantity];
        cells[4] = MoneyNumberForm(article[kArticlePrice]);
        cells[5] = MoneyNumberForm(article[kArticleTotal]);
        cells[6] = rows.empty() ? shipping : std::string();
        rows.push_back(std::move(cells));
    }

    if (workspace.CostPath().empty()) {
        const WorkspaceResult created = CreateCostDatabase(workspace);
        if (!created.ok) {
            result.ok = false;
            result.problem = created.problem;
            return result;
        }
        result.message = created.message;
        // The settings may not name the new file: stored, but the angler
        // must hear that the next start will not find it.
        result.warning = created.problem;
    }
    TMlbc& ak = workspace.ak();
    if (const std::string missing = MissingCostField(ak); !missing.empty()) {
        result.ok = false;
        result.problem = missing;
        return result;
    }

    // Rows to rewrite (edit mode) with their former cells, for the way back.
    std::vector<std::pair<int, CostCells>> rewritten;
    if (mode_ == Mode::Edit) {
        const CostColumns columns(ak);
        for (int row = 1; row <= ak.RowCount() && rewritten.size() < rows.size(); ++row) {
            if (ak.Cell(row, columns.kaufdatum) == formerDate_ &&
                ak.Cell(row, columns.geschaeft) == formerShop_) {
                rewritten.emplace_back(row, ReadRow(ak, row));
            }
        }
    }
    const int rowsBefore = ak.RowCount();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i < rewritten.size()) {
            ak.GoToRow(rewritten[i].first);
        } else {
            // An article beyond the stored rows (added while editing) gets a
            // row of its own rather than being dropped.
            ak.AppendRow();
        }
        WriteRow(ak, rows[i]);
    }

    const WorkspaceResult saved = workspace.Save(DatabaseKind::Cost);
    if (!saved.ok) {
        while (ak.RowCount() > rowsBefore) {
            ak.GoToRow(ak.RowCount());
            ak.DeleteRow();
        }
        for (const auto& [row, cells] : rewritten) {
            ak.GoToRow(row);
            WriteRow(ak, cells);
        }
        result.ok = false;
        result.problem = saved.problem;
        return result;
    }
    Clear();
    return result;
}

WorkspaceResult CreateCostDatabase(Workspace& workspace) {
    return workspace.CreateDefaultDatabase(DatabaseKind::Cost);
}

} // namespace zv
