#pragma once

#include <array>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class IniFile;

// A field view decides which optional fields the catch entry window shows.
// A view is a set of Tag numbers 1 … 22; every optional control of the entry
// window and its label carry one, the controls with Tag 0 always show.

// The manager's items, in its order, with the Tag each one stands for.
struct FieldViewItem {
    const char* text;
    int tag;
};
const std::array<FieldViewItem, 22>& FieldViewItems();

// Tag of the map button. The manager offers and stores it, but only the
// built-in views decide about the button; every user view shows it.
inline constexpr int kMapButtonTag = 21;

// The three built-in views, always first in the entry window's list.
inline constexpr const char* kViewDetailed = "ausführlich, (Standard)";
inline constexpr const char* kViewNormal = "normal,  (Standard)";
inline constexpr const char* kViewMinimal = "minimal, (Standard)";
inline constexpr int kBuiltInViewCount = 3;

// The first entry of the manager's list: choosing it asks for a new name.
inline constexpr const char* kNewViewPlaceholder = "- Neuer Eintrag -";

// Settings: section [Felder] holds the user views (name = value), key
// "Felder" of section [FangHinzufuegen] the view last used for a catch.
inline constexpr const char* kViewSection = "Felder";
inline constexpr const char* kLastViewSection = "FangHinzufuegen";
inline constexpr const char* kLastViewKey = "Felder";

// The value of a view from the ticked manager items (in item order): the
// first item contributes its Tag alone, every other one "," + Tag, so a
// view without the first item begins with a comma (",1,2,8").
std::string ViewValueFromTicks(const std::array<bool, 22>& ticked);
// Which items a stored value ticks; empty pieces and unknown numbers are
// ignored.
std::array<bool, 22> TicksFromViewValue(std::string_view value);
// The Tags a value names (split at commas, empty pieces ignored; pieces that
// are not whole numbers name no Tag).
std::set<int> TagsFromViewValue(std::string_view value);

// What the entry window shows for a view.
struct ViewVisibility {
    std::set<int> visibleTags; // tagged controls (Tag 1 … 22, the map button aside) shown
    bool mapButton = true;     // the map button BitBtn4
    bool catchControls = true; // species, catcher, catch time, method, bait name + labels
    bool IsTagVisible(int tag) const { return tag == 0 || visibleTags.count(tag) > 0; }
};

// The visibility for the view at `index` of the entry window's list (0 … 2
// built in, user views after), `userValue` being the stored value of a user
// view, with the nothing-caught overlay on top when `nothingCaught`.
ViewVisibility VisibilityForView(int index, std::string_view userValue, bool nothingCaught);

// The entry window's view list: the built-in names, then the user views in
// file order; `selected` is the first entry equal (letter case ignored) to
// the last used name, else 0.
struct ViewList {
    std::vector<std::string> names;
    int selected = 0;
};
ViewList LoadViewList(const IniFile& settings);

// The manager's list: the placeholder, then the user views in file order.
std::vector<std::string> ManagerViewNames(const IniFile& settings);

// Whether a name may become a view: not empty, not the placeholder and not
// already among the stored views (letter case ignored). `message` is the
// warning to show when it may not (empty when nothing is to be said, for a
// cancelled or empty name).
bool CheckNewViewName(const IniFile& settings, std::string_view name, std::string& message);

// Stores and deletes user views; false with LastError() of the settings.
bool StoreView(IniFile& settings, std::string_view name, std::string_view value);
bool DeleteView(IniFile& settings, std::string_view name);

} // namespace zv
