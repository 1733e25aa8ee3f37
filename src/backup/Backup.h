#pragma once

#include "backup/ArchiveProgress.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

class Workspace;

// One file of a backup and the bare name it is stored under.
struct BackupFile {
    std::string entryName;
    std::filesystem::path source;
    bool store = false; // kept uncompressed (already compressed formats)
};

// A file that belongs to a backup but is not in it, and why (German).
struct LeftOutFile {
    std::filesystem::path source;
    std::string reason;
    // It could not be read (or is missing): its data are in no file of the
    // backup. Otherwise it was left out on purpose and the reason says so.
    bool unreadable = false;
};

struct BackupSelection {
    bool ok = true;
    std::string problem;           // German, when a folder could not be listed
                                   // or the archive is one of the sources
    std::vector<BackupFile> files; // in archive order
    std::vector<LeftOutFile> leftOut;

    // False when a file could not be read: the backup lacks its data.
    bool Complete() const;
};

// What a backup holds, in this order: the JPEG pictures lying in the
// program folder, every file of "img", the value lists "DATs/*.dat", the
// catch database, "Zelvorin.ini", the cost database and the calendar
// database (it holds the fishing days). Suffixes match without regard to
// case; files of one folder follow in name order. A database is the current
// one or, when none of that kind is current, the one the settings name that
// could not be opened: saved as the bytes on disk, since a backup is just
// the moment a damaged file must be kept.
//
// The archive is flat, so two files with the same bare name cannot both go
// in. The later source wins: the sources run from the general to the
// specific (a loose picture, anything in "img", a value list, a database),
// and on restoring, the later one is what the program reads: an "img"
// picture is what a catch names, a value list is what "DATs" needs, a
// database is what the settings point at. Map pictures ("karte_*.jpg") are
// the exception: the one in the program folder is the one the map window
// reads, and a restore puts them back there. The file left out is listed
// with the one that took its place. The same file reached twice goes in
// once.
//
// Every file comes back under its own name or is left out: a name a
// restore would change (NameChangeReason) is listed as not saved, and so is
// a file that cannot be read. An archive that is one of the files to be
// saved is refused (`ok` false).
BackupSelection SelectBackupFiles(const Workspace& workspace, const std::filesystem::path& archive);

// True for the suffixes that are stored without compression (GIF, PNG, Z,
// ZIP, ZOO, ARC, LZH, ARJ, TAZ, TGZ, LHA, RAR, ACE, CAB, GZ, GZIP, JAR),
// in any letter case.
bool IsStoredUncompressed(const std::string& fileName);

struct BackupResult {
    bool ok = false;
    bool cancelled = false; // stopped through the progress's flag
    std::string problem;    // German, naming the file and the reason
    BackupSelection selection;
};

// Writes the backup to `archive`: the selection, deflated at level 9, read
// back and checked before it replaces an older file there. On failure, and
// when `progress` is cancelled while writing or checking, the file at
// `archive` is as it was and nothing is left beside it. `progress` hears the
// phases Writing and Checking.
BackupResult CreateBackup(const Workspace& workspace, const std::filesystem::path& archive,
                          const ArchiveProgress& progress = {});

// The text shown afterwards: how many files were saved and which were left
// out (at most kListedLines of them by name), or why the backup failed.
std::string BackupMessage(const BackupResult& result, const std::filesystem::path& archive);

} // namespace zv
