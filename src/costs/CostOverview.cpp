#include "costs/CostOverview.h"

#include "base/EConvertError.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "costs/CostFields.h"
#include "costs/MoneyText.h"
#include "storage/TMlbc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

namespace zv {
namespace {

struct DateInfo {
    double day = 0; // whole days
    int year = 0;
};

// Parses each distinct date text once: a cost table holds far fewer days
// than rows.
class DateCache {
public:
    const DateInfo& Of(std::string_view text) {
        auto found = dates_.find(text);
        if (found != dates_.end()) {
            return found->second;
        }
        const TDateTime value = StrToDate(text);
        DateInfo info{std::floor(value), DecodeDate(value).year};
        return dates_.emplace(text, info).first->second;
    }

private:
    std::unordered_map<std::string_view, DateInfo> dates_;
};

// The year of every row: that of its Kaufdatum, or for an empty Kaufdatum
// that of the row before it (0 for the first row).
class RowYears {
public:
    RowYears(const TMlbc& ak, int column) : ak_(ak), column_(column) {}
    // Rows must be asked in ascending order.
    int YearOf(int row) {
        const std::string_view date = ak_.Cell(row, column_);
        if (!date.empty()) {
            year_ = dates_.Of(date).year;
        }
        return year_;
    }
    DateCache& Dates() { return dates_; }

private:
    const TMlbc& ak_;
    int column_;
    int year_ = 0;
    DateCache dates_;
};

bool IsAll(std::string_view text) {
    return text.empty() || text == kAllCosts;
}

std::string WithEuro(std::string_view stored) {
    std::string text(stored);
    text += kEuroSuffix;
    return text;
}

} // namespace

int YearFilterOf(std::string_view yearText) {
    return IsAll(yearText) ? 0 : StrToIntDe(yearText);
}

std::vector<std::string> FillYears(const TMlbc& ak, TDateTime now) {
    const int column = ak.FieldIndex(kKaufdatum);
    DateCache dates;
    double oldest = now;
    for (int row = 1; row <= ak.RowCount(); ++row) {
        const std::string_view text = ak.Cell(row, column);
        if (text.empty()) {
            throw EConvertError(InvalidDateMessage(text));
        }
        oldest = std::min(oldest, dates.Of(text).day);
    }
    std::vector<std::string> years{std::string(kAllCosts)};
    const int oldestYear = DecodeDate(oldest).year;
    for (int year = DecodeDate(now).year; year >= oldestYear; --year) {
        years.push_back(std::to_string(year));
    }
    return years;
}

std::vector<std::string> FillShops(const TMlbc& ak, std::string_view yearText) {
    const int filter = YearFilterOf(yearText);
    const CostColumns columns(ak);
    RowYears years(ak, columns.kaufdatum);
    std::unordered_map<std::string_view, bool> seenExact;
    std::vector<std::pair<std::string, std::string_view>> keyed; // collation key, name
    for (int row = 1; row <= ak.RowCount(); ++row) {
        const int year = years.YearOf(row);
        const std::string_view shop = ak.Cell(row, columns.geschaeft);
        if ((filter != 0 && filter != year) || shop.empty() ||
            !seenExact.try_emplace(shop, true).second) {
            continue;
        }
        keyed.emplace_back(CollationKeyDe(shop), shop);
    }
    // Stable, so of names equal without regard to case the first stored stays.
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> shops{std::string(kAllCosts)};
    const std::string* lastKey = nullptr;
    for (const auto& [key, shop] : keyed) {
        if (lastKey == nullptr || *lastKey != key) {
            shops.emplace_back(shop);
        }
        lastKey = &key;
    }
    return shops;
}

std::string PurchaseTree::ShippingText() const {
    return MoneyDisplay(shippingTotal);
}

std::string PurchaseTree::ArticleText() const {
    return MoneyDisplay(articleTotal);
}

std::string PurchaseTree::GrandText() const {
    return MoneyDisplay(shippingTotal + articleTotal);
}

PurchaseTree BuildPurchaseTree(const TMlbc& ak, std::string_view yearText,
                               std::string_view shopText) {
    const int yearFilter = YearFilterOf(yearText);
    const bool shopFiltered = !IsAll(shopText);
    const CostColumns columns(ak);
    const int rowCount = ak.RowCount();

    // One pass groups the passing rows by their exact date and shop texts.
    struct Group {
        std::string_view date;
        std::string_view shop;
        int shopId = 0;
        int rows = 0;
        double day = 0;
    };
    std::vector<Group> groups;
    std::vector<int> groupOfRow(static_cast<std::size_t>(rowCount) + 1, -1);
    std::unordered_map<std::string_view, int> dateIds;
    std::unordered_map<std::string_view, int> shopIds;
    std::unordered_map<std::uint64_t, int> groupIds;
    RowYears years(ak, columns.kaufdatum);
    for (int row = 1; row <= rowCount; ++row) {
        const int year = years.YearOf(row);
        const std::string_view shop = ak.Cell(row, columns.geschaeft);
        if ((yearFilter != 0 && yearFilter != year) || (shopFiltered && shop != shopText)) {
            continue;
        }
        const std::string_view date = ak.Cell(row, columns.kaufdatum);
        const int dateId = dateIds.try_emplace(date, int(dateIds.size())).first->second;
        const int shopId = shopIds.try_emplace(shop, int(shopIds.size())).first->second;
        const std::uint64_t key =
            (std::uint64_t(std::uint32_t(dateId)) << 32) | std::uint32_t(shopId);
        const auto [found, added] = groupIds.try_emplace(key, int(groups.size()));
        if (added) {
            groups.push_back(Group{date, shop, shopId, 0, 0});
        }
        ++groups[std::size_t(found->second)].rows;
        groupOfRow[std::size_t(row)] = found->second;
    }

    // Every purchase's day takes part in the order, so it must be a date.
    for (Group& group : groups) {
        group.day = years.Dates().Of(group.date).day;
    }
    std::vector<std::string> shopKeys(shopIds.size());
    for (const auto& [shop, id] : shopIds) {
        shopKeys[std::size_t(id)] = CollationKeyDe(shop);
    }

    PurchaseTree tree;
    tree.purchases.resize(groups.size());
    std::vector<double> articleSums(groups.size(), 0.0);
    std::vector<double> shippingSums(groups.size(), 0.0);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        tree.purchases[g].articles.reserve(std::size_t(groups[g].rows));
    }
    // Articles from the last stored row to the first.
    for (int row = rowCount; row >= 1; --row) {
        const int g = groupOfRow[std::size_t(row)];
        if (g < 0) {
            continue;
        }
        const std::string_view total = ak.Cell(row, columns.gesamtpreis);
        const std::string_view shipping = ak.Cell(row, columns.versandkosten);
        if (!total.empty()) {
            articleSums[std::size_t(g)] += StrToFloatDe(total);
        }
        if (!shipping.empty()) {
            shippingSums[std::size_t(g)] += StrToFloatDe(shipping);
        }
        TTreeData article;
        article[kArticleName] = ak.Cell(row, columns.artikel);
        article[kArticleQuantity] = ak.Cell(row, columns.menge);
        article[kArticlePrice] = WithEuro(ak.Cell(row, columns.einzelpreis));
        article[kArticleTotal] = WithEuro(total);
        tree.purchases[std::size_t(g)].articles.push_back(std::move(article));
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        TTreeData& purchase = tree.purchases[g].purchase;
        purchase[kPurchaseDate] = groups[g].date;
        purchase[kPurchaseShop] = groups[g].shop;
        if (shippingSums[g] != 0) {
            purchase[kPurchaseShipping] = MoneyDisplay(shippingSums[g]);
        }
        purchase[kPurchaseSum] = MoneyDisplay(articleSums[g]);
        tree.shippingTotal += shippingSums[g];
        tree.articleTotal += articleSums[g];
    }

