#pragma once

#include "reports/pdf/TPRContainer.h"

#include <functional>

namespace zv {

class TPdfCanvas;
class TPRPrintContext;

// A page template: size, margins and the bands and grids that print on
// every page made from it. Unaligned children are placed relative to the
// top-left corner inside the margins.
class TPRPage : public TPRContainer {
public:
    using PrintPageEvent = std::function<void(TPRPage&, TPdfCanvas&)>;

    TPRPage() = default;
    TPRPage(const TPRPage&) = delete;
    TPRPage& operator=(const TPRPage&) = delete;

    int PageWidth() const { return pageWidth_; }
    int PageHeight() const { return pageHeight_; }
    void SetPageWidth(int width) { pageWidth_ = width; }
    void SetPageHeight(int height) { pageHeight_ = height; }

    // A margin must be at least 0 and less than half the page's extent in
    // its direction; other values are ignored.
    int MarginTop() const { return marginTop_; }
    int MarginLeft() const { return marginLeft_; }
    int MarginRight() const { return marginRight_; }
    int MarginBottom() const { return marginBottom_; }
    void SetMarginTop(int margin);
    void SetMarginLeft(int margin);
    void SetMarginRight(int margin);
    void SetMarginBottom(int margin);

    // The area inside the margins, in top-down page coordinates.
    TPRBounds ClientBounds() const;

    // Fired before the page's content prints.
    PrintPageEvent OnPrintPage;

    // Prints the template onto the canvas's current page.
    void Print(TPRPrintContext& context);

private:
    int pageWidth_ = 596;
    int pageHeight_ = 842;
    int marginTop_ = 32;
    int marginLeft_ = 32;
    int marginRight_ = 32;
    int marginBottom_ = 32;
};

} // namespace zv
