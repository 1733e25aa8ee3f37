#include "costs/CostOverview.h"

#include "base/EConvertError.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "costs/CostFields.h"
#include "costs/MoneyText.h"
#include "storage/TMlb2.h"
#include "storage/TMlbc.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace zv {
namespace {

struct DateInfo {
    double day = 0; // whole days
    int year = 0;
};

DateInfo ReadDateInfo(std::string_view text) {
    const TDateTime value = StrToDate(text);
    return DateInfo{std::floor(value), DecodeDate(value).year};
}

// Parses each distinct date text once: a cost table holds far fewer days
// than rows.
class DateCache {
public:
    const DateInfo& Of(std::string_view text) {
        auto found = dates_.find(text);
        if (found != dates_.end()) {
            return found->second;
        }
        return dates_.emplace(text, ReadDateInfo(text)).first->second;
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

// A field of the cost table as the ids of its distinct texts; a field the
// table lacks reads as empty in every row.
class TextColumn {
public:
    TextColumn(const TMlbc& ak, int position) {
        if (position >= 1) {
            column_ = &ak.DistinctColumn(position);
        } else {
            missing_.idOfRow.assign(static_cast<std::size_t>(ak.RowCount()), 0);
            missing_.texts.emplace_back();
        }
    }

    std::uint32_t Id(int row) const { return Column().idOfRow[std::size_t(row - 1)]; }
    std::string_view Text(std::uint32_t id) const { return Column().texts[id]; }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(Column().texts.size()); }
    // The id of a text; Size() when no row holds it.
    std::uint32_t Find(std::string_view text) const {
        const auto& texts = Column().texts;
        return static_cast<std::uint32_t>(std::find(texts.begin(), texts.end(), text) -
                                          texts.begin());
    }

private:
    const TMlb2DistinctColumn& Column() const { return column_ != nullptr ? *column_ : missing_; }

    const TMlb2DistinctColumn* column_ = nullptr;
    TMlb2DistinctColumn missing_;
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

    // Dates and shops as the ids of their distinct texts (kept by the table
    // while it is unchanged), so grouping and ordering compare numbers and
    // every distinct date is parsed once.
    ak.Engine().IndexColumns({columns.kaufdatum, columns.geschaeft});
    const TextColumn dates(ak, columns.kaufdatum);
    const TextColumn shops(ak, columns.geschaeft);
    std::vector<std::optional<DateInfo>> dateInfo(dates.Size());
    const auto infoOf = [&](std::uint32_t dateId) -> const DateInfo& {
        std::optional<DateInfo>& info = dateInfo[dateId];
        if (!info) {
            info = ReadDateInfo(dates.Text(dateId));
        }
        return *info;
    };
    const std::uint32_t shopChosen = shopFiltered ? shops.Find(shopText) : 0;

    // One pass groups the passing rows by their exact date and shop texts;
    // a row with an empty Kaufdatum belongs to the year of the row before.
    struct Group {
        std::uint32_t date;
        std::uint32_t shop;
        int rows = 0;
    };
    std::vector<Group> groups;
    std::vector<int> groupOfRow(static_cast<std::size_t>(rowCount) + 1, -1);
    std::unordered_map<std::uint64_t, int> groupIds;
    int year = 0;
    for (int row = 1; row <= rowCount; ++row) {
        const std::uint32_t date = dates.Id(row);
        if (!dates.Text(date).empty()) {
            year = infoOf(date).year;
        }
        const std::uint32_t shop = shops.Id(row);
        if ((yearFilter != 0 && yearFilter != year) || (shopFiltered && shop != shopChosen)) {
            continue;
        }
        const std::uint64_t key = (std::uint64_t(date) << 32) | shop;
        const auto [found, added] = groupIds.try_emplace(key, int(groups.size()));
        if (added) {
            groups.push_back(Group{date, shop, 0});
        }
        ++groups[std::size_t(found->second)].rows;
        groupOfRow[std::size_t(row)] = found->second;
    }

    // Newest day first; on one day the shops descending without regard to
    // case, and names that differ only in case in descending byte order:
    // ranks of the dates and shops in use give that order as numbers. Every
    // purchase's day takes part in the order, so it must be a date.
    std::vector<std::uint32_t> dateRank(dates.Size());
    std::vector<std::uint32_t> shopRank(shops.Size());
    {
        std::vector<std::uint32_t> usedDates;
        std::vector<std::uint32_t> usedShops;
        std::vector<std::uint8_t> dateUsed(dates.Size());
        std::vector<std::uint8_t> shopUsed(shops.Size());
        for (const Group& group : groups) {
            if (dateUsed[group.date] == 0) {
                dateUsed[group.date] = 1;
                usedDates.push_back(group.date);
                infoOf(group.date);
            }
            if (shopUsed[group.shop] == 0) {
                shopUsed[group.shop] = 1;
                usedShops.push_back(group.shop);
            }
        }
        std::sort(usedDates.begin(), usedDates.end(), [&](std::uint32_t a, std::uint32_t b) {
            const double dayA = dateInfo[a]->day;
            const double dayB = dateInfo[b]->day;
            return dayA != dayB ? dayA < dayB : dates.Text(a) < dates.Text(b);
        });
        std::vector<std::string> keys(shops.Size());
        for (const std::uint32_t shop : usedShops) {
            keys[shop] = CollationKeyDe(shops.Text(shop));
        }
        std::sort(usedShops.begin(), usedShops.end(), [&](std::uint32_t a, std::uint32_t b) {
            return keys[a] != keys[b] ? keys[a] < keys[b] : shops.Text(a) < shops.Text(b);
        });
        for (std::size_t i = 0; i < usedDates.size(); ++i) {
            dateRank[usedDates[i]] = static_cast<std::uint32_t>(i);
        }
        for (std::size_t i = 0; i < usedShops.size(); ++i) {
            shopRank[usedShops[i]] = static_cast<std::uint32_t>(i);
        }
    }

    // Each purchase is built in its place in that order.
    std::vector<std::size_t> order(groups.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const Group& ga = groups[a];
        const Group& gb = groups[b];
        if (ga.date != gb.date) {
            return dateRank[ga.date] > dateRank[gb.date];
        }
        return shopRank[ga.shop] > shopRank[gb.shop];
    });
    std::vector<std::size_t> placeOf(groups.size());
    for (std::size_t place = 0; place < order.size(); ++place) {
        placeOf[order[place]] = place;
    }

