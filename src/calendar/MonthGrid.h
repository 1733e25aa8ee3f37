#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zv {

// One month of the fishing calendar as its window shows it: columns 0 to 6
// are Monday to Sunday, row 0 holds the short day names and rows 1 to 6 the
// weeks, the 1st of the month in row 1. Every cell text ends in one blank
// ("Mo ", "17 ", or " " outside the month); a fished day reads
// "17 \r\n\r\n3 Fische", "17 \r\n\r\n1 Fisch" or
// "17 \r\n\r\nKeinen Fisch gefangen".
class MonthGrid {
public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 7;

    // How a cell is painted: by what its text says.
    enum class Mark { None, Catches, NothingCaught };

    // The plain month: day names and day numbers, no day marked. The month
    // is 1 to 12 and the year 1 to 9999; anything else is refused with
    // std::out_of_range.
    MonthGrid(int year, int month);

    int Year() const { return year_; }
    int Month() const { return month_; }
    int DaysInMonth() const { return days_; }

    // The cell text; empty outside the grid.
    const std::string& Cell(int row, int column) const;
    // The day of the month in that cell; 0 for the header row, cells
    // outside the month and outside the grid.
    int DayAt(int row, int column) const;

    // Marks a fished day: `count` fish, or 0 when nothing was caught. Days
    // outside the month are ignored.
    void MarkDay(int day, int count);

    // The German short day names of the header row, Monday first.
    static const std::array<std::string_view, kColumns>& ShortDayNames();

    // A cell that stands for a fished day (only those open the day window).
    static bool IsFishedDay(std::string_view cellText);
    // A fished day on which nothing was caught.
    static bool IsNothingCaught(std::string_view cellText);
    // Green for catches, red for nothing caught; judged by the words, so a
    // header never counts.
    static Mark MarkOf(std::string_view cellText);

private:
    int year_;
    int month_;
    int days_;
    int firstColumn_; // column of the 1st, Monday = 0
    std::array<std::array<std::string, kColumns>, kRows> cells_;
};

} // namespace zv
