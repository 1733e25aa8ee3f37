#include "reports/CostListPage.h"

#include "reports/ReportBands.h"
#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPRLabel.h"
#include "reports/pdf/TPRLayoutPanel.h"
#include "reports/pdf/TPRRect.h"

namespace zv {

CostListPage::CostListPage() {
    title_ = &AddTitleBand(page_, "PRLabel12");
    const ReportColumn columns[] = {{"Datum:", 0, 65},
                                    {"Geschäft:", 64, 121},
                                    {"Artikel:", 184, 249},
                                    {"#:", 432, 33},
                                    {"Preis:", 464, 65}};
    AddHeaderBand(page_, columns);
    grid_ = &AddLineGrid(page_, "PRGridPanel2", kLinesPerPage);

    date_ = &AddLineLabel(*grid_, "PRLabel6", 3, 65, TPdfAlignment::LeftJustify);
    shop_ = &AddLineLabel(*grid_, "PRLabel7", 67, 118, TPdfAlignment::LeftJustify);
    article_ = &AddLineLabel(*grid_, "PRLabel8", 187, 246, TPdfAlignment::LeftJustify);
    // A long shop or article name ends at its column instead of printing
    // over the next; the sum caption (in the date's label) runs across.
    shop_->SetClipping(true);
    article_->SetClipping(true);
    quantity_ = &AddLineLabel(*grid_, "PRLabel9", 432, 33, TPdfAlignment::Center);
    price_ = &AddLineLabel(*grid_, "PRLabel10", 464, 65, TPdfAlignment::RightJustify);
    price_->SetFontColor(clRed);
    line_ = &grid_->Add<TPRRect>("PRRect17");
    line_->SetBounds(0, kLineBottom, 530, 1);
}

void CostListPage::SetTitle(const std::string& yearText) {
    title_->SetCaption(yearText);
}

const std::string& CostListPage::Title() const {
    return title_->Caption();
}

void CostListPage::ShowItem(const std::string& date, const std::string& shop,
                            const std::string& article, const std::string& quantity,
                            const std::string& price) {
    date_->SetFontBold(false);
    price_->SetFontBold(false);
    date_->SetCaption(date);
    shop_->SetCaption(shop);
    article_->SetCaption(article);
    quantity_->SetCaption(quantity);
    price_->SetCaption(price);
    line_->SetPrintable(true);
}

void CostListPage::ShowSum(const std::string& caption, const std::string& amount) {
    date_->SetFontBold(true);
    price_->SetFontBold(true);
    date_->SetCaption(caption);
    shop_->SetCaption("");
    article_->SetCaption("");
    quantity_->SetCaption("");
    price_->SetCaption(amount);
    line_->SetPrintable(false);
}

void CostListPage::ShowBlank() {
    date_->SetFontBold(false);
    for (TPRLabel* label : {date_, shop_, article_, quantity_, price_}) {
        label->SetCaption("");
    }
    line_->SetPrintable(false);
}

} // namespace zv
