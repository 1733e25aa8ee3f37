#pragma once

#include "exporting/ExportSheet.h"

#include <filesystem>
#include <string>

namespace zv {

// RFC 4180 text as German spreadsheet programs open it directly: UTF-8 with
// a byte-order mark, ";" between fields, CR LF after each line, quotes only
// where a field needs them. False with a German reason naming the file.
bool WriteCsv(const ExportSheet& sheet, const std::filesystem::path& file,
              const ExportProgress& progress, std::string& error);

} // namespace zv
