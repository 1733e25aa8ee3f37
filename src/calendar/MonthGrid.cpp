#include "calendar/MonthGrid.h"

#include "base/DateTime.h"

#include <stdexcept>

namespace zv {

namespace {

constexpr std::string_view kDayBreak = "\r\n\r\n";

} // namespace

MonthGrid::MonthGrid(int year, int month) : year_(year), month_(month) {
    if (month < 1 || month > 12 || year < 1 || year > 9999) {
        throw std::out_of_range("MonthGrid: no such month");
    }
    days_ = zv::DaysInMonth(year, month);
    // DayOfWeek counts Sunday as 1; the grid starts on Monday.
    firstColumn_ = (DayOfWeek(EncodeDate(year, month, 1)) + 5) % 7;
    for (int column = 0; column < kColumns; ++column) {
        cells_[0][static_cast<std::size_t>(column)] =
            std::string(ShortDayNames()[static_cast<std::size_t>(column)]) + " ";
    }
    for (int row = 1; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int day = DayAt(row, column);
            cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                (day > 0 ? std::to_string(day) : std::string()) + " ";
        }
    }
}

const std::string& MonthGrid::Cell(int row, int column) const {
    static const std::string kNone;
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        return kNone;
    }
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int MonthGrid::DayAt(int row, int column) const {
    if (row < 1 || row >= kRows || column < 0 || column >= kColumns) {
        return 0;
    }
    const int day = (row - 1) * kColumns + column - firstColumn_ + 1;
    return day >= 1 && day <= days_ ? day : 0;
}

void MonthGrid::MarkDay(int day, int count) {
    if (day < 1 || day > days_) {
        return;
    }
    const int index = day - 1 + firstColumn_;
    std::string text = std::to_string(day) + " " + std::string(kDayBreak);
    if (count <= 0) {
        text += "Keinen Fisch gefangen";
    } else if (count == 1) {
        text += "1 Fisch";
    } else {
        text += std::to_string(count) + " Fische";
    }
    cells_[static_cast<std::size_t>(1 + index / kColumns)]
          [static_cast<std::size_t>(index % kColumns)] = std::move(text);
}

const std::array<std::string_view, MonthGrid::kColumns>& MonthGrid::ShortDayNames() {
    static constexpr std::array<std::string_view, kColumns> kNames = {"Mo", "Di", "Mi", "Do",
                                                                      "Fr", "Sa", "So"};
    return kNames;
}

bool MonthGrid::IsFishedDay(std::string_view cellText) {
    return cellText.find("\r\n") != std::string_view::npos;
}

bool MonthGrid::IsNothingCaught(std::string_view cellText) {
    return cellText.find("Keine") != std::string_view::npos;
}

MonthGrid::Mark MonthGrid::MarkOf(std::string_view cellText) {
    if (cellText.find("Fisch") == std::string_view::npos) {
        return Mark::None;
    }
    return IsNothingCaught(cellText) ? Mark::NothingCaught : Mark::Catches;
}

} // namespace zv
