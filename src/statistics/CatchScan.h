#pragma once

#include <string_view>

namespace zv {

class TMlbc;

// Reads the catch table cell by cell for a statistics scan. Field positions
// are looked up once; cells are read by row number so a long scan does not
// walk the shared cursor row by row. When the scan ends, normally or by a
// conversion error, the cursor is left on the last row the scan visited, as
// a cursor walk would have left it.
class CatchScan {
public:
    explicit CatchScan(TMlbc& table);
    ~CatchScan();
    CatchScan(const CatchScan&) = delete;
    CatchScan& operator=(const CatchScan&) = delete;

    int RowCount() const { return rowCount_; }

    // 1-based position of a field, 0 when the table lacks it (its cells then
    // read as empty).
    int Position(std::string_view fieldName) const;
    std::string_view Cell(int row, int position) const;

    // Marks a row as visited.
    void Visit(int row) { lastVisited_ = row; }

    // Parsing of the cells a computation uses. Each throws EConvertError
    // with the German message naming the text; an empty date or time is an
    // error too.
    static int Year(std::string_view dateText);
    static int Month(std::string_view dateText);
    static int Hour(std::string_view timeText);
    static double Number(std::string_view text);

private:
    TMlbc& table_;
    int rowCount_ = 0;
    int lastVisited_ = 0;
};

} // namespace zv
