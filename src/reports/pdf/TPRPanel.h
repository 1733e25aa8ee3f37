#pragma once

#include "reports/pdf/TPRContainer.h"
#include "reports/pdf/TPRControl.h"

#include <functional>

namespace zv {

class TPdfCanvas;

// A control that holds other controls: a band or a grid.
class TPRPanel : public TPRControl, public TPRContainer {
public:
    using PrintEvent = std::function<void(TPRPanel&, TPdfCanvas&, const TPRBounds&)>;

    using TPRControl::TPRControl;

    PrintEvent BeforePrint;
    PrintEvent AfterPrint;

protected:
    // Prints every child into its place inside `rect`: panels recursively,
    // printable items themselves.
    void PrintChildren(TPRPrintContext& context, const TPRBounds& rect);
};

} // namespace zv
