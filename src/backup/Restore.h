#pragma once

#include "storage/DatabaseKind.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class Workspace;

enum class RestoreOutcome {
    Restored,    // written to `target`
    NotRestored, // a kind of file a restore does not bring back
    Skipped,     // not a plain file with a usable name: never written
    Failed       // could not be read or written; an older file there is unchanged
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

struct RestoreReport {
    // False: the archive could not be read or was refused; nothing changed.
    bool opened = false;
    std::string problem;
    std::vector<RestoredEntry> entries; // in archive order
    std::vector<RestoredDatabase> databases;

    int RestoredCount() const;
    // Failed entries and database problems, one German text each.
    std::vector<std::string> Problems() const;
};

// Restores a backup into the program folder of `workspace`.
//
// Only the bare name of an entry is used (the part after the last "/", "\"
// or ":"), so nothing is ever written outside the target folders; folders,
// links, other special entries, encrypted entries and names that are empty,
// "." or ".." are skipped. By suffix, in any letter case: *.fdb, *.akdb, *.a,
// *.f and *.cal go to the program folder, *.jpg to "img", *.dat to "DATs";
// nothing else is restored ("Zelvorin.ini" included). Before anything is
// written, an archive whose restored files would need more than 4 GiB or
// more than the free space is refused. "img" and "DATs" are created; each
// file is written atomically after its size and CRC were checked.
//
// Then, in archive order, every restored database whose suffix is exactly
// ".f", ".a" or ".cal" is loaded; one that loads becomes current and its
// [Datenbank] key names it, so of several the last that loads stays
// current. An exact ".fdb" or ".akdb" is converted to its automatic target
// in the program folder, which is then loaded the same way; a conversion
// never writes over an existing file. A database that was not restored or
// does not load changes neither the current database nor the settings.
// `progress` hears the files written so far and the files to write.
RestoreReport
RestoreBackup(Workspace& workspace, const std::filesystem::path& archive,
              const std::function<void(std::size_t done, std::size_t total)>& progress = {});

// The part of an archive entry's name after its last "/", "\" or ":".
std::string_view BareEntryName(std::string_view entryName);

// Restores whose files would need more than this are refused.
constexpr std::uint64_t kMaxRestoreBytes = std::uint64_t(4) << 30;

// The text shown afterwards: what was restored and which databases are
// open, what was skipped or failed, or why nothing was restored.
std::string RestoreMessage(const RestoreReport& report, const Workspace& workspace,
                           const std::filesystem::path& archive);

} // namespace zv
