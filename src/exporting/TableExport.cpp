#include "exporting/TableExport.h"

#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "exporting/CsvExport.h"
#include "exporting/ExportSheet.h"
#include "exporting/XlsxExport.h"

namespace zv {

std::optional<ExportFormat> ExportFormatOf(const std::filesystem::path& file) {
    const std::string extension = LowerAZ(PathToUtf8(file.extension()));
    if (extension == ".xlsx") {
        return ExportFormat::Xlsx;
    }
    if (extension == ".csv") {
        return ExportFormat::Csv;
    }
    return std::nullopt;
}

std::string_view SheetNameOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Cost:
        return "Angelkosten";
    case DatabaseKind::Calendar:
        return "Angeltage";
    case DatabaseKind::Catch:
        break;
    }
    return "Fänge";
}

ExportResult ExportTable(const TMlbc& table, const ExportRequest& request) {
    const ExportSheet sheet(table, request.rows);
    ExportResult result;
    result.ok = request.format == ExportFormat::Csv
                    ? WriteCsv(sheet, request.file, request.progress, result.problem)
                    : WriteXlsx(sheet, SheetNameOf(request.kind), request.file, request.progress,
                                result.problem);
    result.rows = result.ok ? sheet.RowCount() : 0;
    return result;
}

std::string ExportMessage(const ExportResult& result, const ExportRequest& request) {
    if (!result.ok) {
        return result.problem;
    }
    const bool one = result.rows == 1;
    std::string what;
    switch (request.kind) {
    case DatabaseKind::Cost:
        what = one ? " Zeile Angelkosten wurde" : " Zeilen Angelkosten wurden";
        break;
    case DatabaseKind::Calendar:
        what = one ? " Angeltag wurde" : " Angeltage wurden";
        break;
    case DatabaseKind::Catch:
        what = one ? " Fang wurde" : " Fänge wurden";
        break;
    }
    return std::to_string(result.rows) + what + " nach \"" + PathToUtf8(request.file) +
           "\" exportiert.";
}

} // namespace zv
