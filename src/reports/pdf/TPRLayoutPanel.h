#pragma once

#include "reports/pdf/TPRPanel.h"

namespace zv {

// A band: its children print inside its rectangle, between BeforePrint
// and AfterPrint.
class TPRLayoutPanel : public TPRPanel {
public:
    using TPRPanel::TPRPanel;
    void Print(TPRPrintContext& context, const TPRBounds& rect) override;
};

} // namespace zv
