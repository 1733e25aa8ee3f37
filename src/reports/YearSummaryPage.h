#pragma once

#include "costs/YearSummary.h"
#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPRPage.h"

#include <vector>

namespace zv {

class TPRGridPanel;
class TPRLabel;
class TPRRect;

// The colour of a year line on paper: red when the costs rose, green when
// they fell, black when they stayed (or the year before had none).
TColor YearSummaryColor(YearColour colour);

// The page template of the year summary: an empty title band, a header
// band of four framed column captions and a grid of 50 ruled lines.
class YearSummaryPage {
public:
    static constexpr int kLinesPerPage = 50;

    YearSummaryPage();
    YearSummaryPage(const YearSummaryPage&) = delete;
    YearSummaryPage& operator=(const YearSummaryPage&) = delete;

    TPRPage& Page() { return page_; }
    TPRGridPanel& Grid() { return *grid_; }

    void ShowLine(const YearSummaryItem& item);
    void ShowBlank();

    TColor LineColor() const;

private:
    TPRPage page_;
    TPRGridPanel* grid_ = nullptr;
    std::vector<TPRLabel*> labels_; // ju_jahr, ju_betrag, pvorjahre, pvorjahrp
    std::vector<TPRRect*> rules_;   // the line under it and the five column rules
};

} // namespace zv
