#include "backup/Restore.h"

#include "backup/ArchiveReader.h"
#include "backup/ScratchFile.h"
#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "storage/CreateFolder.h"
#include "storage/LegacyConversion.h"
#include "storage/Workspace.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace zv {
namespace {

constexpr const char* kDatabaseSection = "Datenbank";
// How many lines of one kind a message lists before it only counts the rest.
constexpr std::size_t kListedLines = 10;

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
    if (bare.empty() || bare == "." || bare == ".." ||
        std::any_of(bare.begin(), bare.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        return "Der Name ist kein gültiger Dateiname.";
    }
    if (entry.encrypted) {
        return "Die Datei ist verschlüsselt.";
    }
    if (!entry.compressionSupported) {
        return "Die Datei ist mit einer nicht unterstützten Methode komprimiert.";
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

std::filesystem::path FolderOf(const std::filesystem::path& programFolder, Target target) {
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

// A database entry is read into a scratch file and loaded from there first:
// one that does not load must not replace the file of that name, which may
// be the database that is open right now.
bool ExtractDatabase(ArchiveReader& reader, const ArchiveEntry& entry, DatabaseKind kind,
                     const std::filesystem::path& target, const std::filesystem::path& archive,
                     std::string& problem) {
    ScratchFile scratch;
    if (!scratch.Create(target.parent_path(), target, problem)) {
        return false;
    }
    std::string writeProblem;
    if (!reader.Read(entry,
                     [&](std::string_view piece) { return scratch.Append(piece, writeProblem); })) {
        problem = writeProblem.empty() ? reader.Error() : writeProblem;
        return false;
    }
    const std::string readable = scratch.ReadablePath();
    TMlbc probe;
    if (!readable.empty() && !probe.LoadFromFile(readable)) {
        std::string reason = probe.LastFailure();
        for (std::size_t at = reason.find(readable); at != std::string::npos;
             at = reason.find(readable, at)) {
            reason.replace(at, readable.size(), entry.name);
        }
        problem = "Die Datei \"" + entry.name + "\" im Backup " + Quoted(archive) +
                  " wurde nicht wiederhergestellt, weil sie sich nicht als " + GermanNameOf(kind) +
                  " laden lässt. " + reason;
        return false;
    }
    return scratch.CopyTo(target, problem);
}

bool Extract(ArchiveReader& reader, const ArchiveEntry& entry, const std::filesystem::path& target,
             const std::filesystem::path& archive, std::string& problem) {
    const std::optional<DatabaseKind> kind =
        CurrentKindOf(Extension(PathToUtf8(target.filename())));
    if (kind) {
        return ExtractDatabase(reader, entry, *kind, target, archive, problem);
    }
    AtomicFileWriter out;
    if (!out.Open(target)) {
        problem = out.Error();
        return false;
    }
    if (!reader.Read(entry, [&](std::string_view piece) { return out.Write(piece); })) {
        problem = out.Error().empty() ? reader.Error() : out.Error();
        out.Abort();
        return false;
    }
    if (!out.Commit()) {
        problem = out.Error();
        return false;
    }
    return true;
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

std::string_view BareEntryName(std::string_view entryName) {
    const std::size_t cut = entryName.find_last_of("/\\:");
    return cut == std::string_view::npos ? entryName : entryName.substr(cut + 1);
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

RestoreReport
RestoreBackup(Workspace& workspace, const std::filesystem::path& archive,
              const std::function<void(std::size_t done, std::size_t total)>& progress) {
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
    // A database passes through a scratch copy of itself on the same disk.
    std::uint64_t largestDatabase = 0;
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
            needed = entry.size > kMaxRestoreBytes
                         ? kMaxRestoreBytes + 1
                         : std::min(needed + entry.size, kMaxRestoreBytes + 1);
            if (CurrentKindOf(Extension(bare))) {
                largestDatabase = std::max(largestDatabase, entry.size);
            }
            restored.target = PathToUtf8(FolderOf(folder, pass->target) / PathFromUtf8(bare));
            if (bare.size() != entry.name.size()) {
                restored.note = "Nur der Dateiname wurde verwendet.";
            }
        }
        report.entries.push_back(std::move(restored));
    }

    const std::string refused = "Das Backup " + Quoted(archive) + " wird nicht geladen: ";
    if (needed > kMaxRestoreBytes) {
        report.problem =
            refused + "Seine Dateien wären zusammen größer als " + SizeText(kMaxRestoreBytes) + ".";
        report.entries.clear();
        return report;
    }
    std::error_code ec;
    const std::filesystem::space_info space = std::filesystem::space(folder, ec);
    const std::uint64_t room = needed + largestDatabase;
    if (!ec && room > space.available) {
        report.problem = refused + "Seine Dateien brauchen " + SizeText(room) +
                         ", auf dem Datenträger von " + Quoted(folder) + " sind nur " +
                         SizeText(space.available) + " frei.";
        report.entries.clear();
        return report;
    }
    std::string folderProblem;
    if (!CreateFolder(folder / "img", folderProblem) ||
        !CreateFolder(folder / "DATs", folderProblem)) {
        report.problem = refused + folderProblem;
        report.entries.clear();
        return report;
    }
    report.opened = true;

    const auto total = std::size_t(
        std::count_if(passOf.begin(), passOf.end(), [](const Pass* p) { return p != nullptr; }));
    std::size_t done = 0;
    for (const Pass& pass : kPasses) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (passOf[i] != &pass) {
                continue;
            }
            RestoredEntry& restored = report.entries[i];
            std::string problem;
            if (Extract(reader, entries[i], PathFromUtf8(restored.target), archive, problem)) {
                restored.outcome = RestoreOutcome::Restored;
            } else {
                restored.outcome = RestoreOutcome::Failed;
                restored.note = problem;
            }
            if (progress) {
                progress(++done, total);
            }
        }
    }

    for (RestoredEntry& restored : report.entries) {
        if (restored.outcome == RestoreOutcome::Restored) {
            RestoreDatabase(workspace, restored, report.databases);
        }
    }
    return report;
}

std::string RestoreMessage(const RestoreReport& report, const Workspace& workspace,
                           const std::filesystem::path& archive) {
    if (!report.opened) {
        return report.problem;
    }
    const int count = report.RestoredCount();
    std::string text = "Backup geladen: " + std::to_string(count) +
                       (count == 1 ? " Datei wurde" : " Dateien wurden") + " aus " +
                       Quoted(archive) + " wiederhergestellt.";
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
    auto list = [&text](const std::string& heading, const std::vector<std::string>& lines) {
        if (lines.empty()) {
            return;
        }
        text += "\n\n" + heading;
        for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) {
            text += "\n" + lines[i];
        }
        if (lines.size() > kListedLines) {
            text += "\n… und " + std::to_string(lines.size() - kListedLines) + " weitere.";
        }
    };
    std::vector<std::string> skipped;
    for (const RestoredEntry& entry : report.entries) {
        if (entry.outcome == RestoreOutcome::Skipped) {
            skipped.push_back("\"" + entry.name + "\": " + entry.note);
        }
    }
    list("Übersprungen:", skipped);
    list("Fehler:", report.Problems());
    return text;
}

} // namespace zv
