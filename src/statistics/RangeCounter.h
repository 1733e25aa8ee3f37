#pragma once

#include "statistics/ScanField.h"
#include "statistics/Tally.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Counts stored temperatures or pressures per whole number. The categories
// are the whole numbers of a range taken from the whole table, each labelled
// with its plain decimal text, and a cell counts only when its text is such a
// label exactly: "12" counts for 12, while "12,5", "012", "+12", " 12" and
// "-0" count nowhere. Every cell of the table lies inside the range, so only
// the values actually met are kept; the rows come out the same as if every
// whole number of the range had its own counter, however wide the range.
class RangeCounter {
public:
    // Counts a row's cell of a field (a counter counts one field).
    void Add(const ScanField& field, int row);

    // The whole numbers met, ascending, then ordered by count, largest first.
    Tally OrderedRows() const;

    // True for the plain decimal text of a whole number: -?(0|[1-9][0-9]*),
    // but not "-0".
    static bool IsPlainWholeNumber(std::string_view text);

private:
    // Orders plain whole-number texts by their value, without converting them,
    // so no text is too long to compare.
    struct NumericTextLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };

    std::map<std::string, int, NumericTextLess> counts_;
    // Per distinct text of the field: its counter, or none.
    const void* field_ = nullptr;
    std::vector<int*> counterOfId_;
    std::vector<std::uint8_t> known_;
};

} // namespace zv
