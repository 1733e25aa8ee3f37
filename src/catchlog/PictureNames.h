#pragma once

#include <string>
#include <string_view>

namespace zv {

class Clock;
class RandomSource;

// Pictures stored together share one stem formed when the first of them is
// stored: the current date and time as "05.06.2007" and "18:42:07" followed
// by a random number 0 … 199, with the dots and colons removed
// ("0506200718420757").
std::string PictureNameStem(const Clock& clock, RandomSource& random);

// The file name of the picture at the 0-based `position` of a catch's
// picture list: stem + "_" + position + ".jpg" ("0506200718420757_1.jpg").
std::string PictureFileName(std::string_view stem, int position);

// Older pictures came as a small preview and a big original; the enlarged
// view shows the name with every "small" replaced by "big".
std::string EnlargedPictureName(std::string_view name);

} // namespace zv
