#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zv {

// Widths of the character codes 32 … 255 in thousandths of the font size.
using PdfWidthTable = std::array<std::int16_t, 224>;

// The width table of a standard font by its BaseFont name ("Helvetica",
// "Times-BoldItalic", "Courier-Oblique", …); nullptr for any other name.
const PdfWidthTable* StandardFontWidths(std::string_view baseFont);

} // namespace zv
