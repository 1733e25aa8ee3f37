#pragma once

#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPRItem.h"

namespace zv {

enum class TPRPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// A rectangle; one point high it is a horizontal line along its top edge,
// one point wide a vertical line along its left edge.
class TPRRect : public TPRItem {
public:
    using TPRItem::TPRItem;

    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor color) { lineColor_ = color; }
    double LineWidth() const { return lineWidth_; }
    void SetLineWidth(double width) { lineWidth_ = width; }
    TPRPenStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(TPRPenStyle style) { lineStyle_ = style; }
    TColor FillColor() const { return fillColor_; }
    void SetFillColor(TColor color) { fillColor_ = color; }

    void Print(TPRPrintContext& context, const TPRBounds& rect) override;

private:
    TColor lineColor_ = clBlack;
    double lineWidth_ = 0;
    TPRPenStyle lineStyle_ = TPRPenStyle::psSolid;
    TColor fillColor_ = clNone;
};

} // namespace zv
