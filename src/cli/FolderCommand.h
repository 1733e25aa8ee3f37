#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli folder
// Prints the program folder that zelvorin, installed beside this command,
// keeps its data in (ZELVORIN_HOME, the portable folder or the user's data
// folder).
int RunFolderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
