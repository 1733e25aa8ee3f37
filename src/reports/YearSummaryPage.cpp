#include "reports/YearSummaryPage.h"

#include "reports/ReportBands.h"
#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPRLabel.h"
#include "reports/pdf/TPRRect.h"

namespace zv {

TColor YearSummaryColor(YearColour colour) {
    switch (colour) {
    case YearColour::Red:
        return RGBColor(255, 0, 0);
    case YearColour::Green:
        return RGBColor(0, 128, 0);
    case YearColour::Normal:
        break;
    }
    return clBlack;
}

YearSummaryPage::YearSummaryPage() {
    // The title stays empty: the summary covers every year.
    AddTitleBand(page_, "PRLabel23");
    const ReportColumn columns[] = {{"Jahr:", 0, 65},
                                    {"Betrag:", 64, 161},
                                    {"+/- Vorjahr (€):", 224, 150},
                                    {"+/- Vorjahr (%):", 373, 157}};
    AddHeaderBand(page_, columns);
    grid_ = &AddLineGrid(page_, "PRGridPanel3", kLinesPerPage);
    labels_ = {&AddLineLabel(*grid_, "ju_jahr", 3, 65, TPdfAlignment::Center),
               &AddLineLabel(*grid_, "ju_betrag", 67, 158, TPdfAlignment::Center),
               &AddLineLabel(*grid_, "pvorjahre", 227, 145, TPdfAlignment::Center),
               &AddLineLabel(*grid_, "pvorjahrp", 376, 157, TPdfAlignment::Center)};
    auto& bottom = grid_->Add<TPRRect>("PRRect5");
    bottom.SetBounds(0, kLineBottom, 530, 1);
    rules_.push_back(&bottom);
    const std::pair<const char*, int> verticals[] = {
        {"PRRect9", 0}, {"PRRect6", 64}, {"PRRect7", 224}, {"PRRect8", 373}, {"PRRect23", 529}};
    for (const auto& [name, left] : verticals) {
        auto& rule = grid_->Add<TPRRect>(name);
        rule.SetBounds(left, 0, 1, 15);
        rules_.push_back(&rule);
    }
}

void YearSummaryPage::ShowLine(const YearSummaryItem& item) {
    const TColor color = YearSummaryColor(item.colour);
    const std::string texts[] = {std::to_string(item.year), item.amount + " €",
                                 item.changeEuro + " €", item.changePercent + " %"};
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->SetFontColor(color);
        labels_[i]->SetCaption(texts[i]);
    }
    for (TPRRect* rule : rules_) {
        rule->SetPrintable(true);
    }
}

void YearSummaryPage::ShowBlank() {
    for (TPRLabel* label : labels_) {
        label->SetCaption("");
    }
    for (TPRRect* rule : rules_) {
        rule->SetPrintable(false);
    }
}

TColor YearSummaryPage::LineColor() const {
    return labels_.front()->FontColor();
}

} // namespace zv
