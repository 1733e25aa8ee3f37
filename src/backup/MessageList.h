#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zv {

// How many lines of one list a message shows; the rest are only counted,
// so a message box never grows taller than the screen.
constexpr std::size_t kListedLines = 10;

// Appends "\n\n<heading>" and the first kListedLines of `lines`, one per
// line, then "… und N weitere" for the rest. Nothing when `lines` is empty.
void AppendList(std::string& text, const std::string& heading,
                const std::vector<std::string>& lines);

} // namespace zv
