#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zv {

class TMlb2;
struct TMlb2DistinctColumn;

// The table component every window uses: owns one TMlb2 engine and forwards
// to it. Field positions and row numbers are 1-based; an operation that fails
// returns false and changes nothing. Text is UTF-8 in memory; files are
// Windows-1252.
class TMlbc {
public:
    TMlbc();
    ~TMlbc();
    TMlbc(const TMlbc&) = delete;
    TMlbc& operator=(const TMlbc&) = delete;

    // Properties.
    std::string CSVSeparator() const;
    void SetCSVSeparator(std::string_view separator);
    bool Distinct() const;
    void SetDistinct(bool distinct);
    std::string QuoteSeparator() const;
    void SetQuoteSeparator(std::string_view quote);
    bool BeginningOfFile() const;
    void SetBeginningOfFile(bool value);
    bool EndOfFile() const;
    void SetEndOfFile(bool value);
    const std::string& FileName() const;
    void SetFileName(const std::string& path); // non-empty: loads the file first

    // Operations.
    void ClearRows();
    bool AddField(std::string_view name);
    std::string FieldName(int position) const;
    int FieldCount() const;
    bool AppendRow();
    bool DeleteRow();
    bool CopyRow();
    bool PasteRow();
    int RowCount() const;
    int CurrentRow() const;
    bool GoToRow(int row);
    bool First();
    bool Last();
    bool Next();
    bool Prior();
    std::string GetData(std::string_view fieldName) const;
    bool SetData(std::string_view fieldName, std::string_view text);
    bool SetFloat(std::string_view fieldName, double value);
    int FieldIndex(std::string_view fieldName) const;
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path);

    // Direct read of a cell by row number and field position (1-based), for
    // scans that must not move the shared cursor; empty outside the table.
    std::string_view Cell(int row, int fieldPosition) const;
    // The distinct texts of a field and which each row holds (see TMlb2).
    const TMlb2DistinctColumn& DistinctColumn(int fieldPosition) const;

    // Why the last LoadFromFile or SaveToFile failed, as a German sentence
    // naming the file (empty after a success). The engine's own error code
    // and message are on Engine().
    const std::string& LastFailure() const;

    TMlb2& Engine();
    const TMlb2& Engine() const;

private:
    std::unique_ptr<TMlb2> engine_;
    std::string fileName_;
};

} // namespace zv
