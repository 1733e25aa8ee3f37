#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli pie WIDTH HEIGHT OUT.png V1 [V2 …]
// `args` are the words after "pie". Writes the statistics pie chart of the
// values (the pie values of a tally: whole numbers, none negative) as a PNG
// picture of WIDTH × HEIGHT pixels, replacing OUT.png only when the whole
// picture was written. Returns the exit code: 0 done, 1 a value that is not
// a whole number or a file that cannot be written (German message on
// `err`), 2 wrong usage.
int RunPieCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
