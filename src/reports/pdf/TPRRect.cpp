#include "reports/pdf/TPRRect.h"

#include "reports/pdf/TPRPrintContext.h"
#include "reports/pdf/TPdfCanvas.h"

#include <vector>

namespace zv {

namespace {

std::vector<double> DashPattern(TPRPenStyle style) {
    switch (style) {
    case TPRPenStyle::psDash:
        return {3, 1};
    case TPRPenStyle::psDot:
        return {1, 1};
    case TPRPenStyle::psDashDot:
        return {3, 1, 1, 1};
    case TPRPenStyle::psDashDotDot:
        return {3, 1, 1, 1, 1, 1};
    default:
        return {};
    }
}

} // namespace

void TPRRect::Print(TPRPrintContext& context, const TPRBounds& rect) {
    int w = rect.Width();
    int h = rect.Height();
    bool hasLine = lineColor_ != clNone && lineStyle_ != TPRPenStyle::psClear;
    bool hasFill = fillColor_ != clNone;
    bool isArea = w > 1 && h > 1;
    if (w < 2 && h <= 1) {
        return;
    }
    if (!hasLine && (w < 2 || h < 2)) {
        return;
    }
    // Neither a line nor a fill: stroking would paint in whatever colour
    // the page last used.
    if (!hasLine && !hasFill) {
        return;
    }
    TPdfCanvas& canvas = context.Canvas();
    canvas.SetDash(DashPattern(lineStyle_), 0);

    double top = context.PageY(rect.Top);
    double bottom = context.PageY(rect.Bottom - 1);
    canvas.MoveTo(rect.Left, top);
    if (w > 1) {
        canvas.LineTo(rect.Right - 1, top);
        if (h > 1) {
            canvas.LineTo(rect.Right - 1, bottom);
        }
    }
    if (h > 1) {
        canvas.LineTo(rect.Left, bottom);
    }

    if (hasFill && isArea) {
        canvas.SetRGBFillColor(fillColor_);
    }
    if (hasLine) {
        canvas.SetRGBStrokeColor(lineColor_);
        canvas.SetLineWidth(lineWidth_);
    }

    if (!hasFill && isArea) {
        canvas.ClosePathStroke();
    } else if (hasFill && isArea) {
        if (!hasLine) {
            canvas.ClosePath();
            canvas.Fill();
        } else {
            canvas.ClosePathFillStroke();
        }
    } else {
        canvas.Stroke();
        canvas.NewPath();
    }
}

} // namespace zv
