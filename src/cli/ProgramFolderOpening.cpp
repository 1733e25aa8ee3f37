#include "cli/ProgramFolderOpening.h"

#include "base/AtomicFile.h"
#include "storage/Workspace.h"

#include <filesystem>
#include <system_error>

namespace zv::cli {

namespace {

const DatabaseOpening& OpeningOf(const OpenReport& report, DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Cost:
        return report.costs;
    case DatabaseKind::Calendar:
        return report.calendar;
    case DatabaseKind::Catch:
        break;
    }
    return report.catches;
}

} // namespace

bool OpenProgramFolder(Workspace& workspace, std::initializer_list<DatabaseKind> needed,
                       std::ostream& err) {
    std::error_code ec;
    if (!std::filesystem::is_directory(workspace.ProgramFolder(), ec)) {
        err << "Der Ordner \"" << PathToUtf8(workspace.ProgramFolder()) << "\" existiert nicht.\n";
        return false;
    }
    const OpenReport report = workspace.Open();
    for (const DatabaseKind kind : needed) {
        const DatabaseOpening& opening = OpeningOf(report, kind);
        if (!opening.problem.empty()) {
            err << opening.problem << "\n";
            return false;
        }
        if (!opening.path.empty() && !opening.opened) {
            err << "Die " << GermanNameOf(kind) << " \"" << opening.path << "\" existiert nicht.\n";
            return false;
        }
    }
    return true;
}

} // namespace zv::cli
