#pragma once

#include "storage/DatabaseKind.h"

#include <initializer_list>
#include <ostream>

namespace zv {
class Workspace;
}

namespace zv::cli {

// Opens the program folder as the program does at start. A database a
// command reads that the settings name but that is missing or cannot be read
// is an error: an empty table would pass for "no catches" or "no costs".
// A database that no setting names is an empty table, as the program shows it.
bool OpenProgramFolder(Workspace& workspace, std::initializer_list<DatabaseKind> needed,
                       std::ostream& err);

} // namespace zv::cli
