#include "exporting/ExportSheet.h"

namespace zv {

ExportSheet::ExportSheet(const TMlbc& table, const std::optional<std::vector<int>>& rows)
    : table_(table) {
    for (int field = 1; field <= table.FieldCount(); ++field) {
        fields_.push_back(table.FieldName(field));
    }
    const int count = table.RowCount();
    if (!rows) {
        rows_.reserve(std::size_t(count));
        for (int row = 1; row <= count; ++row) {
            rows_.push_back(row);
        }
        return;
    }
    for (const int row : *rows) {
        if (row >= 1 && row <= count) {
            rows_.push_back(row);
        }
    }
}

} // namespace zv
