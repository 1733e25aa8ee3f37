#pragma once

#include <filesystem>
#include <string>

namespace zv {

// Makes a program folder ready on first start: the folder itself with its
// "DATs" and "img", and the default files installed in `sharedData` that it
// lacks (KFaktor.dat). Nothing that exists is replaced. False with a German
// reason naming the folder or file that could not be made.
bool PrepareProgramFolder(const std::filesystem::path& folder,
                          const std::filesystem::path& sharedData, std::string& error);

} // namespace zv
