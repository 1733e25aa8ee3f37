#include "backup/Restore.h"

#include "backup/ArchiveReader.h"
#include "backup/Backup.h"
#include "backup/EntryName.h"
#include "backup/MessageList.h"
#include "backup/ScratchFile.h"
#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "storage/CreateFolder.h"
#include "storage/LegacyConversion.h"
#include "storage/Workspace.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <system_error>

namespace zv {
namespace {

constexpr const char* kDatabaseSection = "Datenbank";

enum class Target { ProgramFolder, Pictures, ValueLists };

// The extraction passes: which suffix goes where, compared without regard
// to case. Each suffix has its own set of names, so the order of the passes
// cannot change what ends up on disk.
struct Pass {
    const char* suffix;
    Target target;
};
constexpr Pass kPasses[] = {
    {".fdb", Target::ProgramFolder}, {".akdb", Target::ProgramFolder},
    {".a", Target::ProgramFolder},   {".f", Target::ProgramFolder},
    {".cal", Target::ProgramFolder}, {".jpg", Target::Pictures},
    {".dat", Target::ValueLists},
};

// From the last dot on, as written; empty without a dot.
std::string_view Extension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + PathToUtf8(path) + "\"";
}

std::string SizeText(std::uint64_t bytes) {
    const double mib = double(bytes) / (1024.0 * 1024.0);
    if (mib >= 1024.0) {
        return FormatFixed2(mib / 1024.0) + " GB";
    }
    return FormatFixed2(mib) + " MB";
}

// Why an entry may not be written at all; empty when it may.
std::string UnsafeReason(const ArchiveEntry& entry, std::string_view bare) {
    switch (entry.kind) {
    case EntryKind::Folder:
        return "Es ist ein Ordner.";
    case EntryKind::Link:
        return "Es ist eine symbolische Verknüpfung.";
    case EntryKind::Other:
        return "Es ist keine gewöhnliche Datei.";
    case EntryKind::File:
        break;
    }
    if (std::string invalid = InvalidFileNameReason(bare); !invalid.empty()) {
        return invalid;
    }
    if (entry.encrypted) {
        return "Die Datei ist verschlüsselt.";
    }
    if (!entry.compressionSupported) {
        return "Die Datei ist mit einer nicht unterstützten Methode komprimiert.";
    }
    if (IsTooCompressed(entry)) {
        return "Die Datei wäre entpackt mehr als " + std::to_string(kMaxCompressionRatio) +
               "-mal so groß wie im Backup; so packt sich keine gewöhnliche Datei (Schutz vor "
               "Zip-Bomben).";
    }
    return {};
}

const Pass* PassOf(std::string_view bare) {
    const std::string suffix = LowerAZ(Extension(bare));
    for (const Pass& pass : kPasses) {
        if (suffix == pass.suffix) {
            return &pass;
        }
    }
    return nullptr;
}

std::filesystem::path FolderOf(const std::filesystem::path& programFolder, Target target,
                               std::string_view bare) {
    if (IsMapPictureName(bare)) {
        return programFolder;
    }
    switch (target) {
    case Target::Pictures:
        return programFolder / "img";
    case Target::ValueLists:
        return programFolder / "DATs";
    case Target::ProgramFolder:
        break;
    }
    return programFolder;
}

// The database an entry is taken for, by its suffix exactly as written:
// "X.A" is restored as a file but never taken as the cost database.
std::optional<DatabaseKind> CurrentKindOf(std::string_view extension) {
    if (extension == ".f") {
        return DatabaseKind::Catch;
    }
    if (extension == ".a") {
        return DatabaseKind::Cost;
    }
    if (extension == ".cal") {
        return DatabaseKind::Calendar;
    }
    return std::nullopt;
}

// The database a file restored to the program folder must be, by its
// suffix in any letter case: it is checked before it replaces anything,
// since the file of that name may be the database that is open right now.
std::optional<DatabaseKind> ProbedKindOf(std::string_view bare) {
    const std::string suffix = LowerAZ(Extension(bare));
    if (suffix == ".f" || suffix == ".fdb") {
        return DatabaseKind::Catch;
    }
    if (suffix == ".a" || suffix == ".akdb") {
        return DatabaseKind::Cost;
    }
    return CurrentKindOf(suffix);
}

// Why the file at `readable` is no database of that kind; empty when it is
// one: it loads and holds the key field of its schema (the first one:
// "Fangdatum", "Kaufdatum", "Datum").
std::string NotADatabaseReason(const std::string& readable, const std::string& shownAs,
                               DatabaseKind kind) {
    TMlbc probe;
    if (!probe.LoadFromFile(readable)) {
        std::string reason = probe.LastFailure();
        for (std::size_t at = reason.find(readable); at != std::string::npos;
             at = reason.find(readable, at)) {
            reason.replace(at, readable.size(), shownAs);
        }
        return std::string("sie sich nicht als ") + GermanNameOf(kind) + " laden lässt. " + reason;
    }
    const std::string& key = FieldsOf(kind).front();
    if (probe.FieldIndex(key) < 1) {
        return std::string("sie keine ") + GermanNameOf(kind) + " ist: Ihr fehlt das Feld \"" +
               key + "\".";
    }
    return {};
}

// Writes the entry's bytes beside `target`, checks them and renames them
// into place. `piece` hears every piece written and stops the extraction
// when it returns false.
bool Extract(ArchiveReader& reader, const ArchiveEntry& entry, const std::filesystem::path& target,
             const std::filesystem::path& archive,
             const std::function<bool(std::string_view)>& piece, std::string& problem) {
    ScratchFile scratch;
    if (!scratch.Create(target, problem)) {
        return false;
    }
    std::string writeProblem;
    if (!reader.Read(entry, [&](std::string_view bytes) {
            return scratch.Append(bytes, writeProblem) && piece(bytes);
        })) {
        problem = writeProblem.empty() ? reader.Error() : writeProblem;
        return false;
    }
    const std::string bare = PathToUtf8(target.filename());
    if (const std::optional<DatabaseKind> kind = ProbedKindOf(bare)) {
        const std::string reason = NotADatabaseReason(scratch.ReadablePath(), entry.name, *kind);
        if (!reason.empty()) {
            problem = "Die Datei \"" + entry.name + "\" im Backup " + Quoted(archive) +
                      " wurde nicht wiederhergestellt, weil " + reason;
            return false;
        }
    }
    return scratch.MoveIntoPlace(problem);
}

// A name for the safety backup that no file has yet: a second restore in
// the same second must not replace the first one's safety backup.
std::filesystem::path FreeSafetyBackupPath(const std::filesystem::path& folder, TDateTime at) {
    const std::string name = SafetyBackupName(at);
    std::filesystem::path path = folder / PathFromUtf8(name);
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec) || ec; ++n) {
        path = folder /
               PathFromUtf8(name.substr(0, name.size() - 4) + " (" + std::to_string(n) + ").zip");
    }
    return path;
}

