#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli estimate ORDNER FISCHART --laenge CM
// zelvorin-cli estimate ORDNER FISCHART --gewicht G
// `args` are the words after "estimate". Prints the weight in grams for a
// length (or the length in cm for a weight) exactly as the catch entry
// window's double click computes it from ORDNER/KFaktor.dat; the folder is
// only read. Returns the exit code: 0 done, 1 the German message the window
// would show instead of a value (on `err`), 2 wrong usage.
int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
