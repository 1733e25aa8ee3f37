#pragma once

#include <string>
#include <string_view>

namespace zv {

// Two kinds of case-insensitive comparison exist in the program.
//
// Locale comparison: the German collator at secondary strength. Case is
// ignored, ä sorts beside a, but ä and a stay different. Used for field
// names, value-list duplicates and sorting, and filter lists.
int CompareTextDe(std::string_view a, std::string_view b); // <0, 0, >0
bool SameTextDe(std::string_view a, std::string_view b);
bool LessTextDe(std::string_view a, std::string_view b);

// A byte string whose plain byte order is the locale order above; lets a
// long list be sorted without calling the collator for every comparison.
std::string CollationKeyDe(std::string_view text);

// A–Z only: lowers the 26 ASCII capitals and nothing else, so umlauts keep
// their case. Used by searches and the statistics' "equal ignoring case".
std::string LowerAZ(std::string_view text);
std::string UpperAZ(std::string_view text);
bool SameTextAZ(std::string_view a, std::string_view b);

// Removes leading and trailing blanks and control characters (≤ U+0020).
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

} // namespace zv
