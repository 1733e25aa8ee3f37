#pragma once

#include "backup/ArchiveProgress.h"
#include "base/DateTime.h"
#include "storage/DatabaseKind.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zv {

class Workspace;

enum class RestoreOutcome {
    Restored,    // written to `target`
    NotRestored, // a kind of file a restore does not bring back
    Skipped,     // not a plain file with a usable name: never written
    Failed,      // could not be read or written; an older file there is unchanged
    Stopped      // not written: the restore was cancelled before it was done
};

struct RestoredEntry {
    std::string name; // as stored in the archive
    RestoreOutcome outcome = RestoreOutcome::NotRestored;
    std::string target; // the file written (UTF-8); empty unless restored
    std::string note;   // German: why it was not restored, or how its name was used
};

// A database entry of the archive and what became of it.
struct RestoredDatabase {
    DatabaseKind kind = DatabaseKind::Catch;
    std::string entryName;
    std::string path;       // the database file (the conversion's target for legacy files)
    bool converted = false; // a legacy file was converted to `path`
    bool opened = false;    // loaded, made current and (unless `problem` says
                            // otherwise) recorded in the settings
    std::string problem;    // German
};

struct RestoreOptions {
    // Before anything is replaced, the current data are saved into the
    // program folder under SafetyBackupName of this time. None: no such
    // backup.
    std::optional<TDateTime> safetyBackupAt;
    // The free space of the program folder's disk; none: as the system
    // reports it.
    std::optional<std::uint64_t> freeBytes;
    // Hears the phases SavingFormer and Restoring; a cancel stops before
    // the next file or piece of a file (see RestoreFiles).
    ArchiveProgress progress = {};
};

struct RestoreReport {
    // False: the archive could not be read or was refused, or the restore
    // was cancelled while the current data were being saved; nothing
    // changed.
    bool opened = false;
    bool cancelled = false;
    std::string problem;
    std::string safetyBackup;           // the safety backup written (UTF-8); empty when none
    std::vector<RestoredEntry> entries; // in archive order
    std::vector<RestoredDatabase> databases;

    int RestoredCount() const;
    // Failed entries and database problems, one German text each.
    std::vector<std::string> Problems() const;
};

// Restores a backup into the program folder of `workspace`.
//
// The archive is opened strictly (ArchiveReader). Only the bare name of an
// entry is used (BareEntryName), so nothing is ever written outside the
// target folders; folders, links, other special entries, encrypted entries,
// entries compressed beyond a sound ratio (IsTooCompressed) and names that
// are no file names are skipped. By suffix, in any letter case: *.fdb,
// *.akdb, *.a, *.f and *.cal go to the program folder, map pictures
// ("karte_*.jpg") too, other *.jpg to "img", *.dat to "DATs"; nothing else
// is restored ("Zelvorin.ini" included).
//
// Before anything is written, an archive whose files would not fit the
// free space is refused, and so is a program folder whose "img" or "DATs"
// is a link (it leads elsewhere). Then the safety backup is written when
// asked for; one that fails refuses the restore. "img" and "DATs" are
// created; each file is written in its folder, checked (size, CRC; a
// database must load and hold the key field of its kind, e.g. "Fangdatum")
// and renamed into place: a link there is replaced, never written through.
// A file that fails a check is not written and the report says why.
//
// Then, in archive order, every restored database whose suffix is exactly
// ".f", ".a" or ".cal" is loaded; one that loads becomes current and its
// [Datenbank] key names it, so of several the last that loads stays
// current. An exact ".fdb" or ".akdb" is converted to its automatic target
// in the program folder, which is then loaded the same way; a conversion
// never writes over an existing file. A database that was not restored or
// does not load changes neither the current database nor the settings.
//
// A cancel through `options.progress` while the safety backup is written
// leaves everything as it was. Later it stops before the next file, or
// within a file before it replaces anything: every file is the old one or
// the new one in full, the entries not written are Stopped, and only the
// databases restored before the cancel are opened. The safety backup is
// kept.
RestoreReport RestoreBackup(Workspace& workspace, const std::filesystem::path& archive,
                            const RestoreOptions& options = {});

// RestoreBackup in its two steps. RestoreFiles writes the files and touches
// neither the tables nor the settings, so it can run on a thread of its own
// while the program goes on reading them; OpenRestoredDatabases opens the
// restored databases and points the settings at them.
RestoreReport RestoreFiles(const Workspace& workspace, const std::filesystem::path& archive,
                           const RestoreOptions& options = {});
void OpenRestoredDatabases(Workspace& workspace, RestoreReport& report);

// "Sicherung vor dem Laden JJJJ-MM-TT hh-mm-ss.zip" with the digits of `at`.
std::string SafetyBackupName(TDateTime at);

// The text shown afterwards: what was restored and which databases are
// open, where the former data were saved, what was skipped or failed (at
// most kListedLines of each by name), or why nothing was restored.
std::string RestoreMessage(const RestoreReport& report, const Workspace& workspace,
                           const std::filesystem::path& archive);

} // namespace zv
