#include "cli/ExportCommand.h"

#include "base/AtomicFile.h"
#include "cli/ProgramFolderOpening.h"
#include "cli/ProgressLine.h"
#include "exporting/TableExport.h"
#include "storage/Workspace.h"

#include <optional>
#include <ostream>

namespace zv::cli {
namespace {

constexpr const char* kExportUsage =
    "Aufruf: zelvorin-cli export PROGRAMMORDNER AUSGABE.xlsx|AUSGABE.csv [--kosten | --kalender]\n";

} // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> positional;
    std::optional<DatabaseKind> kind;
    for (const std::string& arg : args) {
        const std::optional<DatabaseKind> chosen =
            arg == "--kosten"     ? std::optional(DatabaseKind::Cost)
            : arg == "--kalender" ? std::optional(DatabaseKind::Calendar)
                                  : std::nullopt;
        if (!chosen) {
            positional.push_back(arg);
        } else if (kind && *kind != *chosen) {
            err << "Nur eine Tabelle je Datei: --kosten oder --kalender.\n" << kExportUsage;
            return 2;
        } else {
            kind = chosen;
        }
    }
    if (positional.size() != 2) {
        err << kExportUsage;
        return 2;
    }
    ExportRequest request;
    request.kind = kind.value_or(DatabaseKind::Catch);
    request.file = PathFromUtf8(positional[1]);
    const std::optional<ExportFormat> format = ExportFormatOf(request.file);
    if (!format) {
        err << "Die Ausgabe muss auf .xlsx oder .csv enden: \"" << positional[1] << "\".\n";
        return 2;
    }
    request.format = *format;

    Workspace workspace(PathFromUtf8(positional[0]));
    if (!OpenProgramFolder(workspace, {request.kind}, err)) {
        return 1;
    }
    if (workspace.CurrentPath(request.kind).empty()) {
        err << "Der Programmordner hat keine " << GermanNameOf(request.kind)
            << "; es gibt nichts zu exportieren.\n";
        return 1;
    }
    ExportResult result;
    {
        ProgressLine progress(err, "Export");
        request.progress = [&progress](int done, int total) {
            progress.Count(std::uint64_t(done), std::uint64_t(total));
        };
        result = ExportTable(workspace.Table(request.kind), request);
    }
    if (!result.ok) {
        err << result.problem << "\n";
        return 1;
    }
    out << ExportMessage(result, request) << "\n";
    return 0;
}

} // namespace zv::cli
