#pragma once

#include "storage/DatabaseKind.h"
#include "storage/IniFile.h"
#include "storage/TMlbc.h"

#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace zv {

// Outcome of an operation that changes files: ok, or a German reason the
// window shows. `message` carries an information text to show on success
// where there is one (the default database's notice).
struct WorkspaceResult {
    bool ok = true;
    std::string message; // information to show on success (may be empty)
    std::string problem; // German reason on failure; a warning when ok
};

// How one database fared when the workspace was opened.
struct DatabaseOpening {
    DatabaseOpening() = default;
    explicit DatabaseOpening(DatabaseKind k) : kind(k) {}

    DatabaseKind kind = DatabaseKind::Catch;
    std::string settingsPath; // the path as the settings hold it after opening (UTF-8)
    std::string path;         // the file looked at; empty when none is configured
    bool opened = false;      // loaded and made current
    bool converted = false;   // a legacy file was converted to `path`
    std::string legacyPath;   // the legacy path the settings held, when converted
    // German reason when a configured database could not be converted or
    // loaded, or the settings could not be updated. Empty when it opened or
    // when no file exists at the path (that database simply stays closed).
    std::string problem;
    // German information for the user: the settings still named a legacy
    // file whose converted database already existed, so that one was opened.
    std::string notice;
};

struct OpenReport {
    DatabaseOpening catches{DatabaseKind::Catch};
    DatabaseOpening costs{DatabaseKind::Cost};
    DatabaseOpening calendar{DatabaseKind::Calendar};

    // The non-empty problems, one German text each, for a message box.
    std::vector<std::string> Problems() const;
    // The non-empty notices, for an information box.
    std::vector<std::string> Notices() const;
};

// The three tables, their current paths, the program folder and the settings
// file. The main window owns one and hands it to every window; operations
// that several windows share live here so they run without a screen.
//
// Paths are UTF-8. A stored path may come from the Windows version of the
// program ("C:\Angeln\Fang.f"): when no file exists at the path as written
// and it has a drive letter or backslashes, the file of that name in the
// program folder is used instead (ResolveStoredPath).
class Workspace {
public:
    explicit Workspace(std::filesystem::path programFolder);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Start-up: reads the database paths ([Datenbank], falling back to the
    // older [DB]/[AKDB] "File" keys), converts *.fdb/*.akdb paths to their
    // automatic targets and records those in the settings, and loads every
    // database whose file exists, making its path current. A database that
    // exists but does not load stays closed and is reported.
    //
    // An automatic target that already exists is opened, never converted
    // over: it holds every change made since it was converted (a notice
    // says so). Temporary files that interrupted saves left beside the
    // settings, the value lists, the pictures and the databases are removed.
    // The folders `DATs` and `img` are created in the program folder when
    // they are missing.
    OpenReport Open();

    TMlbc& DB() { return db_; }
    TMlbc& ak() { return ak_; }
    TMlbc& cal() { return cal_; }
    const TMlbc& DB() const { return db_; }
    const TMlbc& ak() const { return ak_; }
    const TMlbc& cal() const { return cal_; }
    TMlbc& Table(DatabaseKind kind);
    const TMlbc& Table(DatabaseKind kind) const;

    // Current database paths; empty while no database of that kind is open.
    const std::string& CatchPath() const { return catchPath_; }
    const std::string& CostPath() const { return costPath_; }
    const std::string& CalendarPath() const { return calendarPath_; }
    void SetCatchPath(std::string path) { catchPath_ = std::move(path); }
    void SetCostPath(std::string path) { costPath_ = std::move(path); }
    void SetCalendarPath(std::string path) { calendarPath_ = std::move(path); }
    const std::string& CurrentPath(DatabaseKind kind) const;
    void SetCurrentPath(DatabaseKind kind, std::string path);

    const std::filesystem::path& ProgramFolder() const { return programFolder_; }
    IniFile& Settings() { return settings_; }
    const IniFile& Settings() const { return settings_; }

    // The file a stored path names on this machine (see above); the path
    // itself when nothing better exists.
    std::string ResolveStoredPath(const std::string& storedPath) const;

    // Loads the table of that kind from `path` and makes the path current.
    // A missing file or a failed load changes neither table nor path and is
    // reported. Here, at start and for an existing default file, a database
    // whose file has no header line gets the fields of its kind.
    WorkspaceResult LoadDatabase(DatabaseKind kind, const std::string& path);

    // Creates the default database of that kind in the program folder
    // (Datenbank.f, Angelkosten.a, Kalender.cal) with its schema, records it
    // under [Datenbank], loads it and makes it current. Refused while a
    // database of that kind is unopened (UnopenedProblem). `message` is the
    // notice to show. A file of that name that already exists is opened
    // instead of replaced, so its rows survive. On failure nothing is
    // current and `problem` says why.
    WorkspaceResult CreateDefaultDatabase(DatabaseKind kind);
    // CreateDefaultDatabase only when no database of that kind is open;
    // ok with an empty message otherwise.
    WorkspaceResult EnsureDatabase(DatabaseKind kind);

    // A database the settings name whose file exists but could not be
    // opened at start (it did not load, or an old one could not be
    // converted), while no other database of that kind is current: its
    // path, and German text saying which file it is, why it did not open
    // and how to choose another. Both empty otherwise. While it is so,
    // nothing creates a default database of that kind or rewrites its key:
    // the file holds the angler's data.
    const std::string& UnopenedPath(DatabaseKind kind) const;
    std::string UnopenedProblem(DatabaseKind kind) const;

    // Saves the table to its current path; a failure is reported with the
    // file and the reason (the table keeps its changes).
    WorkspaceResult Save(DatabaseKind kind);

    // Deletes the catch at `row` (1-based, as the catch list stored it) and
    // saves the catch database. The cursor stays where DeleteRow leaves it.
    WorkspaceResult DeleteCatch(int row);
    // Appends a copy of the catch at `row` as the new last row (same picture
    // names) and saves. The cursor ends on the copy.
    WorkspaceResult CloneCatch(int row);

    // Rewrites the value lists in DATs from DB (ValueListRebuild.h).
    WorkspaceResult RebuildValueLists();

private:
    void OpenCatchOrCost(DatabaseKind kind, DatabaseOpening& opening);
    void OpenExisting(DatabaseKind kind, DatabaseOpening& opening);
    void MarkUnopened(DatabaseKind kind, const std::string& path, const std::string& reason);

    struct Unopened {
        std::string path;
        std::string reason;
    };

    std::filesystem::path programFolder_;
    IniFile settings_;
    TMlbc db_;
    TMlbc ak_;
    TMlbc cal_;
    std::string catchPath_;
    std::string costPath_;
    std::string calendarPath_;
    std::array<Unopened, 3> unopened_;
};

} // namespace zv