void OpenDatabase(Workspace& workspace, RestoredDatabase& database) {
    const WorkspaceResult loaded = workspace.LoadDatabase(database.kind, database.path);
    if (!loaded.ok) {
        database.problem = std::string("Die ") + GermanNameOf(database.kind) + " " +
                           Quoted(PathFromUtf8(database.path)) + " wurde nicht geöffnet. " +
                           loaded.problem;
        return;
    }
    database.opened = true;
    IniFile& settings = workspace.Settings();
    if (!settings.WriteString(kDatabaseSection, SettingsKeyOf(database.kind), database.path)) {
        database.problem = std::string("Die ") + GermanNameOf(database.kind) + " " +
                           Quoted(PathFromUtf8(database.path)) +
                           " konnte nicht in den Einstellungen eingetragen werden. " +
                           settings.LastError();
    }
}

// The database step for one restored entry; false when the entry is none.
bool RestoreDatabase(Workspace& workspace, const RestoredEntry& entry,
                     std::vector<RestoredDatabase>& databases) {
    const std::string bare(BareEntryName(entry.name));
    const std::string_view extension = Extension(bare);
    RestoredDatabase database;
    database.entryName = entry.name;
    database.path = entry.target;
    bool legacy = false;
    if (const std::optional<DatabaseKind> kind = CurrentKindOf(extension)) {
        database.kind = *kind;
    } else if (extension == ".fdb" || extension == ".akdb") {
        database.kind = extension == ".fdb" ? DatabaseKind::Catch : DatabaseKind::Cost;
        legacy = true;
    } else {
        return false;
    }
    if (legacy) {
        const std::filesystem::path& folder = workspace.ProgramFolder();
        const bool isCatch = database.kind == DatabaseKind::Catch;
        database.path =
            isCatch ? AutomaticCatchTarget(folder, bare) : AutomaticCostTarget(folder, bare);
        std::error_code ec;
        if (std::filesystem::exists(PathFromUtf8(database.path), ec)) {
            // The file there may hold data that exists nowhere else, for
            // example the same database converted earlier and kept up since.
            database.problem = std::string("Die alte ") + GermanNameOf(database.kind) + " " +
                               Quoted(PathFromUtf8(entry.target)) +
                               " wurde nicht umgewandelt, weil die Datei " +
                               Quoted(PathFromUtf8(database.path)) +
                               " schon existiert. Sie kann im Fenster \"Datenbank\" "
                               "umgewandelt werden.";
            databases.push_back(std::move(database));
            return true;
        }
        std::string error;
        const bool converted = isCatch ? ConvertLegacyCatchDb(entry.target, database.path, error)
                                       : ConvertLegacyCostDb(entry.target, database.path, error);
        if (!converted) {
            database.problem = std::string("Die alte ") + GermanNameOf(database.kind) + " " +
                               Quoted(PathFromUtf8(entry.target)) +
                               " konnte nicht umgewandelt werden. " + error;
            databases.push_back(std::move(database));
            return true;
        }
        database.converted = true;
    }
    OpenDatabase(workspace, database);
    databases.push_back(std::move(database));
    return true;
}

} // namespace

