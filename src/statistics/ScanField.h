#pragma once

#include "storage/TMlb2.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace zv {

// A field of the catch table as a scan reads it: each row's cell as the
// number of its distinct text, so a scan compares and remembers per text
// instead of per row. A field the table lacks reads as empty in every row.
// The table indexes the field when a scan first reads it (CatchScan::Index
// does it for several fields at once).
class ScanField {
public:
    static constexpr std::uint32_t kNoText = std::numeric_limits<std::uint32_t>::max();

    ScanField() = default;
    ScanField(const TMlb2& table, int position) : table_(&table), position_(position) {}

    std::uint32_t Id(int row) const {
        const TMlb2DistinctColumn* column = Column();
        return column != nullptr ? column->idOfRow[static_cast<std::size_t>(row - 1)] : 0;
    }
    std::string_view Text(std::uint32_t id) const {
        const TMlb2DistinctColumn* column = Column();
        return column != nullptr ? column->texts[id] : std::string_view();
    }
    std::string_view Cell(int row) const { return Text(Id(row)); }
    // The number of distinct texts; ids run from 0 below it.
    std::uint32_t Size() const {
        const TMlb2DistinctColumn* column = Column();
        return column != nullptr ? static_cast<std::uint32_t>(column->texts.size()) : 1;
    }
    // The id of a text, kNoText when no row holds it.
    std::uint32_t Find(std::string_view text) const;
    // Tells fields apart, for what is remembered per id.
    const void* Identity() const { return Column(); }

private:
    const TMlb2DistinctColumn* Column() const {
        if (column_ == nullptr && table_ != nullptr && position_ > 0) {
            column_ = &table_->DistinctColumn(position_);
        }
        return column_;
    }

    const TMlb2* table_ = nullptr;
    int position_ = 0;
    mutable const TMlb2DistinctColumn* column_ = nullptr;
};

} // namespace zv
