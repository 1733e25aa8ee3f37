#include "statistics/CategoryMatcher.h"

#include "base/GermanText.h"

#include <utility>

namespace zv {

CategoryMatcher::CategoryMatcher(std::vector<std::string> labels, MatchRule rule)
    : labels_(std::move(labels)), rule_(rule) {}

bool CategoryMatcher::Equal(std::string_view label, std::string_view value) const {
    switch (rule_) {
    case MatchRule::Exact:
        return label == value;
    case MatchRule::IgnoreCaseAZ:
        return SameTextAZ(label, value);
    case MatchRule::NonEmptyIgnoreCaseAZ:
        return !value.empty() && SameTextAZ(label, value);
    }
    return false;
}

void CategoryMatcher::Bind(const ScanField& field) {
    field_ = field.Identity();
    ofId_.resize(field.Size());
    for (std::uint32_t id = 0; id < field.Size(); ++id) {
        ofId_[id] = &Matches(field.Text(id));
    }
}

const std::vector<int>& CategoryMatcher::Matches(std::string_view value) {
    if (auto found = known_.find(value); found != known_.end()) {
        return found->second;
    }
    std::vector<int> positions;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (Equal(labels_[i], value)) {
            positions.push_back(static_cast<int>(i));
        }
    }
    return known_.emplace(std::string(value), std::move(positions)).first->second;
}

} // namespace zv
