#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli month FOLDER MM YYYY
// The fishing calendar's month of the program folder FOLDER: the line of the
// seven short day names, then one line per week row, each the seven cell
// texts joined by ";"; a fished day reads "17 / 3 Fische" or
// "4 / Keinen Fisch gefangen", a plain day "18", a cell outside the month
// nothing.
int RunMonthCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// zelvorin-cli fishing-day FOLDER DD.MM.YYYY
// The texts of the calendar's day window as "label;text" lines (line breaks
// of the comment as " | "), then one line per listed catch: row number,
// species, water, catcher, length, weight. A day with catches shows as a
// catch day, otherwise as a nothing-caught day; a day with neither prints
// nothing.
int RunFishingDayCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err);

// Both print UTF-8 and return 0 when done, 1 for a value that does not
// convert or a database that cannot be read (German message on `err`, nothing
// on `out`), 2 for wrong usage.

} // namespace zv::cli
