#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zv {

// The folder of the running executable. Falls back to argv0's folder.
std::filesystem::path ProgramFolderOfExecutable(const char* argv0);

// True when the executable lies in the "bin" folder of an installed layout:
// "bin/zelvorin" beside "share/zelvorin".
bool IsInstalledLayout(const std::filesystem::path& executableFolder);

// Where the data installed with the program lies (the default KFaktor.dat,
// Qt's German dialog texts): "share/zelvorin" of an installed layout, else
// the executable's own folder.
std::filesystem::path SharedDataFolder(const std::filesystem::path& executableFolder);

// The value of an environment variable; none when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
// The process environment.
std::optional<std::string> ProcessEnvironment(const char* name);

// The program folder, where the angler's data lives and every fixed file
// name is resolved:
// - ZELVORIN_HOME, when it is set and not empty;
// - the executable's folder, when it can be written and is no installed
//   layout's "bin" (a portable program folder, as scripts/run.sh makes);
// - else "$XDG_DATA_HOME/Zelvorin", or "~/.local/share/Zelvorin" when
//   XDG_DATA_HOME is unset or not an absolute path.
// Empty only when no home folder is known at all.
std::filesystem::path ChooseProgramFolder(const std::filesystem::path& executableFolder,
                                          const EnvironmentLookup& environment);

} // namespace zv
