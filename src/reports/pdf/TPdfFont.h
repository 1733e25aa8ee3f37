#pragma once

#include "reports/pdf/PdfFontWidths.h"
#include "reports/pdf/TPdfDictionary.h"

#include <memory>
#include <string>
#include <string_view>

namespace zv {

// A standard Type 1 font with WinAnsi encoding, under the name a caller asks
// for ("Arial-Bold" → Helvetica-Bold). Its widths are kept beside the
// dictionary for measuring and never written.
class TPdfFont : public TPdfDictionary {
public:
    // nullptr when `registeredName` is not one of the twelve known names.
    // `index` is the font's place in the document's font list (F0, F1, …).
    static std::shared_ptr<TPdfFont> CreateStandard(std::string_view registeredName, int index);
    // The BaseFont for a registered name, empty when unknown.
    static std::string_view BaseFontOf(std::string_view registeredName);

    const std::string& RegisteredName() const { return registeredName_; }
    const std::string& BaseFont() const { return baseFont_; }
    // The font's place in its document's font list, and "F" with it.
    int Index() const { return index_; }
    const std::string& ResourceName() const { return resourceName_; }
    // Width of a character code in thousandths of the font size; 0 outside
    // 32 … 255.
    int CharWidth(unsigned char code) const {
        return code < 32 ? 0 : (*widths_)[static_cast<std::size_t>(code - 32)];
    }

private:
    TPdfFont() = default;

    std::string registeredName_;
    std::string baseFont_;
    std::string resourceName_;
    int index_ = 0;
    const PdfWidthTable* widths_ = nullptr;
};

} // namespace zv