    // Newest day first; on one day the shops descending without regard to
    // case, and names that differ only in case in descending byte order.
    std::vector<std::size_t> order(groups.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const Group& ga = groups[a];
        const Group& gb = groups[b];
        if (ga.day != gb.day) {
            return ga.day > gb.day;
        }
        if (ga.date != gb.date) {
            return ga.date > gb.date;
        }
        const std::string& ka = shopKeys[std::size_t(ga.shopId)];
        const std::string& kb = shopKeys[std::size_t(gb.shopId)];
        if (ka != kb) {
            return ka > kb;
        }
        return ga.shop > gb.shop;
    });
    std::vector<PurchaseNode> sorted;
    sorted.reserve(order.size());
    for (std::size_t index : order) {
        sorted.push_back(std::move(tree.purchases[index]));
    }
    tree.purchases = std::move(sorted);
    return tree;
}

std::vector<int> PurchaseRows(const TMlbc& ak, std::string_view date, std::string_view shop) {
    const CostColumns columns(ak);
    std::vector<int> rows;
    for (int row = 1; row <= ak.RowCount(); ++row) {
        if (ak.Cell(row, columns.kaufdatum) == date && ak.Cell(row, columns.geschaeft) == shop) {
            rows.push_back(row);
        }
    }
    return rows;
}

WorkspaceResult DeletePurchase(Workspace& workspace, std::string_view date, std::string_view shop,
                               int* deleted) {
    TMlbc& ak = workspace.ak();
    const std::vector<int> rows = PurchaseRows(ak, date, shop);
    if (deleted != nullptr) {
        *deleted = int(rows.size());
    }
    if (rows.empty()) {
        return WorkspaceResult{}; // nothing changed, nothing to write
    }
    // From the last row up, so the numbers of the rows still to go hold.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        ak.GoToRow(*row);
        ak.DeleteRow();
    }
    return workspace.Save(DatabaseKind::Cost);
}

} // namespace zv
