#include "statistics/TallyCounter.h"

#include <cstddef>
#include <utility>

namespace zv {

TallyCounter::TallyCounter(std::vector<std::string> labels, MatchRule rule)
    : matcher_(std::move(labels), rule), counts_(matcher_.Size(), 0) {}

void TallyCounter::AddAt(int position) {
    if (position >= 0 && static_cast<std::size_t>(position) < counts_.size()) {
        ++counts_[static_cast<std::size_t>(position)];
    }
}

Tally TallyCounter::Rows() const {
    Tally rows;
    const auto& labels = matcher_.Labels();
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        if (counts_[i] > 0) {
            rows.push_back({labels[i], counts_[i]});
        }
    }
    return rows;
}

Tally TallyCounter::OrderedRows() const {
    Tally rows = Rows();
    OrderByCount(rows);
    return rows;
}

} // namespace zv
