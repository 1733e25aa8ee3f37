#include "calendar/FishingCalendar.h"

#include "base/DateTime.h"
#include "storage/TMlbc.h"

#include <cmath>
#include <cstdio>

namespace zv {

namespace {

std::string_view CellOf(const TMlbc& table, int row, int position) {
    return position >= 1 ? table.Cell(row, position) : std::string_view();
}

// Adds the rows of one table whose date lies in the month. Catches count up
// from -1 through 0; a fishing day only turns a day that was not fished
// into 0, so a day with catches keeps its count.
void CountTable(const TMlbc& table, std::string_view dateField, bool catches, int year, int month,
                DayCounts& counts) {
    const int position = table.FieldIndex(dateField);
    for (int row = 1; row <= table.RowCount(); ++row) {
        const std::string_view text = CellOf(table, row, position);
        if (text.empty()) {
            continue;
        }
        const DateParts date = DecodeDate(StrToDate(text));
        if (date.year != year || date.month != month) {
            continue;
        }
        int& count = counts[static_cast<std::size_t>(date.day - 1)];
        if (catches) {
            count = count == -1 ? 1 : count + 1;
        } else if (count == -1) {
            count = 0;
        }
    }
}

// The fishing time of the day panel. It carries over from one matching row
// to the next, as the panel is filled row after row.
class FishingTime {
public:
    void Read(std::string_view startText, std::string_view endText, bool alwaysDuration) {
        if (!startText.empty()) {
            start_ = StrToTime(startText);
        }
        if (!endText.empty()) {
            end_ = StrToTime(endText);
        }
        if (start_ != end_ || alwaysDuration) {
            // A period that ends before it starts ran past midnight.
            if (start_ > end_) {
                end_ += 1;
            }
            duration_ = end_ - start_;
        }
    }
    std::string Text() const {
        return TimeToStrHHNN(start_) + " Uhr - " + TimeToStrHHNN(end_) +
               " Uhr = " + TimeToStrHHNN(duration_) + " Stunden";
    }

private:
    TDateTime start_ = 0;
    TDateTime end_ = 0;
    TDateTime duration_ = 0;
};

bool SameDay(std::string_view cellText, std::string_view dateText, TDateTime day) {
    if (cellText == dateText) {
        return true;
    }
    TDateTime value = 0;
    return !cellText.empty() && TryStrToDate(cellText, value) && std::floor(value) == day;
}

} // namespace

DayCounts CountFishingDays(const TMlbc& db, const TMlbc& cal, int year, int month) {
    DayCounts counts;
    counts.fill(-1);
    CountTable(db, "Fangdatum", true, year, month, counts);
    CountTable(cal, "Datum", false, year, month, counts);
    return counts;
}

MonthGrid FillMonth(const TMlbc& db, const TMlbc& cal, int year, int month) {
    MonthGrid grid(year, month);
    const DayCounts counts = CountFishingDays(db, cal, year, month);
    for (int day = 1; day <= grid.DaysInMonth(); ++day) {
        const int count = counts[static_cast<std::size_t>(day - 1)];
        if (count != -1) {
            grid.MarkDay(day, count);
        }
    }
    return grid;
}

std::string FishingDayDateText(int year, int month, int day) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", day, month, year);
    return buffer;
}

FishingDay BuildFishingDay(const TMlbc& db, const TMlbc& cal, bool catchDay,
                           std::string_view dateText) {
    const TDateTime day = std::floor(StrToDate(dateText));
    const TMlbc& table = catchDay ? db : cal;
    auto position = [&table](std::string_view field) { return table.FieldIndex(field); };
    const int datePosition = position(catchDay ? "Fangdatum" : "Datum");

    FishingDay result;
    FishingTime time;
    for (int row = 1; row <= table.RowCount(); ++row) {
        if (!SameDay(CellOf(table, row, datePosition), dateText, day)) {
            continue;
        }
        auto cell = [&](std::string_view field) {
            return std::string(CellOf(table, row, position(field)));
        };
        time.Read(cell("Angelbeginn"), cell("Angelende"), !catchDay);
        result.found = true;
        result.datum = LongDayNameDe(DayOfWeek(day)) + ", " + std::string(dateText);
        result.angelzeit = time.Text();
        result.mond = cell("Mondphase");
        result.gewaesser = cell("Gewaesser");
        result.stelle = cell("Stelle");
        result.wetter = cell("Wetter");
        result.luftdruck = cell("Luftdruck") + " hPa";
        result.wassertemp = cell("Wassertemp") + " °C";
        result.lufttemp = cell("Lufttemp") + " °C";
        result.windrichtung = cell("Windrichtung");
        result.windstaerke = cell("Windstaerke");
        result.wassertruebung = cell("Wassertruebung");
        result.wasserstand = cell("Wasserstand");
        result.kommentar = cell("Kommentar");
        if (catchDay) {
            result.catches.push_back({row, cell("Fischart"), cell("Gewaesser"), cell("Faenger"),
                                      cell("Laenge"), cell("Gewicht")});
        }
    }
    return result;
}

} // namespace zv
