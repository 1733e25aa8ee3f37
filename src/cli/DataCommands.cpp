#include "cli/DataCommands.h"

#include "base/AtomicFile.h"
#include "storage/LegacyConversion.h"
#include "storage/TMlbc.h"
#include "storage/Workspace.h"

#include <filesystem>
#include <memory>
#include <ostream>

namespace zv::cli {
namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void PrintDatabase(const Workspace& ws, const DatabaseOpening& opening, std::ostream& out) {
    out << GermanNameOf(opening.kind) << ": ";
    if (opening.opened) {
        const TMlbc& table = ws.Table(opening.kind);
        out << ws.CurrentPath(opening.kind) << " (" << table.RowCount() << " Zeilen)";
        if (opening.converted) {
            out << ", umgewandelt aus \"" << opening.legacyPath << "\"";
        }
    } else if (!opening.problem.empty()) {
        out << "nicht geöffnet";
    } else if (opening.settingsPath.empty()) {
        out << "nicht geöffnet: keine Datenbank eingetragen";
    } else {
        out << "nicht geöffnet: die Datei \"" << opening.path << "\" existiert nicht";
    }
    out << "\n";
}

} // namespace

int RunConvertLegacyCommand(const std::vector<std::string>& args, std::ostream& out,
                            std::ostream& err) {
    std::vector<std::string> positional;
    std::string folder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--folder" && i + 1 < args.size()) {
            folder = args[++i];
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.empty() || positional.size() > 2 || (positional.size() == 1 && folder.empty())) {
        err << "Aufruf: zelvorin-cli convert-legacy EINGABE [AUSGABE] [--folder PROGRAMMORDNER]\n"
               "Ohne AUSGABE wird in den Programmordner geschrieben, der mit --folder "
               "anzugeben ist.\n";
        return 2;
    }
    const std::string& in = positional[0];
    const bool isCatch = EndsWith(in, ".fdb");
    if (!isCatch && !EndsWith(in, ".akdb")) {
        err << "\"" << in << "\" ist keine alte Datenbank (*.fdb oder *.akdb).\n";
        return 2;
    }
    std::string target;
    if (positional.size() == 2) {
        target = positional[1];
    } else {
        const std::filesystem::path programFolder = FullPath(PathFromUtf8(folder));
        target = isCatch ? AutomaticCatchTarget(programFolder, in)
                         : AutomaticCostTarget(programFolder, in);
    }
    std::string error;
    if (!(isCatch ? ConvertLegacyCatchDb(in, target, error)
                  : ConvertLegacyCostDb(in, target, error))) {
        err << error << "\n";
        return 1;
    }
    TMlbc result;
    result.LoadFromFile(target);
    out << "Umgewandelt: " << in << " -> " << target << " (" << result.RowCount() << " Zeilen)\n";
    return 0;
}

int RunRebuildListsCommand(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err) {
    if (args.size() != 1) {
        err << "Aufruf: zelvorin-cli rebuild-lists PROGRAMMORDNER\n";
        return 2;
    }
    Workspace ws(PathFromUtf8(args[0]));
    const OpenReport report = ws.Open();
    for (const std::string& problem : report.Problems()) {
        err << problem << "\n";
    }
    if (!report.catches.opened) {
        err << "Keine Fangdatenbank geöffnet; die Wertelisten bleiben unverändert.\n";
        return 1;
    }
    const WorkspaceResult result = ws.RebuildValueLists();
    if (!result.ok) {
        err << result.problem << "\n";
        return 1;
    }
    if (ws.DB().RowCount() == 0) {
        out << "Die Fangdatenbank ist leer; die Wertelisten bleiben unverändert.\n";
    } else {
        out << "Wertelisten in " << PathToUtf8(ws.ProgramFolder() / "DATs") << " neu geschrieben ("
            << ws.DB().RowCount() << " Fänge).\n";
    }
    return 0;
}

int RunOpenCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "Aufruf: zelvorin-cli open PROGRAMMORDNER\n";
        return 2;
    }
    Workspace ws(PathFromUtf8(args[0]));
    const OpenReport report = ws.Open();
    PrintDatabase(ws, report.catches, out);
    PrintDatabase(ws, report.costs, out);
    PrintDatabase(ws, report.calendar, out);
    const std::vector<std::string> problems = report.Problems();
    for (const std::string& problem : problems) {
        err << problem << "\n";
    }
    return problems.empty() ? 0 : 1;
}

} // namespace zv::cli
