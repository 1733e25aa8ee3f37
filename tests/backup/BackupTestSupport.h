#pragma once

#include "../storage/DataTestSupport.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zv::test {

// A table file of the given fields: header line, then one line per row with
// the named cells filled (CSV with ";" and CR LF, as the program writes).
std::string TableBytes(const std::vector<std::string>& fields,
                       const std::vector<std::map<std::string, std::string>>& rows);

// A program folder as the program leaves it: Zelvorin.ini naming the catch
// database at `catches` (two catches) and Kosten.a and Kalender.cal in the
// folder (one row each), the map picture karte.jpg, img/hecht1.jpg,
// img/notiz.txt and DATs/Faenger.dat.
void WriteProgramFolder(const std::filesystem::path& folder, const std::filesystem::path& catches);

// The entries of an archive as name → bytes, and their names in order.
std::map<std::string, std::string> EntryContents(const std::filesystem::path& archive,
                                                 std::vector<std::string>* names = nullptr);

// Every file, link and folder below `root`, as paths relative to it.
std::set<std::string> TreeBelow(const std::filesystem::path& root);

// Makes a folder that even root cannot write into (immutable flag; plain
// permissions for other users). False when the file system allows neither.
bool MakeUnwritable(const std::filesystem::path& folder);
void MakeWritable(const std::filesystem::path& folder);

} // namespace zv::test
