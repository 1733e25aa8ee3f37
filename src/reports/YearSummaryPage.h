#pragma once

#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPRPage.h"

#include <string>
#include <vector>

namespace zv {

class TPRGridPanel;
class TPRLabel;
class TPRRect;

// One line of the year summary as the year summary list shows it: the
// year, the year's costs and the change against the calendar year before
// in euros and per cent (each "0" when that year had no costs).
struct YearSummaryLine {
    std::string year;          // "Jahr:"
    std::string amount;        // "Betrag (€):", e.g. "100,00"
    std::string changeEuro;    // "+ - Vorjahr (€)", e.g. "20,00", "-5,00" or "0"
    std::string changePercent; // "+ - Vorjahr (%)"
};

// The colour of a line: red when the costs rose, green when they fell,
// black when the change is 0. The change text must be a number
// (EConvertError otherwise).
TColor YearSummaryColor(const std::string& changeEuro);

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

    void ShowLine(const YearSummaryLine& line);
    void ShowBlank();

    TColor LineColor() const;

private:
    TPRPage page_;
    TPRGridPanel* grid_ = nullptr;
    std::vector<TPRLabel*> labels_; // ju_jahr, ju_betrag, pvorjahre, pvorjahrp
    std::vector<TPRRect*> rules_;   // the line under it and the five column rules
};

} // namespace zv
