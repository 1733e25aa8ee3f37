#include "reports/pdf/TPRPage.h"

#include "reports/pdf/TPRPanel.h"
#include "reports/pdf/TPRPrintContext.h"
#include "reports/pdf/TPdfCanvas.h"

namespace zv {

void TPRPage::SetMarginTop(int margin) {
    if (margin >= 0 && margin * 2 < pageHeight_) {
        marginTop_ = margin;
    }
}

void TPRPage::SetMarginBottom(int margin) {
    if (margin >= 0 && margin * 2 < pageHeight_) {
        marginBottom_ = margin;
    }
}

void TPRPage::SetMarginLeft(int margin) {
    if (margin >= 0 && margin * 2 < pageWidth_) {
        marginLeft_ = margin;
    }
}

void TPRPage::SetMarginRight(int margin) {
    if (margin >= 0 && margin * 2 < pageWidth_) {
        marginRight_ = margin;
    }
}

TPRBounds TPRPage::ClientBounds() const {
    return {marginLeft_, marginTop_, pageWidth_ - marginRight_, pageHeight_ - marginBottom_};
}

void TPRPage::Print(TPRPrintContext& context) {
    TPdfCanvas& canvas = context.Canvas();
    canvas.SetPageWidth(pageWidth_);
    canvas.SetPageHeight(pageHeight_);
    if (OnPrintPage) {
        OnPrintPage(*this, canvas);
    }
    std::vector<TPRBounds> places = ArrangeChildren(ClientBounds());
    for (std::size_t i = 0; i < ChildCount(); ++i) {
        if (auto* panel = dynamic_cast<TPRPanel*>(&Child(i))) {
            panel->Print(context, places[i]);
        }
    }
}

} // namespace zv
