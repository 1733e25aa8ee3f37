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

// Databases that do not open at start are not part of a backup and are
// replaced by a restore's; say so, but carry on as the program would. A
// folder that does not exist is no program folder: a mistyped name must not
// give an empty backup or a new folder filled by a restore.
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
        ProgressLine progress(err, "Backup");
        result = CreateBackup(ws, archive, [&progress](double done) {
            progress.Count(std::uint64_t(done * 1000), 1000);
        });
    }
    if (!result.ok) {
        err << BackupMessage(result, archive) << "\n";
        return 1;
    }
    for (const BackupFile& file : result.selection.files) {
        out << file.entryName << " <- " << PathToUtf8(file.source)
            << (file.store ? " (ungepackt)" : "") << "\n";
    }
    out << BackupMessage(result, archive) << "\n";
    return 0;
}

int RunRestoreCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "Aufruf: zelvorin-cli restore PROGRAMMORDNER EINGABE.zip\n";
        return 2;
    }
    Workspace ws(PathFromUtf8(args[0]));
    if (!OpenWorkspace(ws, err)) {
        return 1;
    }
    const std::filesystem::path archive = FullPath(PathFromUtf8(args[1]));
    RestoreReport report;
    {
        ProgressLine progress(err, "Wiederherstellen");
        report = RestoreBackup(ws, archive, [&progress](std::size_t done, std::size_t total) {
            progress.Count(done, total);
        });
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
    const std::vector<std::string> problems = report.Problems();
    for (const std::string& problem : problems) {
        err << problem << "\n";
    }
    const int count = report.RestoredCount();
    out << count << (count == 1 ? " Datei" : " Dateien") << " wiederhergestellt.\n";
    return problems.empty() ? 0 : 1;
}

} // namespace zv::cli
