#include "reports/pdf/TPRPanel.h"

#include "reports/pdf/TPRItem.h"

namespace zv {

void TPRPanel::PrintChildren(TPRPrintContext& context, const TPRBounds& rect) {
    std::vector<TPRBounds> places = ArrangeChildren(rect);
    for (std::size_t i = 0; i < ChildCount(); ++i) {
        TPRControl& child = Child(i);
        if (!child.Skipped()) {
            child.Print(context, places[i]);
        }
    }
}

} // namespace zv
