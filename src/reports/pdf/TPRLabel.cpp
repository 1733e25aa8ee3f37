#include "reports/pdf/TPRLabel.h"

#include "reports/pdf/PdfFormat.h"
#include "reports/pdf/TPRPrintContext.h"
#include "reports/pdf/TPdfCanvas.h"

namespace zv {

void TPRLabel::Print(TPRPrintContext& context, const TPRBounds& rect) {
    if (caption_.empty()) {
        return;
    }
    TPdfCanvas& canvas = context.Canvas();
    canvas.SetFont(RegisteredFontName(), FontSize());
    canvas.SetRGBFillColor(FontColor());
    canvas.SetWordSpace(WordSpace());
    if (alignJustified_) {
        // Measured without character spacing, then the gap is shared out
        // between the characters.
        std::string bytes = ContentBytes(caption_);
        double space = 0;
        if (bytes.size() > 1) {
            space = (rect.Width() - canvas.TextWidthBytes(bytes, 0)) /
                    static_cast<double>(bytes.size() - 1);
        }
        canvas.SetCharSpace(space > 0 ? space : 0);
    } else {
        canvas.SetCharSpace(CharSpace());
    }
    TPdfRect area{static_cast<double>(rect.Left), context.PageY(rect.Top),
                  static_cast<double>(rect.Right), context.PageY(rect.Bottom)};
    canvas.TextRect(area, caption_, alignment_, clipping_);
}

} // namespace zv
