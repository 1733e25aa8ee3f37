#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli convert-legacy IN [OUT] [--folder FOLDER]
// Converts an old *.fdb (catches) or *.akdb (costs) file. Without OUT the
// result goes to the automatic target in the program folder FOLDER.
int RunConvertLegacyCommand(const std::vector<std::string>& args, std::ostream& out,
                            std::ostream& err);

// zelvorin-cli rebuild-lists FOLDER
// Opens the program folder FOLDER as at start (its Zelvorin.ini) and rewrites
// the value lists in FOLDER/DATs from the catch database.
int RunRebuildListsCommand(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err);

// zelvorin-cli open FOLDER
// Opens the program folder as at start and prints, per database, its current
// path and row count, or why it did not open.
int RunOpenCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Exit codes: 0 done, 1 a database or file could not be read or written
// (German reason on `err`), 2 wrong usage.

} // namespace zv::cli
