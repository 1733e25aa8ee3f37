#pragma once

#include <filesystem>
#include <string>

namespace zv {

class TMlbc;

// Rewrites the fourteen value lists in DATs from the catch table: each list
// sorted under the German collator without duplicates (of two entries that
// compare equal the first met stays); Faenger without empty entries, the
// others with an empty entry first when some catch has the field empty.
// Creates DATs when missing; an empty catch table writes nothing. The
// table's cursor is not moved. False with German reasons (one per line) when
// the folder or a list could not be written; the lists that could be
// written are written.
bool RebuildValueLists(const TMlbc& catches, const std::filesystem::path& programFolder,
                       std::string& error);

} // namespace zv
