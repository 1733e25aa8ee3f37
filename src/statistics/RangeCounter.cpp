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

void RangeCounter::Add(std::string_view text) {
    if (IsPlainWholeNumber(text)) {
        ++counts_[std::string(text)];
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
