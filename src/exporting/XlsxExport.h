#pragma once

#include "exporting/ExportSheet.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

// An Excel workbook of one sheet: a bold, frozen header row, typed date,
// time and number cells where the stored text allows (ExportCell), text
// otherwise, columns as wide as their contents. False with a German reason
// naming the file.
bool WriteXlsx(const ExportSheet& sheet, std::string_view sheetName,
               const std::filesystem::path& file, const ExportProgress& progress,
               std::string& error);

} // namespace zv
