#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/TMlb2Row.h"

namespace zv {

// The three file formats, chosen by the last three characters of a path.
enum class TMlb2Format { Csv, Mlb, Txt };

// The distinct texts of one field and which of them each row holds.
struct TMlb2DistinctColumn {
    std::vector<std::uint32_t> idOfRow;  // by row number - 1
    std::vector<std::string_view> texts; // by id, in the order first met
};

// The table engine: named text fields in order, rows of text cells, a cursor.
// Field positions and row numbers are 1-based. Text is UTF-8 in memory and
// Windows-1252 in files. Field names match case-insensitively under the
// German collation (ä and Ä are the same name, a and ä are not).
//
// Loads are all-or-nothing: a file is read into a fresh table which replaces
// the current one only when the whole file was read. Saves go through a
// temporary file that replaces the target only when completely written.
class TMlb2 {
public:
    // Last error codes and messages of the file operations.
    static constexpr int kErrorFormat = 2;    // MLB file is not what it claims
    static constexpr int kErrorOpen = 3;      // the file could not be opened
    static constexpr int kErrorReadWrite = 4; // opened, but not read/written whole

    TMlb2();
    ~TMlb2();
    TMlb2(const TMlb2&) = delete;
    TMlb2& operator=(const TMlb2&) = delete;

    static TMlb2Format FormatOfPath(std::string_view path);

    // Separator and quote character: one Windows-1252 character each, as
    // UTF-8 text. Setting an empty text, a longer text, a character that
    // Windows-1252 cannot hold, CR, LF or backslash keeps the old one
    // (false), since such a separator could not be written back.
    std::string Separator() const;
    bool SetSeparator(std::string_view separator);
    std::string Quote() const;
    bool SetQuote(std::string_view quote);

    bool Distinct() const { return distinct_; }
    void SetDistinct(bool distinct) { distinct_ = distinct; }
    bool BeginningOfFile() const { return bof_; }
    void SetBeginningOfFile(bool value) { bof_ = value; }
    bool EndOfFile() const { return eof_; }
    void SetEndOfFile(bool value) { eof_ = value; }

    const std::string& TableName() const { return tableName_; }
    void SetTableName(std::string_view name) { tableName_ = name; }

    void ClearRows();
    // As ClearRows, and drops all fields and their types; the row buffer stays.
    void ClearTable();

    bool AddField(std::string_view name);
    std::string FieldName(int position) const;
    int FieldCount() const { return static_cast<int>(names_.size()); }
    // "STRING" or "FLOAT"; empty outside 1..FieldCount.
    std::string FieldType(int position) const;
    bool SetFieldType(int position, std::string_view type);
    int FieldIndex(std::string_view fieldName) const;

    bool AppendRow();
    bool DeleteRow();
    bool CopyRow();
    bool PasteRow();
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int CurrentRow() const { return cursor_ + 1; }
    bool GoToRow(int row);
    bool First();
    bool Last();
    bool Next();
    bool Prior();

    std::string GetData(std::string_view fieldName) const;
    bool SetData(std::string_view fieldName, std::string_view text);
    bool SetFloat(std::string_view fieldName, double value);

    // A cell by row number and field position; empty outside the table. The
    // view stays valid until the table changes.
    std::string_view Cell(int row, int fieldPosition) const {
        if (row < 1 || row > RowCount() || fieldPosition < 1 || fieldPosition > FieldCount()) {
            return {};
        }
        return rows_[static_cast<std::size_t>(row - 1)].Cell(
            static_cast<std::size_t>(fieldPosition - 1));
    }
    // The distinct texts of a field (position 1..FieldCount; an empty column
    // otherwise). Scans that group or count by a field compare small numbers
    // instead of texts, and the work is done once per state of the table:
    // it is kept until the table changes, and its views as long as it is.
    const TMlb2DistinctColumn& DistinctColumn(int fieldPosition) const;
    // Builds the distinct columns of several fields in one pass over the
    // rows (positions outside the fields are left out).
    void IndexColumns(const std::vector<int>& fieldPositions) const;
    // Sets a cell of the cursor row; false outside 1..FieldCount or without
    // a cursor row.
    bool SetCell(int fieldPosition, std::string_view text);

    // The row buffer that CopyRow fills and PasteRow writes back.
    const std::vector<std::string>& RowBuffer() const { return buffer_; }

    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path);

    int LastErrorCode() const { return lastErrorCode_; }
    const std::string& LastErrorMessage() const { return lastErrorMessage_; }
    // Why the last load or save failed, as a German sentence naming the
    // file; empty after a success.
    const std::string& LastFailure() const { return lastFailure_; }

private:
    // Drops what was derived from the cells; every change calls it.
    void Changed() { distinctColumns_.clear(); }
    void ClearLastError();
    bool Fail(int code, std::string_view message, std::string failure);
    void AdoptLoaded(TMlb2& loaded, const std::string& path);
    bool CursorValid() const { return cursor_ >= 0 && cursor_ < RowCount(); }
    void PlaceCursor(int index);
    void ClearCursor();

    bool ReadCsv(const std::string& path);
    bool ReadMlb(const std::string& path);
    bool ReadTxt(const std::string& path);
    bool WriteCsv(const std::string& path);
    bool WriteMlb(const std::string& path);
    bool WriteTxt(const std::string& path);

    std::vector<std::string> names_;
    std::vector<std::string> types_;
    std::vector<TMlb2Row> rows_;
    TMlb2RowArena arena_; // memory of the rows of the file last loaded
    mutable std::vector<std::unique_ptr<TMlb2DistinctColumn>>
        distinctColumns_; // by field position - 1
    std::vector<std::string> buffer_;
    int cursor_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    bool distinct_ = false;
    char separator_ = ';';
    char quote_ = '"';
    std::string tableName_;
    int lastErrorCode_ = 0;
    std::string lastErrorMessage_;
    std::string lastFailure_;
};

} // namespace zv
