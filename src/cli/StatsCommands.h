#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli stats species|bait|weather FOLDER [--faenger NAME] [--jahr YYYY]
//                    [--fischart S] [--koedertyp T] [--koeder K]
// `args` are the words after "stats". Prints the totals and tallies as UTF-8
// lines "name;value". Returns the exit code: 0 done, 1 a conversion error or
// an unreadable database (German message on `err`), 2 wrong usage.
int RunStatsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// zelvorin-cli recommend FOLDER
// Twelve lines, January first: month;species;hour;bait;behaviour;colour;bait length.
int RunRecommendCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
