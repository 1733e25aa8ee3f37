#pragma once

#include <filesystem>
#include <string>

namespace zv {

// Creates the folder with any missing parents. False with a German reason
// naming the folder when that is not possible (an existing folder is fine).
bool CreateFolder(const std::filesystem::path& folder, std::string& error);

} // namespace zv
