#pragma once

#include "storage/DatabaseKind.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

enum class ExportFormat { Xlsx, Csv };

// The format a file name asks for by its extension (".xlsx", ".csv", in any
// case); none for another extension.
std::optional<ExportFormat> ExportFormatOf(const std::filesystem::path& file);

// The sheet's name: "Fänge", "Angelkosten", "Angeltage".
std::string_view SheetNameOf(DatabaseKind kind);

// Called after each written row with the rows done and the rows in all.
using ExportProgress = std::function<void(int done, int total)>;

struct ExportRequest {
    DatabaseKind kind = DatabaseKind::Catch;
    ExportFormat format = ExportFormat::Xlsx;
    std::filesystem::path file;
    // The table rows to write (1-based), in this order; every row when none
    // are given. Row numbers outside the table are left out.
    std::optional<std::vector<int>> rows;
    ExportProgress progress;
};

struct ExportResult {
    bool ok = false;
    int rows = 0;        // data rows written
    std::string problem; // German reason, naming the file, when not ok
};

// Writes the table's field names and the chosen rows to a spreadsheet file:
// one sheet whose first row holds the field names, then one row per table
// row with every cell as stored. The file is replaced whole or not at all.
ExportResult ExportTable(const TMlbc& table, const ExportRequest& request);

// "12 Fänge wurden nach \"/pfad/aus.xlsx\" exportiert." and the like, or the
// reason of a failure.
std::string ExportMessage(const ExportResult& result, const ExportRequest& request);

} // namespace zv
