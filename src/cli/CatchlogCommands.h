#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli search FOLDER TERM
// One UTF-8 line per catch found, in table order:
// row;Fangdatum;Faenger;Fischart;Laenge;Gewicht. Returns 0 (also when
// nothing is found), 1 when the catch database cannot be opened, 2 on wrong
// usage.
int RunSearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// zelvorin-cli map FOLDER WATER OUT.png
// Writes the water's map with the markers of its catches as a PNG file, as
// the map window shows it when viewing. A water without a readable map
// picture, or a catch position that is not two whole numbers, is an error
// (German message on `err`, exit 1, nothing written); 2 on wrong usage.
// The settings are only read: species without a colour are drawn blue.
int RunMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
