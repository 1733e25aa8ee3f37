#include "exporting/XlsxExport.h"

#include "base/AtomicFile.h"
#include "base/SystemErrorText.h"
#include "exporting/ExportCell.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace zv {
namespace {

// The most rows and characters a sheet and a cell hold.
constexpr int kMaxSheetRows = 1048576;
constexpr std::size_t kMaxCellChars = 32767;
// Column widths in characters: room for a short value, no wider than a
// screen's share for a long comment (which then wraps).
constexpr int kMinWidth = 6;
constexpr int kMaxWidth = 60;

std::string Failed(const std::filesystem::path& file, const std::string& reason) {
    return "Die Datei \"" + PathToUtf8(file) + "\" konnte nicht geschrieben werden: " + reason;
}

// Characters, not bytes, of the text's longest line.
std::size_t LongestLine(std::string_view text) {
    std::size_t longest = 0;
    std::size_t current = 0;
    for (const char c : text) {
        if (c == '\n' || c == '\r') {
            current = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            longest = std::max(longest, ++current);
        }
    }
    return longest;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Spreadsheets read "_x0041_" in a cell as the character it codes, "A";
// typed by the angler it must stay those seven characters, so its "_" is
// written as the code of "_" itself.
void AssignCellText(std::string& text, std::string_view stored) {
    text.clear();
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const bool coded = stored[i] == '_' && i + 6 < stored.size() && stored[i + 1] == 'x' &&
                           stored[i + 6] == '_' &&
                           std::all_of(stored.begin() + std::ptrdiff_t(i) + 2,
                                       stored.begin() + std::ptrdiff_t(i) + 6, IsHexDigit);
        text += coded ? std::string_view("_x005F_") : stored.substr(i, 1);
    }
}

std::size_t Characters(std::string_view text) {
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A private folder for libxlsxwriter's file, which it can only write by name;
// the finished workbook is then copied over the target in one step.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code ec;
        std::string pattern =
            PathToUtf8(std::filesystem::temp_directory_path(ec) / "zelvorin-export-XXXXXX");
        if (ec) {
            pattern = "/tmp/zelvorin-export-XXXXXX";
        }
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = PathFromUtf8(pattern);
        } else {
            error_ = SystemErrorText(errno);
        }
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ec);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    const std::string& Error() const { return error_; }

private:
    std::filesystem::path path_;
    std::string error_;
};

bool CopyOver(const std::filesystem::path& from, const std::filesystem::path& to,
              std::string& error) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        error = Failed(to, "die Arbeitsmappe konnte nicht gelesen werden.");
        return false;
    }
    AtomicFileWriter writer;
    if (!writer.Open(to)) {
        error = writer.Error();
        return false;
    }
    std::string buffer(1 << 16, '\0');
    while (in) {
        in.read(buffer.data(), std::streamsize(buffer.size()));
        writer.Write(std::string_view(buffer.data(), std::size_t(in.gcount())));
    }
    if (in.bad()) {
        error = Failed(to, "die Arbeitsmappe konnte nicht gelesen werden.");
        return false;
    }
    if (!writer.Commit()) {
        error = writer.Error();
        return false;
    }
    return true;
}

class SheetWriter {
public:
    SheetWriter(const ExportSheet& sheet, const std::filesystem::path& scratch,
                std::string_view sheetName)
        : sheet_(sheet), sheetName_(sheetName), tmpdir_(PathToUtf8(scratch.parent_path())) {
        // Row by row to disk: a large table needs no memory for its cells.
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = tmpdir_.data();
        workbook_ = workbook_new_opt(PathToUtf8(scratch).c_str(), &options);
    }
    ~SheetWriter() {
        if (workbook_ != nullptr) {
            workbook_close(workbook_);
        }
    }
    SheetWriter(const SheetWriter&) = delete;
    SheetWriter& operator=(const SheetWriter&) = delete;

    // The reason of a failure, without the file name.
    bool Write(const ExportProgress& progress, std::string& reason);

private:
    bool Check(lxw_error result, int row, int field, std::string& reason) const;
    void AddFormats();
    void SetColumns(std::vector<std::size_t>& widths);
    lxw_format* NumberFormat(ExportCell::Type type) const;

    const ExportSheet& sheet_;
    std::string sheetName_;
    std::string tmpdir_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* worksheet_ = nullptr;
    lxw_format* header_ = nullptr;
    lxw_format* date_ = nullptr;
    lxw_format* time_ = nullptr;
    lxw_format* fixed2_ = nullptr;
    lxw_format* wrap_ = nullptr;
};

void SheetWriter::AddFormats() {
    header_ = workbook_add_format(workbook_);
    format_set_bold(header_);
    date_ = workbook_add_format(workbook_);
    format_set_num_format(date_, "dd.mm.yyyy");
    time_ = workbook_add_format(workbook_);
    format_set_num_format(time_, "hh:mm:ss");
    fixed2_ = workbook_add_format(workbook_);
    format_set_num_format(fixed2_, "0.00");
    wrap_ = workbook_add_format(workbook_);
    format_set_text_wrap(wrap_);
    format_set_align(wrap_, LXW_ALIGN_VERTICAL_TOP);
}

