#pragma once

#include <filesystem>
#include <functional>
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
};

struct BackupSelection {
    bool ok = true;
    std::string problem;           // German, when a folder could not be listed
    std::vector<BackupFile> files; // in archive order
    std::vector<LeftOutFile> leftOut;
};

// What a backup holds, in this order: the JPEG pictures lying in the
// program folder, every file of "img", the value lists "DATs/*.dat", the
// current catch database, "Zelvorin.ini", the current cost database and the
// current calendar database (it holds the fishing days). Suffixes match
// without regard to case; files of one folder follow in name order.
//
// The archive is flat, so two files with the same bare name cannot both go
// in. The later source wins: the sources run from the general to the
// specific (a loose picture, anything in "img", a value list, a database),
// and on restoring, the later one is what the program reads: an "img"
// picture is what a catch names, a value list is what "DATs" needs, a
// database is what the settings point at. The file left out is listed with
// the one that took its place. The same file reached twice goes in once;
// the archive being replaced is never put into itself.
BackupSelection SelectBackupFiles(const Workspace& workspace, const std::filesystem::path& archive);

// True for the suffixes that are stored without compression (GIF, PNG, Z,
// ZIP, ZOO, ARC, LZH, ARJ, TAZ, TGZ, LHA, RAR, ACE, CAB, GZ, GZIP, JAR),
// in any letter case.
bool IsStoredUncompressed(const std::string& fileName);

struct BackupResult {
    bool ok = false;
    std::string problem; // German, naming the file and the reason
    BackupSelection selection;
};

// Writes the backup to `archive`: the selection, deflated at level 9, read
// back and checked before it replaces an older file there. On failure the
// file at `archive` is as it was and nothing is left beside it.
// `progress` hears the share of the archive written so far (0 to 1).
BackupResult CreateBackup(const Workspace& workspace, const std::filesystem::path& archive,
                          const std::function<void(double done)>& progress = {});

// The text shown afterwards: how many files were saved and which were left
// out, or why the backup failed.
std::string BackupMessage(const BackupResult& result, const std::filesystem::path& archive);

} // namespace zv
