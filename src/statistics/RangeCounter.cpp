#include "statistics/RangeCounter.h"

namespace zv {

bool RangeCounter::IsPlainWholeNumber(std::string_view text) {
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return false;
    }
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    if (digits.front() == '0') {
        return digits.size() == 1 && !negative;
    }
    return true;
}

bool RangeCounter::NumericTextLess::operator()(const std::string& a, const std::string& b) const {
    const bool aNegative = a.front() == '-';
    const bool bNegative = b.front() == '-';
    if (aNegative != bNegative) {
        return aNegative;
    }
    // Same sign: without leading zeros a longer magnitude is a larger one.
    auto magnitudeLess = [](const std::string& x, const std::string& y) {
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    };
    return aNegative ? magnitudeLess(b, a) : magnitudeLess(a, b);
}

void RangeCounter::Add(const ScanField& field, int row) {
    if (field.Identity() != field_ || known_.size() != field.Size()) {
        field_ = field.Identity();
        counterOfId_.assign(field.Size(), nullptr);
        known_.assign(field.Size(), 0);
    }
    const std::uint32_t id = field.Id(row);
    if (known_[id] == 0) {
        const std::string_view text = field.Text(id);
        if (IsPlainWholeNumber(text)) {
            counterOfId_[id] = &counts_[std::string(text)];
        }
        known_[id] = 1;
    }
    if (counterOfId_[id] != nullptr) {
        ++*counterOfId_[id];
    }
}

Tally RangeCounter::OrderedRows() const {
    Tally rows;
    for (const auto& [label, count] : counts_) {
        rows.push_back({label, count});
    }
    OrderByCount(rows);
    return rows;
}

} // namespace zv
