#pragma once

#include "statistics/ScanField.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace zv {

// The cells of a field converted, each distinct text once. The texts are
// converted up front in the order the table holds them, which reads its
// memory front to back; a text that does not convert is converted again
// when a row asks for it, so its error is thrown at that row and only if a
// row the computation uses holds it.
template <typename T> class ParsedField {
public:
    using TryParse = bool (*)(std::string_view, T&);
    using Parse = T (*)(std::string_view);

    ParsedField(const ScanField& field, TryParse tryParse, Parse parse)
        : field_(field), parse_(parse), values_(field.Size()), valid_(field.Size(), 0) {
        for (std::uint32_t id = 0; id < field.Size(); ++id) {
            valid_[id] = tryParse(field.Text(id), values_[id]) ? 1 : 0;
        }
    }

    const ScanField& Field() const { return field_; }

    T At(int row) const {
        const std::uint32_t id = field_.Id(row);
        return valid_[id] != 0 ? values_[id] : parse_(field_.Text(id));
    }

private:
    ScanField field_;
    Parse parse_;
    std::vector<T> values_;
    std::vector<std::uint8_t> valid_;
};

} // namespace zv
