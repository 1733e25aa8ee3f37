#include "reports/pdf/TPRLayoutPanel.h"

#include "reports/pdf/TPRPrintContext.h"

namespace zv {

void TPRLayoutPanel::Print(TPRPrintContext& context, const TPRBounds& rect) {
    if (BeforePrint) {
        BeforePrint(*this, context.Canvas(), rect);
    }
    PrintChildren(context, rect);
    if (AfterPrint) {
        AfterPrint(*this, context.Canvas(), rect);
    }
}

} // namespace zv