std::string SafetyBackupName(TDateTime at) {
    const DateParts date = DecodeDate(at);
    const TimeParts time = DecodeTime(at);
    char text[64];
    std::snprintf(text, sizeof text, "Sicherung vor dem Laden %04d-%02d-%02d %02d-%02d-%02d.zip",
                  date.year, date.month, date.day, time.hour, time.minute, time.second);
    return text;
}

int RestoreReport::RestoredCount() const {
    return int(std::count_if(entries.begin(), entries.end(), [](const RestoredEntry& entry) {
        return entry.outcome == RestoreOutcome::Restored;
    }));
}

std::vector<std::string> RestoreReport::Problems() const {
    std::vector<std::string> problems;
    for (const RestoredEntry& entry : entries) {
        if (entry.outcome == RestoreOutcome::Failed) {
            problems.push_back(entry.note);
        }
    }
    for (const RestoredDatabase& database : databases) {
        if (!database.problem.empty()) {
            problems.push_back(database.problem);
        }
    }
    return problems;
}

RestoreReport RestoreBackup(Workspace& workspace, const std::filesystem::path& archive,
                            const RestoreOptions& options) {
    RestoreReport report = RestoreFiles(workspace, archive, options);
    OpenRestoredDatabases(workspace, report);
    return report;
}

void OpenRestoredDatabases(Workspace& workspace, RestoreReport& report) {
    for (RestoredEntry& restored : report.entries) {
        if (restored.outcome == RestoreOutcome::Restored) {
            RestoreDatabase(workspace, restored, report.databases);
        }
    }
}

