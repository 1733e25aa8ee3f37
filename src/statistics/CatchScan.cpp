#include "statistics/CatchScan.h"

#include "base/NumberText.h"
#include "storage/TMlb2.h"
#include "storage/TMlbc.h"

#include <vector>

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

ScanField CatchScan::Field(std::string_view fieldName) const {
    return ScanField(table_.Engine(), Position(fieldName));
}

void CatchScan::Index(std::initializer_list<std::string_view> fieldNames) const {
    std::vector<int> positions;
    for (const std::string_view name : fieldNames) {
        positions.push_back(Position(name));
    }
    table_.Engine().IndexColumns(positions);
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

CatchDay CatchScan::Day(std::string_view dateText) {
    const TDateTime value = StrToDate(dateText);
    const DateParts parts = DecodeDate(value);
    return {value, parts.year, parts.month};
}

bool CatchScan::TryDay(std::string_view dateText, CatchDay& day) {
    TDateTime value = 0;
    if (!TryStrToDate(dateText, value)) {
        return false;
    }
    const DateParts parts = DecodeDate(value);
    day = {value, parts.year, parts.month};
    return true;
}

bool CatchScan::TryNumber(std::string_view text, double& value) {
    return TryStrToFloatDe(text, value);
}

int CatchScan::Hour(std::string_view timeText) {
    int hour = 0;
    return TryHour(timeText, hour) ? hour : DecodeTime(StrToTime(timeText)).hour;
}

bool CatchScan::TryHour(std::string_view timeText, int& hour) {
    // A time as the program stores it, hh:nn:ss, gives its hour as written;
    // anything else goes the full way.
    if (timeText.size() == 8 && timeText[2] == ':' && timeText[5] == ':') {
        int parts[3] = {};
        bool digits = true;
        for (int i = 0; i < 3; ++i) {
            const char high = timeText[std::size_t(3 * i)];
            const char low = timeText[std::size_t(3 * i + 1)];
            digits = digits && high >= '0' && high <= '9' && low >= '0' && low <= '9';
            parts[i] = (high - '0') * 10 + (low - '0');
        }
        if (digits && parts[0] <= 23 && parts[1] <= 59 && parts[2] <= 59) {
            hour = parts[0];
            return true;
        }
    }
    TDateTime value = 0;
    if (!TryStrToTime(timeText, value)) {
        return false;
    }
    hour = DecodeTime(value).hour;
    return true;
}

double CatchScan::Number(std::string_view text) {
    return StrToFloatDe(text);
}

} // namespace zv
