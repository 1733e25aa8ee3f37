#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli day DD.MM.YYYY [DD.MM.YYYY …]
// zelvorin-cli day --range FROM TO
// `args` are the words after "day". Prints one UTF-8 line per day,
// "DD.MM.YYYY;Mondphase;Sonnenaufgang;Sonnenuntergang;Mondaufgang;Monduntergang",
// for the site of the catch entry window, each day at 00:00. All dates are
// checked before anything is printed. Returns the exit code: 0 done, 1 a date
// that is not valid or a day that cannot be computed (message on `err`),
// 2 wrong usage.
int RunDayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
