#include "cli/BackupCommands.h"

#include "backup/Backup.h"
#include "backup/Restore.h"
#include "base/AtomicFile.h"
#include "cli/ProgressLine.h"
#include "storage/Workspace.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace zv::cli {
namespace {

// Databases that do not open at start are saved by a backup as they are
// and may be replaced by a restore's; say so, but carry on as the program
// would. A folder that does not exist is no program folder: a mistyped
// name must not give an empty backup or a new folder filled by a restore.
bool OpenWorkspace(Workspace& ws, std::ostream& err) {
    std::error_code ec;
    if (!std::filesystem::is_directory(ws.ProgramFolder(), ec)) {
        err << "Der Ordner \"" << PathToUtf8(ws.ProgramFolder()) << "\" existiert nicht.\n";
        return false;
    }
    for (const std::string& problem : ws.Open().Problems()) {
        err << problem << "\n";
    }
    return true;
}

// What the window shows, on the terminal: the phase, the file and how far
// by bytes. Nothing is made for a pipe or a log file.
ArchiveProgress TerminalProgress(ProgressLine& line) {
    if (!ProgressShown()) {
        return {};
    }
    return {[&line](const ArchiveState& state) {
        line.Step(ArchiveStateText(state) + " (" + std::to_string(state.Permille() / 10) + " %)");
    }};
}

} // namespace

int RunBackupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "Aufruf: zelvorin-cli backup PROGRAMMORDNER AUSGABE.zip\n";
        return 2;
    }
    Workspace ws(PathFromUtf8(args[0]));
    if (!OpenWorkspace(ws, err)) {
        return 1;
    }
    const std::filesystem::path archive = FullPath(PathFromUtf8(args[1]));
    BackupResult result;
    {
        ProgressLine line(err, "");
        result = CreateBackup(ws, archive, TerminalProgress(line));
    }
    if (!result.ok) {
        err << BackupMessage(result, archive) << "\n";
        return 1;
    }
    for (const BackupFile& file : result.selection.files) {
        out << file.entryName << " <- " << PathToUtf8(file.source)
            << (file.store ? " (ungepackt)" : "") << "\n";
    }
    for (const LeftOutFile& file : result.selection.leftOut) {
        (file.unreadable ? err : out)
            << "Nicht gesichert: " << PathToUtf8(file.source) << ": " << file.reason << "\n";
    }
    // The files left out were just listed, each once: the closing message
    // only counts what went in.
    BackupResult summary = result;
    summary.selection.leftOut.clear();
    out << BackupMessage(summary, archive) << "\n";
    return result.selection.Complete() ? 0 : 1;
}

int RunRestoreCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const bool safety = args.size() != 3 || args[2] != "--ohne-sicherung";
    if (args.size() != 2 && safety) {
        err << "Aufruf: zelvorin-cli restore PROGRAMMORDNER EINGABE.zip [--ohne-sicherung]\n";
        return 2;
    }
    Workspace ws(PathFromUtf8(args[0]));
    if (!OpenWorkspace(ws, err)) {
        return 1;
    }
    const std::filesystem::path archive = FullPath(PathFromUtf8(args[1]));
    RestoreOptions options;
    if (safety) {
        options.safetyBackupAt = CurrentClock().Now();
    }
    RestoreReport report;
    {
        ProgressLine line(err, "");
        options.progress = TerminalProgress(line);
        report = RestoreBackup(ws, archive, options);
    }
    if (!report.opened) {
        err << report.problem << "\n";
        return 1;
    }
    for (const RestoredEntry& entry : report.entries) {
        out << entry.name;
        switch (entry.outcome) {
        case RestoreOutcome::Restored:
            out << " -> " << entry.target;
            break;
        case RestoreOutcome::NotRestored:
            out << ": nicht wiederhergestellt.";
            break;
        case RestoreOutcome::Skipped:
            out << ": übersprungen.";
            break;
        case RestoreOutcome::Failed:
            out << ": Fehler.";
            break;
        case RestoreOutcome::Stopped:
            out << ": abgebrochen.";
            break;
        }
        if (!entry.note.empty()) {
            out << " " << entry.note;
        }
        out << "\n";
    }
    for (const RestoredDatabase& database : report.databases) {
        if (database.opened) {
            out << GermanNameOf(database.kind) << " geöffnet: " << database.path;
            if (database.converted) {
                out << " (umgewandelt aus \"" << database.entryName << "\")";
            }
            out << "\n";
        }
    }
    if (!report.safetyBackup.empty()) {
        out << "Die bisherigen Daten wurden vorher in \"" << report.safetyBackup
            << "\" gesichert.\n";
    }
    const std::vector<std::string> problems = report.Problems();
    for (const std::string& problem : problems) {
        err << problem << "\n";
    }
    const int count = report.RestoredCount();
    out << count << (count == 1 ? " Datei" : " Dateien") << " wiederhergestellt.\n";
    return problems.empty() ? 0 : 1;
}

} // namespace zv::cli
