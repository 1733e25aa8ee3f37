#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli report catchbook FOLDER OUT.pdf [--faenger NAME] [--jahr YYYY]
// zelvorin-cli report costs FOLDER OUT.pdf [--jahr YYYY]
// zelvorin-cli report years FOLDER OUT.pdf
// Opens the program folder FOLDER as at start and writes the catch book, the
// cost list or the year summary, the same documents the report window writes
// for the same filters.
int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// zelvorin-cli html-sheet FOLDER OUT.html
// Writes the blank catch sheet for the fields of the folder's catch
// database.
int RunHtmlSheetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Exit codes: 0 written, 1 nothing to write or a failure (German message on
// `err`, nothing written), 2 wrong usage.

} // namespace zv::cli
