#pragma once

#include "statistics/CategoryMatcher.h"
#include "statistics/Tally.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Counts the catches of a selection per category: every category starts at 0
// and each catch adds 1 to every category it matches.
class TallyCounter {
public:
    TallyCounter(std::vector<std::string> labels, MatchRule rule);

    // Counts a catch by a row's cell of a field under the dimension's match
    // rule (a counter counts one field).
    void Add(const ScanField& field, int row) {
        for (const int position : matcher_.Matches(field, row)) {
            ++counts_[static_cast<std::size_t>(position)];
        }
    }
    // Counts a catch for the category at a known position (months, hours).
    void AddAt(int position);

    // The categories with a count above 0, in category order.
    Tally Rows() const;
    // The same, ordered by count, largest first; ties keep category order.
    Tally OrderedRows() const;

private:
    CategoryMatcher matcher_;
    std::vector<int> counts_;
};

} // namespace zv
