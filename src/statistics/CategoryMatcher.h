#pragma once

#include "statistics/ScanField.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zv {

// How a catch value is compared with the categories of one dimension.
enum class MatchRule {
    Exact,                // equal text, case-sensitive
    IgnoreCaseAZ,         // equal after lowering A–Z only (umlauts keep their case)
    NonEmptyIgnoreCaseAZ, // the same, but an empty catch value matches nothing
};

// The categories of one dimension and which of them a catch value matches.
// A value may match several categories (a list may hold the same line twice).
// The answer for each distinct cell text is worked out once by the plain
// linear comparison and then remembered, so a scan over many rows costs one
// hash lookup per row instead of a walk through the whole list.
class CategoryMatcher {
public:
    CategoryMatcher(std::vector<std::string> labels, MatchRule rule);

    const std::vector<std::string>& Labels() const { return labels_; }
    std::size_t Size() const { return labels_.size(); }

    // Positions (0-based, ascending) of every category the value matches.
    const std::vector<int>& Matches(std::string_view value);
    // The same for a row's cell of a field, worked out once per distinct text
    // of the field (a matcher serves one field at a time).
    const std::vector<int>& Matches(const ScanField& field, int row) {
        // A field the table lacks has no column: nothing bound yet tells it apart.
        if (ofId_.empty() || field.Identity() != field_) {
            Bind(field);
        }
        return *ofId_[field.Id(row)];
    }

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>{}(text);
        }
    };

    bool Equal(std::string_view label, std::string_view value) const;
    void Bind(const ScanField& field);

    std::vector<std::string> labels_;
    MatchRule rule_;
    std::unordered_map<std::string, std::vector<int>, TextHash, std::equal_to<>> known_;
    const void* field_ = nullptr;
    std::vector<const std::vector<int>*> ofId_;
};

} // namespace zv
