#include "reports/pdf/TPRGridPanel.h"

#include "reports/pdf/TPRPrintContext.h"

namespace zv {

void TPRGridPanel::SetColCount(int count) {
    if (count >= 1) {
        colCount_ = count;
    }
}

void TPRGridPanel::SetRowCount(int count) {
    if (count >= 1) {
        rowCount_ = count;
    }
}

TPRBounds TPRGridPanel::CellBounds(const TPRBounds& rect, int col, int row) const {
    long long width = rect.Width();
    long long height = rect.Height();
    int left = rect.Left + static_cast<int>(col * width / colCount_);
    int top = rect.Top + static_cast<int>(row * height / rowCount_);
    return {left, top, left + static_cast<int>(width / colCount_),
            top + static_cast<int>(height / rowCount_)};
}

void TPRGridPanel::PrintCell(TPRPrintContext& context, const TPRBounds& rect, int col, int row) {
    TPRBounds cell = CellBounds(rect, col, row);
    if (BeforePrintChild) {
        BeforePrintChild(*this, context.Canvas(), col, row, cell);
    }
    PrintChildren(context, cell);
    if (AfterPrintChild) {
        AfterPrintChild(*this, context.Canvas(), col, row, cell);
    }
}

void TPRGridPanel::Print(TPRPrintContext& context, const TPRBounds& rect) {
    if (BeforePrint) {
        BeforePrint(*this, context.Canvas(), rect);
    }
    if (direction_ == TPRPrintDirection::pdHorz) {
        for (int row = 0; row < rowCount_; ++row) {
            for (int col = 0; col < colCount_; ++col) {
                PrintCell(context, rect, col, row);
            }
        }
    } else {
        for (int col = 0; col < colCount_; ++col) {
            for (int row = 0; row < rowCount_; ++row) {
                PrintCell(context, rect, col, row);
            }
        }
    }
    if (AfterPrint) {
        AfterPrint(*this, context.Canvas(), rect);
    }
}

} // namespace zv
