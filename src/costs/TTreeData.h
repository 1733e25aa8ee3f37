#pragma once

#include <array>
#include <string>
#include <vector>

namespace zv {

// One row of a cost tree: four text cells, one per column. A purchase row
// holds date, shop, shipping and article sum; an article row holds name,
// quantity, unit price and total (money cells in display form).
struct TTreeData {
    std::array<std::string, 4> cells;

    std::string& operator[](std::size_t column) { return cells[column]; }
    const std::string& operator[](std::size_t column) const { return cells[column]; }
    bool operator==(const TTreeData&) const = default;
};

// A purchase row with its article rows in display order.
struct PurchaseNode {
    TTreeData purchase;
    std::vector<TTreeData> articles;
    bool operator==(const PurchaseNode&) const = default;
};

// The columns of a purchase row and of an article row.
enum PurchaseColumn {
    kPurchaseDate = 0,
    kPurchaseShop = 1,
    kPurchaseShipping = 2,
    kPurchaseSum = 3
};
enum ArticleColumn { kArticleName = 0, kArticleQuantity = 1, kArticlePrice = 2, kArticleTotal = 3 };

} // namespace zv
