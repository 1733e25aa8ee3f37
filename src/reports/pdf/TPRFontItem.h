#pragma once

#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPRItem.h"

#include <string>

namespace zv {

enum class TPRFontName { fnFixedWidth, fnArial, fnTimesRoman };

// The font settings shared by labels and texts.
class TPRFontItem : public TPRItem {
public:
    using TPRItem::TPRItem;

    TPRFontName FontName() const { return fontName_; }
    void SetFontName(TPRFontName name) { fontName_ = name; }
    double FontSize() const { return fontSize_; }
    void SetFontSize(double size) { fontSize_ = size; }
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool bold) { fontBold_ = bold; }
    bool FontItalic() const { return fontItalic_; }
    void SetFontItalic(bool italic) { fontItalic_ = italic; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { fontColor_ = color; }
    double CharSpace() const { return charSpace_; }
    void SetCharSpace(double space) { charSpace_ = space; }
    double WordSpace() const { return wordSpace_; }
    void SetWordSpace(double space) { wordSpace_ = space; }

    // The writer's registered name: "Arial-Bold", "Times-Italic",
    // "FixedWidth-BoldItalic", …
    std::string RegisteredFontName() const;

private:
    TPRFontName fontName_ = TPRFontName::fnArial;
    double fontSize_ = 12;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    TColor fontColor_ = clBlack;
    double charSpace_ = 0;
    double wordSpace_ = 0;
};

} // namespace zv
