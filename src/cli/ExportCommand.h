#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli export FOLDER OUT.(xlsx|csv) [--kosten | --kalender]
// Writes the catch table (the cost table, the fishing days) of the program
// folder FOLDER to a spreadsheet; the format follows OUT's extension.
// Exit codes: 0 written, 1 the database or the file failed, 2 wrong usage.
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
