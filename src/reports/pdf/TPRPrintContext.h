#pragma once

namespace zv {

class RandomSource;
class TPdfCanvas;
class TPdfDoc;

// What a template needs while it prints onto the current page.
class TPRPrintContext {
public:
    TPRPrintContext(TPdfDoc& doc, TPdfCanvas& canvas, RandomSource& random, double pageHeight)
        : doc_(doc), canvas_(canvas), random_(random), pageHeight_(pageHeight) {}

    TPdfDoc& Doc() const { return doc_; }
    TPdfCanvas& Canvas() const { return canvas_; }
    RandomSource& Random() const { return random_; }
    double PageHeight() const { return pageHeight_; }
    // A top-down y position in page coordinates.
    double PageY(double y) const { return pageHeight_ - y; }

private:
    TPdfDoc& doc_;
    TPdfCanvas& canvas_;
    RandomSource& random_;
    double pageHeight_;
};

} // namespace zv
