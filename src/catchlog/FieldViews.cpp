#include "catchlog/FieldViews.h"

#include "base/GermanText.h"
#include "base/NumberText.h"
#include "storage/IniFile.h"

namespace zv {
namespace {

// Shown by "normal,  (Standard)" besides the map button.
const std::set<int> kNormalTags = {1, 2, 4, 5, 8, 11, 12, 13, 14, 15, 16, 17, 18, 22};
// Shown on a day without a catch: place, GPS, weather, water and fishing times.
const std::set<int> kNothingCaughtTags = {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 22};

std::set<int> AllTags() {
    std::set<int> tags;
    for (int tag = 1; tag <= 22; ++tag) {
        if (tag != kMapButtonTag) {
            tags.insert(tag);
        }
    }
    return tags;
}

} // namespace

const std::array<FieldViewItem, 22>& FieldViewItems() {
    static const std::array<FieldViewItem, 22> items = {{
        {"Angelbeginn / Ende", 22},
        {"Fisch Länge", 1},
        {"Fisch Gewicht", 2},
        {"Geschwindigkeit", 3},
        {"Distanz", 4},
        {"Tiefe", 5},
        {"Köder Farbe", 6},
        {"Köder Länge", 7},
        {"Köderverhalten", 20},
        {"Ködertyp", 19},
        {"Stelle", 8},
        {"GPS Lat", 9},
        {"GPS Long", 10},
        {"Karte", 21},
        {"Wetter", 11},
        {"Lufttemperatur", 12},
        {"Wassertemperatur", 13},
        {"Luftdruck", 14},
        {"Windrichtung", 15},
        {"Windstärke", 16},
        {"Wasserstand", 17},
        {"Wassertrübung", 18},
    }};
    return items;
}

std::string ViewValueFromTicks(const std::array<bool, 22>& ticked) {
    std::string value;
    const auto& items = FieldViewItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!ticked[i]) {
            continue;
        }
        if (i != 0) {
            value += ',';
        }
        value += std::to_string(items[i].tag);
    }
    return value;
}

std::set<int> TagsFromViewValue(std::string_view value) {
    std::set<int> tags;
    std::size_t pos = 0;
    while (pos <= value.size()) {
        std::size_t comma = value.find(',', pos);
        if (comma == std::string_view::npos) {
            comma = value.size();
        }
        const std::string_view piece = value.substr(pos, comma - pos);
        int tag = 0;
        if (!piece.empty() && TryStrToIntDe(piece, tag)) {
            tags.insert(tag);
        }
        pos = comma + 1;
    }
    return tags;
}

std::array<bool, 22> TicksFromViewValue(std::string_view value) {
    const std::set<int> tags = TagsFromViewValue(value);
    std::array<bool, 22> ticked{};
    const auto& items = FieldViewItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        ticked[i] = tags.count(items[i].tag) > 0;
    }
    return ticked;
}

ViewVisibility VisibilityForView(int index, std::string_view userValue, bool nothingCaught) {
    ViewVisibility view;
    switch (index) {
    case 0:
        view.visibleTags = AllTags();
        break;
    case 1:
        view.visibleTags = kNormalTags;
        break;
    case 2:
        view.mapButton = false;
        break;
    default: {
        const std::set<int> tags = TagsFromViewValue(userValue);
        for (int tag : tags) {
            if (tag >= 1 && tag <= 22 && tag != kMapButtonTag) {
                view.visibleTags.insert(tag);
            }
        }
        // The map button shows in every user view, "Karte" ticked or not:
        // views stored before the item meant anything never hold its Tag,
        // and they must not lose the button.
        view.mapButton = true;
        break;
    }
    }
    if (nothingCaught) {
        view.visibleTags = kNothingCaughtTags;
        view.mapButton = false;
        view.catchControls = false;
    }
    return view;
}

ViewList LoadViewList(const IniFile& settings) {
    ViewList list;
    list.names = {kViewDetailed, kViewNormal, kViewMinimal};
    for (std::string& name : settings.ReadSection(kViewSection)) {
        list.names.push_back(std::move(name));
    }
    const std::string last = settings.ReadString(kLastViewSection, kLastViewKey);
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        if (SameTextDe(list.names[i], last)) {
            list.selected = static_cast<int>(i);
            break;
        }
    }
    return list;
}

std::vector<std::string> ManagerViewNames(const IniFile& settings) {
    std::vector<std::string> names = {kNewViewPlaceholder};
    for (std::string& name : settings.ReadSection(kViewSection)) {
        names.push_back(std::move(name));
    }
    return names;
}

bool CheckNewViewName(const IniFile& settings, std::string_view name, std::string& message) {
    message.clear();
    if (Trim(name).empty()) {
        return false;
    }
    // The settings file could not give such a name back as it was typed.
    const std::string_view first = name.substr(0, 1);
    if (name.find('=') != std::string_view::npos || first == ";" || first == "#" || first == "[" ||
        Trim(name).size() != name.size()) {
        message = "Der Name \"" + std::string(name) +
                  "\" kann nicht verwendet werden. Bitte einen anderen wählen.";
        return false;
    }
    bool taken = SameTextDe(name, kNewViewPlaceholder);
    for (const std::string& existing : settings.ReadSection(kViewSection)) {
        taken = taken || SameTextDe(existing, name);
    }
    if (taken) {
        message = "Der Name \"" + std::string(name) +
                  "\" ist bereits vorhanden. Bitte einen anderen wählen.";
        return false;
    }
    return true;
}

bool StoreView(IniFile& settings, std::string_view name, std::string_view value) {
    return settings.WriteString(kViewSection, name, value);
}

bool DeleteView(IniFile& settings, std::string_view name) {
    return settings.EraseKey(kViewSection, name);
}

} // namespace zv
