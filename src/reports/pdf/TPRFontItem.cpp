#include "reports/pdf/TPRFontItem.h"

namespace zv {

std::string TPRFontItem::RegisteredFontName() const {
    std::string family;
    switch (fontName_) {
    case TPRFontName::fnArial:
        family = "Arial";
        break;
    case TPRFontName::fnTimesRoman:
        family = "Times";
        break;
    case TPRFontName::fnFixedWidth:
        family = "FixedWidth";
        break;
    }
    if (fontBold_ && fontItalic_) {
        return family + "-BoldItalic";
    }
    if (fontBold_) {
        return family + "-Bold";
    }
    if (fontItalic_) {
        return family + "-Italic";
    }
    // Times has no plain family name among the standard fonts.
    return fontName_ == TPRFontName::fnTimesRoman ? "Times-Roman" : family;
}

} // namespace zv
