#pragma once

#include "reports/pdf/TPRFontItem.h"

#include <string>

namespace zv {

// One line of text in the item's rectangle.
class TPRLabel : public TPRFontItem {
public:
    using TPRFontItem::TPRFontItem;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    TPdfAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPdfAlignment alignment) { alignment_ = alignment; }
    // Spreads the characters over the whole width.
    bool AlignJustified() const { return alignJustified_; }
    void SetAlignJustified(bool justified) { alignJustified_ = justified; }
    bool Clipping() const { return clipping_; }
    void SetClipping(bool clipping) { clipping_ = clipping; }

    // Nothing at all is written for an empty caption.
    void Print(TPRPrintContext& context, const TPRBounds& rect) override;

private:
    std::string caption_;
    TPdfAlignment alignment_ = TPdfAlignment::LeftJustify;
    bool alignJustified_ = false;
    bool clipping_ = false;
};

} // namespace zv
