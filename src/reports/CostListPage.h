#pragma once

#include "reports/pdf/TPRPage.h"

#include <string>

namespace zv {

class TPRGridPanel;
class TPRLabel;
class TPRRect;

// The page template of the cost list: a title band with the year, a header
// band of five framed column captions and a grid of 50 lines, one cost row
// each, with a line under every item.
class CostListPage {
public:
    static constexpr int kLinesPerPage = 50;

    CostListPage();
    CostListPage(const CostListPage&) = delete;
    CostListPage& operator=(const CostListPage&) = delete;

    TPRPage& Page() { return page_; }
    TPRGridPanel& Grid() { return *grid_; }

    void SetTitle(const std::string& yearText);
    const std::string& Title() const;

    // An item line: date, shop, article, quantity and the price text.
    void ShowItem(const std::string& date, const std::string& shop, const std::string& article,
                  const std::string& quantity, const std::string& price);
    // The closing sum line: the caption in the date column, the amount in
    // the price column, both bold, no line under it.
    void ShowSum(const std::string& caption, const std::string& amount);
    void ShowBlank();

private:
    TPRPage page_;
    TPRLabel* title_ = nullptr;
    TPRGridPanel* grid_ = nullptr;
    TPRLabel* date_ = nullptr;     // PRLabel6
    TPRLabel* shop_ = nullptr;     // PRLabel7
    TPRLabel* article_ = nullptr;  // PRLabel8
    TPRLabel* quantity_ = nullptr; // PRLabel9
    TPRLabel* price_ = nullptr;    // PRLabel10
    TPRRect* line_ = nullptr;      // PRRect17
};

} // namespace zv
