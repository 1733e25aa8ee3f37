#include "reports/ReportBands.h"

#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPRLabel.h"
#include "reports/pdf/TPRLayoutPanel.h"
#include "reports/pdf/TPRPage.h"
#include "reports/pdf/TPRRect.h"

#include <string>

namespace zv {

namespace {
constexpr int kTitleHeight = 24;
constexpr int kHeaderHeight = 25;
} // namespace

TPRLabel& AddTitleBand(TPRPage& page, const char* labelName) {
    page.SetPageWidth(596);
    page.SetPageHeight(842);
    page.SetMarginLeft(32);
    page.SetMarginRight(32);
    page.SetMarginTop(32);
    page.SetMarginBottom(32);
    auto& band = page.Add<TPRLayoutPanel>("TitleBand");
    band.SetAlign(TPRAlign::Top);
    band.SetHeight(kTitleHeight);
    auto& label = band.Add<TPRLabel>(labelName);
    label.SetAlign(TPRAlign::Client);
    label.SetFontSize(20);
    label.SetAlignment(TPdfAlignment::Center);
    return label;
}

void AddHeaderBand(TPRPage& page, std::span<const ReportColumn> columns) {
    auto& band = page.Add<TPRLayoutPanel>("HeaderBand");
    band.SetAlign(TPRAlign::Top);
    band.SetHeight(kHeaderHeight);
    int number = 0;
    for (const ReportColumn& column : columns) {
        ++number;
        auto& frame = band.Add<TPRRect>("HeaderFrame" + std::to_string(number));
        frame.SetBounds(column.left, 0, column.width, kHeaderHeight);
        auto& caption = band.Add<TPRLabel>("HeaderCaption" + std::to_string(number));
        caption.SetBounds(column.left, 7, column.width, 16);
        caption.SetFontSize(12);
        caption.SetFontBold(true);
        caption.SetFontColor(clNavy);
        caption.SetAlignment(TPdfAlignment::Center);
        caption.SetCaption(column.caption);
    }
}

TPRGridPanel& AddLineGrid(TPRPage& page, const char* name, int lines) {
    auto& grid = page.Add<TPRGridPanel>(name);
    grid.SetBounds(0, kTitleHeight + kHeaderHeight, 530, 727);
    grid.SetColCount(1);
    grid.SetRowCount(lines);
    return grid;
}

TPRLabel& AddLineLabel(TPRGridPanel& grid, const char* name, int left, int width,
                       TPdfAlignment alignment) {
    auto& label = grid.Add<TPRLabel>(name);
    label.SetBounds(left, 1, width, 13);
    label.SetFontSize(10);
    label.SetAlignment(alignment);
    return label;
}

} // namespace zv
