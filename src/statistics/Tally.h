#pragma once

#include <string>
#include <vector>

namespace zv {

// One row of a tally: a category label and how many catches it matched (at
// least 1; categories nobody matched never become rows).
struct TallyRow {
    std::string label;
    int count = 0;

    bool operator==(const TallyRow&) const = default;
};

// The spread of a selection over one dimension, in display order.
using Tally = std::vector<TallyRow>;

// Orders the rows by count, largest first; rows of equal count keep the order
// they had (their category order).
void OrderByCount(Tally& tally);

// The values of a pie chart drawn from a tally: the counts of the first ten
// rows and, when there are more, one last value summing all the rest.
std::vector<int> PieValues(const Tally& tally);

} // namespace zv
