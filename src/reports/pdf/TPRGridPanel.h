#pragma once

#include "reports/pdf/TPRPanel.h"

#include <functional>

namespace zv {

enum class TPRPrintDirection { pdHorz, pdVert };

// A grid whose cells all print the same children (the cell template),
// placed relative to each cell's top-left corner. Before each cell the
// owner may change the children's contents.
class TPRGridPanel : public TPRPanel {
public:
    using CellEvent =
        std::function<void(TPRGridPanel&, TPdfCanvas&, int col, int row, const TPRBounds&)>;

    using TPRPanel::TPRPanel;

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // Values below 1 are ignored.
    void SetColCount(int count);
    void SetRowCount(int count);
    TPRPrintDirection PrintDirection() const { return direction_; }
    void SetPrintDirection(TPRPrintDirection direction) { direction_ = direction; }

    // The cell in column `col` and row `row` (from 0) for a grid placed at
    // `rect`: origin at trunc(col × width ÷ ColCount), trunc(row × height ÷
    // RowCount), size (width div ColCount) × (height div RowCount).
    TPRBounds CellBounds(const TPRBounds& rect, int col, int row) const;

    void Print(TPRPrintContext& context, const TPRBounds& rect) override;

    CellEvent BeforePrintChild;
    CellEvent AfterPrintChild;

private:
    void PrintCell(TPRPrintContext& context, const TPRBounds& rect, int col, int row);

    int colCount_ = 1;
    int rowCount_ = 1;
    TPRPrintDirection direction_ = TPRPrintDirection::pdHorz;
};

} // namespace zv