RestoreReport RestoreFiles(const Workspace& workspace, const std::filesystem::path& archive,
                           const RestoreOptions& options) {
    RestoreReport report;
    ArchiveReader reader;
    if (!reader.Open(archive)) {
        report.problem = reader.Error();
        return report;
    }
    const std::filesystem::path& folder = workspace.ProgramFolder();
    const std::vector<ArchiveEntry>& entries = reader.Entries();

    // Decide every entry before anything is written.
    std::vector<const Pass*> passOf(entries.size(), nullptr);
    std::uint64_t needed = 0;
    // Each file passes through a scratch copy of itself beside the older
    // file it replaces.
    std::uint64_t largest = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ArchiveEntry& entry = entries[i];
        RestoredEntry restored;
        restored.name = entry.name;
        const std::string_view bare = BareEntryName(entry.name);
        const std::string unsafe = UnsafeReason(entry, bare);
        const Pass* pass = PassOf(bare);
        if (!unsafe.empty()) {
            restored.outcome = RestoreOutcome::Skipped;
            restored.note = unsafe;
        } else if (pass == nullptr) {
            restored.outcome = RestoreOutcome::NotRestored;
            restored.note = "Ein Backup bringt nur Datenbanken, Bilder (*.jpg) und "
                            "Wertelisten (*.dat) zurück.";
        } else {
            passOf[i] = pass;
            // Saturates instead of wrapping, so no sum of declared sizes
            // can come out small.
            needed = entry.size > UINT64_MAX - needed ? UINT64_MAX : needed + entry.size;
            largest = std::max(largest, entry.size);
            restored.target = PathToUtf8(FolderOf(folder, pass->target, bare) / PathFromUtf8(bare));
            if (bare.size() != entry.name.size()) {
                restored.note = "Nur der Dateiname wurde verwendet.";
            }
        }
        report.entries.push_back(std::move(restored));
    }

    const std::string refused = "Das Backup " + Quoted(archive) + " wird nicht geladen: ";
    const auto refuse = [&](const std::string& reason) {
        report.problem = refused + reason;
        report.entries.clear();
        if (!report.safetyBackup.empty()) {
            // Nothing was replaced: the safety backup is not needed.
            std::error_code ec;
            std::filesystem::remove(PathFromUtf8(report.safetyBackup), ec);
            report.safetyBackup.clear();
        }
        return report;
    };
    for (const char* sub : {"img", "DATs"}) {
        std::error_code ec;
        if (std::filesystem::is_symlink(folder / sub, ec)) {
            return refuse("Der Ordner " + Quoted(folder / sub) +
                          " ist eine symbolische Verknüpfung; ein Backup schreibt nur in den "
                          "Programmordner.");
        }
    }
    const ArchiveProgress& progress = options.progress;
    if (options.safetyBackupAt) {
        const std::filesystem::path safety = FreeSafetyBackupPath(folder, *options.safetyBackupAt);
        ArchiveProgress saving{nullptr, progress.cancel};
        if (progress.listener) {
            saving.listener = [&progress](ArchiveState state) {
                state.phase = ArchivePhase::SavingFormer;
                progress.Tell(state);
            };
        }
        const BackupResult saved = CreateBackup(workspace, safety, saving);
        if (saved.cancelled) {
            report.cancelled = true;
            report.entries.clear();
            report.problem = "Das Laden des Backups " + Quoted(archive) +
                             " wurde abgebrochen; es wurde nichts geändert.";
            return report;
        }
        // An empty program folder has nothing to keep; the backup then
        // wrote nothing.
        if (!saved.selection.files.empty()) {
            if (!saved.ok) {
                return refuse("Die bisherigen Daten konnten nicht gesichert werden. " +
                              saved.problem);
            }
            report.safetyBackup = PathToUtf8(safety);
        }
    }
    std::error_code ec;
    const std::uint64_t freeBytes =
        options.freeBytes ? *options.freeBytes : std::filesystem::space(folder, ec).available;
    const std::uint64_t room = needed > UINT64_MAX - largest ? UINT64_MAX : needed + largest;
    if (!ec && room > freeBytes) {
        return refuse("Seine Dateien brauchen " + SizeText(room) + ", auf dem Datenträger von " +
                      Quoted(folder) + " sind nur " + SizeText(freeBytes) + " frei.");
    }
    std::string folderProblem;
    if (!CreateFolder(folder / "img", folderProblem) ||
        !CreateFolder(folder / "DATs", folderProblem)) {
        return refuse(folderProblem);
    }
    report.opened = true;

    ArchiveState state{ArchivePhase::Restoring, 0, 0, 0, needed};
    state.fileCount = std::size_t(
        std::count_if(passOf.begin(), passOf.end(), [](const Pass* p) { return p != nullptr; }));
    for (const Pass& pass : kPasses) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (passOf[i] != &pass) {
                continue;
            }
            RestoredEntry& restored = report.entries[i];
            if (!report.cancelled) {
                progress.Tell(state);
                report.cancelled = progress.Cancelled();
            }
            if (report.cancelled) {
                restored.outcome = RestoreOutcome::Stopped;
                continue;
            }
            const std::uint64_t bytesBefore = state.bytesDone;
            const auto piece = [&](std::string_view bytes) {
                state.bytesDone += bytes.size();
                progress.Tell(state);
                return !progress.Cancelled();
            };
            std::string problem;
            if (Extract(reader, entries[i], PathFromUtf8(restored.target), archive, piece,
                        problem)) {
                restored.outcome = RestoreOutcome::Restored;
            } else if (progress.Cancelled()) {
                report.cancelled = true;
                restored.outcome = RestoreOutcome::Stopped;
            } else {
                restored.outcome = RestoreOutcome::Failed;
                restored.note = problem;
            }
            // A file that failed midway counts whole.
            state.bytesDone = bytesBefore + entries[i].size;
            ++state.filesDone;
        }
    }
    if (!report.cancelled) {
        progress.Tell(state);
    }
    return report;
}

