#include "exporting/CsvExport.h"

#include "base/AtomicFile.h"

namespace zv {
namespace {

// German spreadsheet programs split at ";" and read UTF-8 only with the mark.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kSeparator = ';';
constexpr std::string_view kLineEnd = "\r\n";

// A field goes in quotes when it holds the separator, a quote or a line
// break; quotes inside are doubled.
void AppendField(std::string& line, std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
        line += text;
        return;
    }
    line += '"';
    for (const char c : text) {
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

// Appends the fields 0 … fieldCount-1, `fieldAt(i)` each, as one line.
template <typename FieldAt>
void AppendLine(std::string& line, int fieldCount, const FieldAt& fieldAt) {
    for (int field = 0; field < fieldCount; ++field) {
        if (field > 0) {
            line += kSeparator;
        }
        AppendField(line, fieldAt(field));
    }
    line += kLineEnd;
}

} // namespace

bool WriteCsv(const ExportSheet& sheet, const std::filesystem::path& file,
              const ExportProgress& progress, std::string& error) {
    AtomicFileWriter writer;
    if (!writer.Open(file)) {
        error = writer.Error();
        return false;
    }
    std::string line(kByteOrderMark);
    const std::vector<std::string>& fields = sheet.Fields();
    const int fieldCount = int(fields.size());
    AppendLine(line, fieldCount,
               [&](int field) { return std::string_view(fields[std::size_t(field)]); });
    writer.Write(line);
    const int rows = sheet.RowCount();
    for (int row = 0; row < rows; ++row) {
        line.clear();
        AppendLine(line, fieldCount, [&](int field) { return sheet.Cell(row, field); });
        writer.Write(line);
        if (progress) {
            progress(row + 1, rows);
        }
    }
    if (!writer.Commit()) {
        error = writer.Error();
        return false;
    }
    return true;
}

} // namespace zv