// The format that shows a typed cell as it was stored; none for the general
// number format.
lxw_format* SheetWriter::NumberFormat(ExportCell::Type type) const {
    switch (type) {
    case ExportCell::Type::Date:
        return date_;
    case ExportCell::Type::Time:
        return time_;
    case ExportCell::Type::Fixed2:
        return fixed2_;
    default:
        return nullptr;
    }
}

bool SheetWriter::Check(lxw_error result, int row, int field, std::string& reason) const {
    if (result == LXW_NO_ERROR) {
        return true;
    }
    const std::string& name = sheet_.Fields()[std::size_t(field)];
    if (result == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED) {
        reason = "das Feld \"" + name + "\" in Zeile " + std::to_string(row) +
                 " ist länger als die " + std::to_string(kMaxCellChars) +
                 " Zeichen, die eine Zelle fasst.";
    } else {
        reason = "Zeile " + std::to_string(row) + ", Feld \"" + name +
                 "\": " + lxw_strerror(result) + ".";
    }
    return false;
}

void SheetWriter::SetColumns(std::vector<std::size_t>& widths) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const double width =
            double(std::clamp<std::size_t>(widths[column] + 2, kMinWidth, kMaxWidth));
        worksheet_set_column(worksheet_, lxw_col_t(column), lxw_col_t(column), width, nullptr);
    }
}

bool SheetWriter::Write(const ExportProgress& progress, std::string& reason) {
    if (workbook_ == nullptr) {
        reason = "die Arbeitsmappe konnte nicht angelegt werden.";
        return false;
    }
    const std::vector<std::string>& fields = sheet_.Fields();
    const int fieldCount = int(fields.size());
    const int rows = sheet_.RowCount();
    if (rows >= kMaxSheetRows) {
        reason = "eine Tabelle fasst höchstens " + std::to_string(kMaxSheetRows - 1) +
                 " Zeilen unter der Kopfzeile.";
        return false;
    }
    worksheet_ = workbook_add_worksheet(workbook_, sheetName_.c_str());
    AddFormats();

    // The widths must be known before the first row: in this mode each row
    // goes to disk as soon as the next begins.
    std::vector<ColumnKind> kinds;
    std::vector<std::size_t> widths;
    for (const std::string& name : fields) {
        kinds.push_back(ColumnKindOf(name));
        widths.push_back(Characters(name));
    }
    for (int row = 0; row < rows; ++row) {
        for (int field = 0; field < fieldCount; ++field) {
            std::size_t& width = widths[std::size_t(field)];
            width = std::max(width, LongestLine(sheet_.Cell(row, field)));
        }
    }
    SetColumns(widths);
    worksheet_freeze_panes(worksheet_, 1, 0);

    std::string text;
    for (int field = 0; field < fieldCount; ++field) {
        if (!Check(worksheet_write_string(worksheet_, 0, lxw_col_t(field),
                                          fields[std::size_t(field)].c_str(), header_),
                   0, field, reason)) {
            return false;
        }
    }
    for (int row = 0; row < rows; ++row) {
        const lxw_row_t sheetRow = lxw_row_t(row + 1);
        for (int field = 0; field < fieldCount; ++field) {
            const std::string_view stored = sheet_.Cell(row, field);
            const ExportCell cell = TypeCell(kinds[std::size_t(field)], stored);
            const lxw_col_t column = lxw_col_t(field);
            lxw_error result = LXW_NO_ERROR;
            switch (cell.type) {
            case ExportCell::Type::Empty:
                continue;
            case ExportCell::Type::Date:
            case ExportCell::Type::Time:
            case ExportCell::Type::Number:
            case ExportCell::Type::Fixed2:
                result = worksheet_write_number(worksheet_, sheetRow, column, cell.value,
                                                NumberFormat(cell.type));
                break;
            case ExportCell::Type::Text: {
                if (Characters(stored) > kMaxCellChars) {
                    result = LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED;
                    break;
                }
                AssignCellText(text, stored);
                const bool wraps = stored.find_first_of("\r\n") != std::string_view::npos ||
                                   LongestLine(stored) + 2 > std::size_t(kMaxWidth);
                result = worksheet_write_string(worksheet_, sheetRow, column, text.c_str(),
                                                wraps ? wrap_ : nullptr);
                break;
            }
            }
            if (!Check(result, row + 1, field, reason)) {
                return false;
            }
        }
        if (progress) {
            progress(row + 1, rows);
        }
    }
    const lxw_error closed = workbook_close(workbook_);
    workbook_ = nullptr;
    if (closed != LXW_NO_ERROR) {
        reason = std::string(lxw_strerror(closed)) + ".";
        return false;
    }
    return true;
}

} // namespace

bool WriteXlsx(const ExportSheet& sheet, std::string_view sheetName,
               const std::filesystem::path& file, const ExportProgress& progress,
               std::string& error) {
    const ScratchFolder scratch;
    if (scratch.Path().empty()) {
        error = Failed(file, "kein Platz für die Arbeitsmappe: " + scratch.Error());
        return false;
    }
    const std::filesystem::path written = scratch.Path() / "export.xlsx";
    {
        SheetWriter writer(sheet, written, sheetName);
        std::string reason;
        if (!writer.Write(progress, reason)) {
            error = Failed(file, reason);
            return false;
        }
    }
    return CopyOver(written, file, error);
}

} // namespace zv
