#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli backup FOLDER OUT.zip
// Opens the program folder FOLDER as at start and writes its backup to
// OUT.zip, printing each file that went in and each that was left out. A
// file that could not be read makes the backup incomplete: exit code 1.
int RunBackupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// zelvorin-cli restore FOLDER IN.zip [--ohne-sicherung]
// Opens the program folder FOLDER as at start, saves its current data to a
// safety backup in FOLDER (not with --ohne-sicherung), restores the backup
// IN.zip into it and prints each entry of the archive and what became of
// it, then the databases that were opened and the safety backup.
int RunRestoreCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Exit codes: 0 done, 1 the backup or restore failed or a file or database
// could not be restored (German reason on `err`), 2 wrong usage.

} // namespace zv::cli
