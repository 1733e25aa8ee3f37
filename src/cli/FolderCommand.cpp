#include "cli/FolderCommand.h"

#include "base/AtomicFile.h"
#include "base/ProgramFolder.h"

#include <ostream>

namespace zv::cli {

int RunFolderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "Aufruf: zelvorin-cli folder\n";
        return 2;
    }
    const std::filesystem::path folder =
        ChooseProgramFolder(ProgramFolderOfExecutable(nullptr), ProcessEnvironment);
    if (folder.empty()) {
        err << "Kein Programmordner: weder ZELVORIN_HOME noch ein Benutzerordner ist bekannt.\n";
        return 1;
    }
    out << PathToUtf8(folder) << "\n";
    return 0;
}

} // namespace zv::cli
