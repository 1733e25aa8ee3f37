#include "storage/Workspace.h"

#include "base/AtomicFile.h"
#include "storage/LegacyConversion.h"
#include "storage/Schemas.h"
#include "storage/ValueListRebuild.h"

#include <cctype>
#include <set>
#include <system_error>

namespace zv {
namespace {

constexpr const char* kSettingsFileName = "Zelvorin.ini";
constexpr const char* kDatabaseSection = "Datenbank";

bool IsFile(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    return std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

bool LooksLikeWindowsPath(const std::string& path) {
    const bool drive =
        path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
    return drive || path.find('\\') != std::string::npos;
}

std::string ExtensionFromLastDot(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string LoadFailure(const TMlbc& table, const std::string& path) {
    if (!table.LastFailure().empty()) {
        return table.LastFailure();
    }
    return "Die Datei \"" + path + "\" kann nicht gelesen werden.";
}

std::string SaveFailure(const TMlbc& table, const std::string& path) {
    if (!table.LastFailure().empty()) {
        return table.LastFailure();
    }
    return "Die Datei \"" + path + "\" kann nicht geschrieben werden.";
}

// A database file without a header line (a zero-byte file) holds no rows,
// and a table without fields would silently drop every cell stored into it:
// such a table gets the fields of its kind, which the next save writes.
void GiveFieldsIfNone(TMlbc& table, DatabaseKind kind) {
    if (table.FieldCount() != 0) {
        return;
    }
    for (const std::string& field : FieldsOf(kind)) {
        table.AddField(field);
    }
}

const char* kChangeHint =
    "Diese kann jederzeit unter dem Menüpunkt \"Datei\" \"Datenbank\" verändert werden.";

std::string CreatedMessage(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catch:
        return std::string("Es wurde automatisch eine Zelvorin Datenbank angelegt. \r\n") +
               kChangeHint;
    case DatabaseKind::Calendar:
        return std::string("Es wurde automatisch eine Kalender Datenbank angelegt. \r\n") +
               kChangeHint;
    case DatabaseKind::Cost:
        break;
    }
    return std::string("Es wurde automatisch eine Datenbank angelegt. \r\n") + kChangeHint;
}

std::string ReopenedMessage(DatabaseKind kind, const std::string& path) {
    const char* name = kind == DatabaseKind::Catch  ? "Zelvorin"
                       : kind == DatabaseKind::Cost ? "Angelkosten"
                                                    : "Kalender";
    return std::string("Die vorhandene ") + name + " Datenbank \"" + path +
           "\" wurde geöffnet. \r\n" + kChangeHint;
}

} // namespace

std::vector<std::string> OpenReport::Problems() const {
    std::vector<std::string> problems;
    for (const DatabaseOpening* opening : {&catches, &costs, &calendar}) {
        if (!opening->problem.empty()) {
            problems.push_back(opening->problem);
        }
    }
    return problems;
}

std::vector<std::string> OpenReport::Notices() const {
    std::vector<std::string> notices;
    for (const DatabaseOpening* opening : {&catches, &costs, &calendar}) {
        if (!opening->notice.empty()) {
            notices.push_back(opening->notice);
        }
    }
    return notices;
}

Workspace::Workspace(std::filesystem::path programFolder)
    : programFolder_(FullPath(programFolder)), settings_(programFolder_ / kSettingsFileName) {}

TMlbc& Workspace::Table(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catch:
        return db_;
    case DatabaseKind::Cost:
        return ak_;
    case DatabaseKind::Calendar:
        break;
    }
    return cal_;
}

const TMlbc& Workspace::Table(DatabaseKind kind) const {
    return const_cast<Workspace*>(this)->Table(kind);
}

const std::string& Workspace::CurrentPath(DatabaseKind kind) const {
    switch (kind) {
    case DatabaseKind::Catch:
        return catchPath_;
    case DatabaseKind::Cost:
        return costPath_;
    case DatabaseKind::Calendar:
        break;
    }
    return calendarPath_;
}

void Workspace::SetCurrentPath(DatabaseKind kind, std::string path) {
    switch (kind) {
    case DatabaseKind::Catch:
        catchPath_ = std::move(path);
        return;
    case DatabaseKind::Cost:
        costPath_ = std::move(path);
        return;
    case DatabaseKind::Calendar:
        calendarPath_ = std::move(path);
        return;
    }
}

std::string Workspace::ResolveStoredPath(const std::string& storedPath) const {
    if (storedPath.empty()) {
        return storedPath;
    }
    std::error_code ec;
    if (LooksLikeWindowsPath(storedPath)) {
        if (std::filesystem::exists(PathFromUtf8(storedPath), ec)) {
            return storedPath;
        }
        // A path written by the Windows version of the program: the file is
        // expected to have moved along with the program folder.
        const std::string name = StoredFileName(storedPath);
        if (!name.empty()) {
            const std::filesystem::path candidate = programFolder_ / PathFromUtf8(name);
            if (std::filesystem::exists(candidate, ec)) {
                return PathToUtf8(candidate);
            }
        }
        return storedPath;
    }
    const std::filesystem::path path = PathFromUtf8(storedPath);
    if (path.is_relative()) {
        // Fixed and relative names belong to the program folder, never to
        // whatever folder the program was started from.
        return PathToUtf8(programFolder_ / path);
    }
    return storedPath;
}

OpenReport Workspace::Open() {
    // A new install has neither sub-folder yet; without `img` the pictures
    // of the first catch could not be stored.
    std::error_code folderError;
    if (std::filesystem::is_directory(programFolder_, folderError)) {
        for (const char* folder : {"DATs", "img"}) {
            std::filesystem::create_directory(programFolder_ / folder, folderError);
        }
    }
    OpenReport report;
    unopened_ = {};
    report.catches.settingsPath = settings_.ReadString(kDatabaseSection, "Zelvorin");
    if (report.catches.settingsPath.empty()) {
        report.catches.settingsPath = settings_.ReadString("DB", "File");
    }
    report.costs.settingsPath = settings_.ReadString(kDatabaseSection, "Angelkosten");
    if (report.costs.settingsPath.empty()) {
        report.costs.settingsPath = settings_.ReadString("AKDB", "File");
    }
    OpenCatchOrCost(DatabaseKind::Catch, report.catches);
    OpenCatchOrCost(DatabaseKind::Cost, report.costs);

    report.calendar.settingsPath = settings_.ReadString(kDatabaseSection, "Kalender");
    report.calendar.path = ResolveStoredPath(report.calendar.settingsPath);
    OpenExisting(DatabaseKind::Calendar, report.calendar);

    // A save killed half-way can leave its temporary file beside the file it
    // was writing; nothing else ever removes it.
    std::set<std::filesystem::path> folders = {programFolder_, programFolder_ / "DATs",
                                               programFolder_ / "img"};
    for (const DatabaseOpening* opening : {&report.catches, &report.costs, &report.calendar}) {
        if (!opening->path.empty()) {
            folders.insert(PathFromUtf8(opening->path).parent_path());
        }
    }
    for (const std::filesystem::path& folder : folders) {
        if (!folder.empty()) {
            RemoveLeftoverTemporaries(folder);
        }
    }
    return report;
}

void Workspace::OpenCatchOrCost(DatabaseKind kind, DatabaseOpening& opening) {
    const std::string stored = opening.settingsPath;
    if (stored.empty()) {
        return;
    }
    const bool isCatch = kind == DatabaseKind::Catch;
    if (ExtensionFromLastDot(stored) != (isCatch ? ".fdb" : ".akdb")) {
        opening.path = ResolveStoredPath(stored);
        OpenExisting(kind, opening);
        return;
    }

    const std::string legacy = ResolveStoredPath(stored);
    const std::string target = isCatch ? AutomaticCatchTarget(programFolder_, stored)
                                       : AutomaticCostTarget(programFolder_, stored);
    if (IsFile(target)) {
        // Converted at an earlier start whose new path could not be kept, or
        // the [Datenbank] key was emptied so the older key applies again:
        // the target holds every catch added or deleted since, and
        // converting once more would write the old state over them.
        opening.path = target;
        opening.notice = std::string("Die ") + GermanNameOf(kind) + " \"" + target +
                         "\" wurde geöffnet. Die alte Datei \"" + stored +
                         "\", die in den Einstellungen steht, wurde nicht noch einmal "
                         "umgewandelt: Die Umwandlung hätte die vorhandene Datenbank mit allen "
                         "späteren Änderungen überschrieben.";
    } else {
        std::string error;
        const bool converted = isCatch ? ConvertLegacyCatchDb(legacy, target, error)
                                       : ConvertLegacyCostDb(legacy, target, error);
        if (!converted) {
            // Nothing was written and the settings still name the old file,
            // so the next start tries again.
            opening.path = legacy;
            opening.problem = std::string("Die alte ") + GermanNameOf(kind) + " \"" + stored +
                              "\" konnte nicht umgewandelt werden. " + error;
            if (IsFile(legacy)) {
                MarkUnopened(kind, legacy, error);
            }
            return;
        }
        opening.converted = true;
        opening.legacyPath = stored;
        opening.path = target;
    }
    if (settings_.WriteString(kDatabaseSection, SettingsKeyOf(kind), target)) {
        opening.settingsPath = target;
    } else {
        opening.problem = std::string("Die umgewandelte ") + GermanNameOf(kind) + " \"" + target +
                          "\" konnte nicht in den Einstellungen eingetragen werden. " +
                          settings_.LastError();
    }
    OpenExisting(kind, opening);
}

void Workspace::OpenExisting(DatabaseKind kind, DatabaseOpening& opening) {
    if (!IsFile(opening.path)) {
        return;
    }
    TMlbc& table = Table(kind);
    if (!table.LoadFromFile(opening.path)) {
        const std::string reason = LoadFailure(table, opening.path);
        opening.problem += (opening.problem.empty() ? "" : "\n") + std::string("Die ") +
                           GermanNameOf(kind) + " \"" + opening.path + "\" wurde nicht geöffnet. " +
                           reason;
        MarkUnopened(kind, opening.path, reason);
        return;
    }
    GiveFieldsIfNone(table, kind);
    SetCurrentPath(kind, opening.path);
    opening.opened = true;
}

WorkspaceResult Workspace::LoadDatabase(DatabaseKind kind, const std::string& path) {
    WorkspaceResult result;
    const std::string resolved = ResolveStoredPath(path);
    if (!IsFile(resolved)) {
        result.ok = false;
        result.problem = "Die Datei \"" + path + "\" existiert nicht.";
        return result;
    }
    TMlbc& table = Table(kind);
    if (!table.LoadFromFile(resolved)) {
        result.ok = false;
        result.problem = LoadFailure(table, resolved);
        return result;
    }
    GiveFieldsIfNone(table, kind);
    SetCurrentPath(kind, resolved);
    unopened_[static_cast<std::size_t>(kind)] = {};
    return result;
}

void Workspace::MarkUnopened(DatabaseKind kind, const std::string& path,
                             const std::string& reason) {
    unopened_[static_cast<std::size_t>(kind)] = {path, reason};
}

const std::string& Workspace::UnopenedPath(DatabaseKind kind) const {
    static const std::string none;
    const Unopened& unopened = unopened_[static_cast<std::size_t>(kind)];
    return CurrentPath(kind).empty() ? unopened.path : none;
}

std::string Workspace::UnopenedProblem(DatabaseKind kind) const {
    const std::string& path = UnopenedPath(kind);
    if (path.empty()) {
        return {};
    }
    return std::string("Die ") + GermanNameOf(kind) + " \"" + path +
           "\" konnte nicht geöffnet werden. " + unopened_[static_cast<std::size_t>(kind)].reason +
           "\nSolange sie nicht geöffnet ist, wird keine neue angelegt. Eine andere Datenbank "
           "kann unter dem Menüpunkt \"Datei\" \"Datenbank\" gewählt werden.";
}

WorkspaceResult Workspace::CreateDefaultDatabase(DatabaseKind kind) {
    WorkspaceResult result;
    // A default would take the place of the angler's data in the settings.
    if (std::string problem = UnopenedProblem(kind); !problem.empty()) {
        result.ok = false;
        result.problem = std::move(problem);
        return result;
    }
    const std::string path = PathToUtf8(programFolder_ / DefaultFileNameOf(kind));
    TMlbc& table = Table(kind);
    const bool existed = IsFile(path);
    if (!existed) {
        std::unique_ptr<TMlbc> empty = MakeEmptyTable(FieldsOf(kind));
        if (!empty->SaveToFile(path)) {
            result.ok = false;
            result.problem = std::string("Die ") + GermanNameOf(kind) +
                             " konnte nicht angelegt werden. " + SaveFailure(*empty, path);
            return result;
        }
    }
    // An existing file of that name is somebody's data: open it rather than
    // replace it with an empty table.
    if (!table.LoadFromFile(path)) {
        result.ok = false;
        result.problem = std::string("Die ") + GermanNameOf(kind) + " \"" + path +
                         "\" konnte nicht geöffnet werden. " + LoadFailure(table, path);
        return result;
    }
    GiveFieldsIfNone(table, kind);
    SetCurrentPath(kind, path);
    result.message = existed ? ReopenedMessage(kind, path) : CreatedMessage(kind);
    if (!settings_.WriteString(kDatabaseSection, SettingsKeyOf(kind), path)) {
        result.problem = std::string("Der Pfad der ") + GermanNameOf(kind) +
                         " konnte nicht in den Einstellungen eingetragen werden. " +
                         settings_.LastError();
    }
    return result;
}

WorkspaceResult Workspace::EnsureDatabase(DatabaseKind kind) {
    if (!CurrentPath(kind).empty()) {
        return WorkspaceResult{};
    }
    return CreateDefaultDatabase(kind);
}

WorkspaceResult Workspace::Save(DatabaseKind kind) {
    WorkspaceResult result;
    const std::string& path = CurrentPath(kind);
    if (path.empty()) {
        result.ok = false;
        result.problem = std::string("Es ist keine ") + GermanNameOf(kind) + " geöffnet.";
        return result;
    }
    TMlbc& table = Table(kind);
    if (!table.SaveToFile(path)) {
        result.ok = false;
        result.problem = SaveFailure(table, path);
    }
    return result;
}

WorkspaceResult Workspace::DeleteCatch(int row) {
    if (!db_.GoToRow(row)) {
        WorkspaceResult result;
        result.ok = false;
        result.problem = "Der gewählte Fang ist nicht mehr vorhanden.";
        return result;
    }
    db_.DeleteRow();
    return Save(DatabaseKind::Catch);
}

WorkspaceResult Workspace::CloneCatch(int row) {
    if (!db_.GoToRow(row)) {
        WorkspaceResult result;
        result.ok = false;
        result.problem = "Der gewählte Fang ist nicht mehr vorhanden.";
        return result;
    }
    db_.CopyRow();
    db_.AppendRow();
    db_.PasteRow();
    return Save(DatabaseKind::Catch);
}

WorkspaceResult Workspace::RebuildValueLists() {
    WorkspaceResult result;
    result.ok = zv::RebuildValueLists(db_, programFolder_, result.problem);
    return result;
}

} // namespace zv
