#pragma once

#include "exporting/TableExport.h"
#include "storage/TMlbc.h"

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The part of a table that goes into a spreadsheet: its field names in
// order and the chosen rows, read without moving the table's cursor.
class ExportSheet {
public:
    ExportSheet(const TMlbc& table, const std::optional<std::vector<int>>& rows);

    const std::vector<std::string>& Fields() const { return fields_; }
    int RowCount() const { return int(rows_.size()); }
    // The cell of the `index`th chosen row (0-based) and field (0-based).
    std::string_view Cell(int index, int field) const {
        return table_.Cell(rows_[std::size_t(index)], field + 1);
    }

private:
    const TMlbc& table_;
    std::vector<std::string> fields_;
    std::vector<int> rows_;
};

} // namespace zv
