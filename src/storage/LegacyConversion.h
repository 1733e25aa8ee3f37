#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zv {

class TMlbc;

// Older versions kept catches in *.fdb and costs in *.akdb files: the same
// CSV format with older field names. A conversion loads the legacy file, builds
// a table with the current schema and copies the rows by field name; the
// legacy file itself is never changed.

// The converted table, or nullptr with a German reason in `error` when the
// legacy file cannot be loaded or (costs) a price is not a number.
std::unique_ptr<TMlbc> ConvertLegacyCatchTable(const std::string& legacyPath, std::string& error);
std::unique_ptr<TMlbc> ConvertLegacyCostTable(const std::string& legacyPath, std::string& error);

// Convert and save to `targetPath` (UTF-8). False with a German reason when
// the legacy file cannot be loaded or the target cannot be written; an
// existing target is then left as it was.
bool ConvertLegacyCatchDb(const std::string& legacyPath, const std::string& targetPath,
                          std::string& error);
bool ConvertLegacyCostDb(const std::string& legacyPath, const std::string& targetPath,
                         std::string& error);

// The file name of a stored path, which may be a Windows path written by an
// older program ("D:\Alt\Hecht.fdb" gives "Hecht.fdb"): the text after the
// last "\" or "/".
std::string StoredFileName(std::string_view storedPath);

// Automatic targets: the legacy file's name in the program folder with every
// ".fdb" replaced by ".f" (catch) or every ".akdb" by ".a" (cost).
std::string AutomaticCatchTarget(const std::filesystem::path& programFolder,
                                 std::string_view legacyPath);
std::string AutomaticCostTarget(const std::filesystem::path& programFolder,
                                std::string_view legacyPath);

} // namespace zv
