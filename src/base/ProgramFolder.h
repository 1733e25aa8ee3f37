#pragma once

#include <filesystem>

namespace zv {

// The folder of the running executable: every fixed file name of the
// program (settings, value lists, pictures) is resolved against it, never
// against the working folder. Falls back to argv0's folder.
std::filesystem::path ProgramFolderOfExecutable(const char* argv0);

} // namespace zv
