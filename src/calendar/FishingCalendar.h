#pragma once

#include "calendar/MonthGrid.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// How often each day 1 to 31 of a month was fished: -1 not fished, 0 fished
// without a catch (a row of the calendar database), n the number of catches.
using DayCounts = std::array<int, 31>;

// Counts the catches of the catch table ("Fangdatum") and the fishing days
// of the calendar table ("Datum") that fall into the month. Rows with an
// empty date are skipped; a date that is not a date stops the count with
// EConvertError and the German message. The tables' cursors do not move.
DayCounts CountFishingDays(const TMlbc& db, const TMlbc& cal, int year, int month);

// The month with every fished day marked (CountFishingDays, which may throw).
MonthGrid FillMonth(const TMlbc& db, const TMlbc& cal, int year, int month);

// The text a day is looked up by: "05.06.2007".
std::string FishingDayDateText(int year, int month, int day);

// One catch listed in the day window.
struct FishingDayCatch {
    int row = 0; // the catch's row number in the catch table
    std::string fischart;
    std::string gewaesser;
    std::string faenger;
    std::string laenge;
    std::string gewicht;
};

// The texts of the day window.
struct FishingDay {
    bool found = false;    // a row of the day was found; otherwise all texts are empty
    std::string datum;     // "Dienstag, 05.06.2007"
    std::string angelzeit; // "22:30 Uhr - 01:15 Uhr = 02:45 Stunden"
    std::string mond;
    std::string gewaesser;
    std::string stelle;
    std::string wetter;
    std::string luftdruck;  // "1013 hPa"
    std::string wassertemp; // "15 °C"
    std::string lufttemp;   // "20 °C"
    std::string windrichtung;
    std::string windstaerke;
    std::string wassertruebung;
    std::string wasserstand;
    std::string kommentar;
    std::vector<FishingDayCatch> catches; // catch days only, in table order
};

// The day window of a date ("dd.mm.yyyy"). A catch day reads the catch
// table: every catch of the day is listed and the panel shows the values of
// the last one. A nothing-caught day reads the calendar table's rows of the
// day, the last one showing; nothing is listed. A row belongs to the day
// when its date is the same day, whatever form it is written in, so every
// day the month marks shows its rows. A fishing start or end that is not a
// time stops with EConvertError; an empty one keeps the value of the row
// before (00:00 at first).
FishingDay BuildFishingDay(const TMlbc& db, const TMlbc& cal, bool catchDay,
                           std::string_view dateText);

} // namespace zv
