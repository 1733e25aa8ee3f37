#include "statistics/Tally.h"

#include <algorithm>
#include <cstddef>

namespace zv {

void OrderByCount(Tally& tally) {
    std::stable_sort(tally.begin(), tally.end(),
                     [](const TallyRow& a, const TallyRow& b) { return a.count > b.count; });
}

std::vector<int> PieValues(const Tally& tally) {
    // The chart has eleven colours; everything from the eleventh row on shares
    // the last slice.
    constexpr std::size_t ownSlices = 10;
    std::vector<int> values;
    values.reserve(std::min(tally.size(), ownSlices + 1));
    for (std::size_t i = 0; i < tally.size() && i < ownSlices; ++i) {
        values.push_back(tally[i].count);
    }
    if (tally.size() > ownSlices) {
        // Counts are 32-bit; their sum over one table cannot exceed the number
        // of matches, but guard the addition anyway.
        long long rest = 0;
        for (std::size_t i = ownSlices; i < tally.size(); ++i) {
            rest += tally[i].count;
        }
        values.push_back(static_cast<int>(std::min<long long>(rest, 0x7fffffff)));
    }
    return values;
}

} // namespace zv