    PurchaseTree tree;
    tree.purchases.resize(groups.size());
    std::vector<double> articleSums(groups.size(), 0.0);
    std::vector<double> shippingSums(groups.size(), 0.0);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        tree.purchases[placeOf[g]].articles.reserve(std::size_t(groups[g].rows));
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
        TTreeData& article = tree.purchases[placeOf[std::size_t(g)]].articles.emplace_back();
        article[kArticleName] = ak.Cell(row, columns.artikel);
        article[kArticleQuantity] = ak.Cell(row, columns.menge);
        article[kArticlePrice] = WithEuro(ak.Cell(row, columns.einzelpreis));
        article[kArticleTotal] = WithEuro(total);
    }
    for (std::size_t g = 0; g < groups.size(); ++g) {
        TTreeData& purchase = tree.purchases[placeOf[g]].purchase;
        purchase[kPurchaseDate] = dates.Text(groups[g].date);
        purchase[kPurchaseShop] = shops.Text(groups[g].shop);
        if (shippingSums[g] != 0) {
            purchase[kPurchaseShipping] = MoneyDisplay(shippingSums[g]);
        }
        purchase[kPurchaseSum] = MoneyDisplay(articleSums[g]);
        tree.shippingTotal += shippingSums[g];
        tree.articleTotal += articleSums[g];
    }
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
