#pragma once

#include "base/DateTime.h"
#include "statistics/ScanField.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zv {

class TMlbc;

// A catch date with the year and month the statistics group by.
struct CatchDay {
    TDateTime value = 0;
    int year = 0;
    int month = 0;
};

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
    // A field as the ids of its distinct texts.
    ScanField Field(std::string_view fieldName) const;
    // Has the table index the fields a computation reads, in one pass.
    void Index(std::initializer_list<std::string_view> fieldNames) const;

    // Marks a row as visited.
    void Visit(int row) { lastVisited_ = row; }

    // Parsing of the cells a computation uses. Each throws EConvertError
    // with the German message naming the text; an empty date or time is an
    // error too. A table holds few distinct dates, so each is parsed once
    // per scan.
    TDateTime Date(std::string_view dateText);
    int Year(std::string_view dateText) { return DecodeDate(Date(dateText)).year; }
    static CatchDay Day(std::string_view dateText);
    static int Hour(std::string_view timeText);
    // The same without an error: false when the text does not convert.
    static bool TryDay(std::string_view dateText, CatchDay& day);
    static bool TryHour(std::string_view timeText, int& hour);
    static bool TryNumber(std::string_view text, double& value);
    static double Number(std::string_view text);

private:
    TMlbc& table_;
    int rowCount_ = 0;
    int lastVisited_ = 0;

    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, TDateTime, TextHash, std::equal_to<>> dates_;
};

} // namespace zv
