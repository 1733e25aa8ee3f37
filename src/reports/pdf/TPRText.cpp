#include "reports/pdf/TPRText.h"

#include "reports/pdf/TPRPrintContext.h"
#include "reports/pdf/TPdfCanvas.h"

namespace zv {

void TPRText::SetText(std::string_view text) {
    lines_.clear();
    std::string current;
    bool pending = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines_.push_back(current);
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current.push_back(c);
            pending = true;
        }
    }
    if (pending) {
        lines_.push_back(current);
    }
}

std::string TPRText::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines_[i];
    }
    return text;
}

void TPRText::Print(TPRPrintContext& context, const TPRBounds& rect) {
    TPdfCanvas& canvas = context.Canvas();
    canvas.SetFont(RegisteredFontName(), FontSize());
    canvas.SetRGBFillColor(FontColor());
    canvas.SetCharSpace(CharSpace());
    canvas.SetWordSpace(WordSpace());
    canvas.SetLeading(leading_);
    // Blank lines and blanks around the text would only push it down or in.
    std::string text = Text();
    std::size_t first = text.find_first_not_of(" \r\n");
    std::size_t last = text.find_last_not_of(" \r\n");
    text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    TPdfRect area{static_cast<double>(rect.Left), context.PageY(rect.Top),
                  static_cast<double>(rect.Right), context.PageY(rect.Bottom)};
    canvas.MultilineTextRect(area, text, wordWrap_);
}

} // namespace zv
