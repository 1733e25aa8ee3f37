#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli table info FILE
// zelvorin-cli table convert IN OUT
// The format of each file follows its name, as everywhere in the program.
// Returns the exit code: 0 done, 1 a load or save failed (the engine's reason
// goes to `err`; OUT is left untouched), 2 bad arguments (usage on `err`).
int RunTableCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
