#include "reports/pdf/TPdfFont.h"

#include <array>
#include <utility>

namespace zv {

namespace {

const std::array<std::pair<std::string_view, std::string_view>, 12> kStandardFonts = {{
    {"Arial", "Helvetica"},
    {"Arial-Bold", "Helvetica-Bold"},
    {"Arial-Italic", "Helvetica-Oblique"},
    {"Arial-BoldItalic", "Helvetica-BoldOblique"},
    {"Times-Roman", "Times-Roman"},
    {"Times-Bold", "Times-Bold"},
    {"Times-Italic", "Times-Italic"},
    {"Times-BoldItalic", "Times-BoldItalic"},
    {"FixedWidth", "Courier"},
    {"FixedWidth-Bold", "Courier-Bold"},
    {"FixedWidth-Italic", "Courier-Oblique"},
    {"FixedWidth-BoldItalic", "Courier-BoldOblique"},
}};

} // namespace

std::string_view TPdfFont::BaseFontOf(std::string_view registeredName) {
    for (const auto& [name, base] : kStandardFonts) {
        if (name == registeredName) {
            return base;
        }
    }
    return {};
}

std::shared_ptr<TPdfFont> TPdfFont::CreateStandard(std::string_view registeredName, int index) {
    std::string_view base = BaseFontOf(registeredName);
    if (base.empty()) {
        return nullptr;
    }
    std::shared_ptr<TPdfFont> font(new TPdfFont());
    font->registeredName_ = std::string(registeredName);
    font->baseFont_ = std::string(base);
    font->resourceName_ = "F" + std::to_string(index);
    font->index_ = index;
    font->widths_ = StandardFontWidths(base);
    font->AddName("Type", "Font");
    font->AddName("Subtype", "Type1");
    font->AddName("Encoding", "WinAnsiEncoding");
    font->AddNumber("FirstChar", 32);
    font->AddNumber("LastChar", 255);
    font->AddName("BaseFont", font->baseFont_);
    font->AddName("Name", font->resourceName_);
    return font;
}

} // namespace zv
