#include "statistics/CatchScan.h"

#include "base/NumberText.h"
#include "storage/TMlbc.h"

namespace zv {

CatchScan::CatchScan(TMlbc& table) : table_(table), rowCount_(table.RowCount()) {}

CatchScan::~CatchScan() {
    if (lastVisited_ > 0) {
        table_.GoToRow(lastVisited_);
    }
}

int CatchScan::Position(std::string_view fieldName) const {
    const int position = table_.FieldIndex(fieldName);
    return position > 0 ? position : 0;
}

std::string_view CatchScan::Cell(int row, int position) const {
    if (position <= 0) {
        return {};
    }
    return table_.Cell(row, position);
}

TDateTime CatchScan::Date(std::string_view dateText) {
    if (const auto known = dates_.find(dateText); known != dates_.end()) {
        return known->second;
    }
    const TDateTime value = StrToDate(dateText);
    dates_.emplace(std::string(dateText), value);
    return value;
}

int CatchScan::Hour(std::string_view timeText) {
    return DecodeTime(StrToTime(timeText)).hour;
}

double CatchScan::Number(std::string_view text) {
    return StrToFloatDe(text);
}

} // namespace zv
