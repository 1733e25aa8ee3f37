#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The comma text of a Bilder cell: names separated by commas. Reading
// honours double quotes (a doubled quote inside is one quote), and outside
// quotes blanks separate names as well; a comma at the very end adds an
// empty name. Writing quotes a name that contains a blank (or any control
// character), a comma or a double quote, doubling inner quotes, so that
// every list reads back unchanged.
std::vector<std::string> SplitCommaText(std::string_view text);
std::string JoinCommaText(const std::vector<std::string>& names);

} // namespace zv
