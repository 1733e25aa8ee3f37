#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zv {

class TMlbc;

// The blank catch sheet: an HTML table with one row per field of the catch
// database (less the fields the program fills by itself), the field's name
// in bold and six empty cells to fill in by hand.

// The sheet's lines (UTF-8, without line ends): the style line, one row per
// field in field order, "</table>". Field names are escaped for HTML; every
// "ae", "oe" and "ue" of the text becomes "ä", "ö" and "ü".
std::vector<std::string> BuildCatchSheet(const TMlbc& db);

// Writes the lines as Windows-1252, each followed by CR LF, replacing the
// file atomically. False with a German reason naming the file on failure.
bool WriteCatchSheet(const std::filesystem::path& path, const std::vector<std::string>& lines,
                     std::string& error);

} // namespace zv
