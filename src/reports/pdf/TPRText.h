#pragma once

#include "reports/pdf/TPRFontItem.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Several lines of text from the top of the item's rectangle; text that
// would run below the rectangle is not written.
class TPRText : public TPRFontItem {
public:
    using TPRFontItem::TPRFontItem;

    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    // Splits a text at CR LF, CR or LF into lines.
    void SetText(std::string_view text);
    // The lines joined with CR LF.
    std::string Text() const;

    double Leading() const { return leading_; }
    void SetLeading(double leading) { leading_ = leading; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { wordWrap_ = wrap; }

    void Print(TPRPrintContext& context, const TPRBounds& rect) override;

private:
    std::vector<std::string> lines_;
    double leading_ = 14;
    bool wordWrap_ = false;
};

} // namespace zv
