#pragma once

#include <filesystem>
#include <memory>

namespace zv {

class TfrmMain;

// Creates the program's twenty windows once, the main window first, in the
// program's fixed order; every other window is a child of the main window
// and listed in its FormSet. Nothing is shown yet.
std::unique_ptr<TfrmMain> CreateForms(const std::filesystem::path& programFolder);

} // namespace zv
