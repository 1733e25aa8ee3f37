#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// A value list is the file DATs/<name>.dat in the program folder: one entry
// per line, Windows-1252, CR LF. It feeds drop-down choices and filters.

std::filesystem::path ValueListPath(const std::filesystem::path& programFolder,
                                    std::string_view name);

// Split at CR LF, CR or LF; a last line without a line end still counts; a
// final line end adds no empty entry; a missing or empty file is an empty list.
std::vector<std::string> ReadValueList(const std::filesystem::path& programFolder,
                                       std::string_view name);

// Writes the list (creating DATs when missing), each entry followed by CR LF,
// atomically. False with a German reason in `error` on failure.
bool WriteValueList(const std::filesystem::path& programFolder, std::string_view name,
                    const std::vector<std::string>& entries, std::string& error);

} // namespace zv