std::string RestoreMessage(const RestoreReport& report, const Workspace& workspace,
                           const std::filesystem::path& archive) {
    if (!report.opened) {
        return report.problem;
    }
    const int count = report.RestoredCount();
    const char* were = count == 1 ? " wurde" : " wurden";
    std::string text;
    std::vector<std::string> restored;
    if (report.cancelled) {
        const auto toRestore = std::count_if(report.entries.begin(), report.entries.end(),
                                             [](const RestoredEntry& entry) {
                                                 return entry.outcome == RestoreOutcome::Restored ||
                                                        entry.outcome == RestoreOutcome::Failed ||
                                                        entry.outcome == RestoreOutcome::Stopped;
                                             });
        text = "Das Laden des Backups " + Quoted(archive) +
               " wurde abgebrochen: " + std::to_string(count) + " von " +
               std::to_string(toRestore) + " Dateien" + were +
               " wiederhergestellt, die übrigen sind unverändert.";
        for (const RestoredEntry& entry : report.entries) {
            if (entry.outcome == RestoreOutcome::Restored) {
                restored.push_back("\"" + entry.name + "\"");
            }
        }
    } else {
        text = "Backup geladen: " + std::to_string(count) + (count == 1 ? " Datei" : " Dateien") +
               were + " aus " + Quoted(archive) + " wiederhergestellt.";
    }
    if (!report.safetyBackup.empty()) {
        text +=
            "\nDie bisherigen Daten wurden vorher in \"" + report.safetyBackup + "\" gesichert.";
    }
    std::string opened;
    for (const DatabaseKind kind :
         {DatabaseKind::Catch, DatabaseKind::Cost, DatabaseKind::Calendar}) {
        if (std::any_of(report.databases.begin(), report.databases.end(),
                        [&](const RestoredDatabase& d) { return d.kind == kind && d.opened; })) {
            opened += std::string("\n") + GermanNameOf(kind) + ": " + workspace.CurrentPath(kind);
        }
    }
    if (!opened.empty()) {
        text += "\n\nGeöffnet:" + opened;
    }
    std::vector<std::string> skipped;
    for (const RestoredEntry& entry : report.entries) {
        if (entry.outcome == RestoreOutcome::Skipped) {
            skipped.push_back("\"" + entry.name + "\": " + entry.note);
        }
    }
    AppendList(text, "Bereits wiederhergestellt:", restored);
    AppendList(text, "Übersprungen:", skipped);
    AppendList(text, "Fehler:", report.Problems());
    return text;
}

} // namespace zv
