#include "storage/ValueListRebuild.h"

#include "base/GermanText.h"
#include "storage/CreateFolder.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include <map>
#include <vector>

namespace zv {
namespace {

struct ListSource {
    const char* list;  // file name in DATs without ".dat"
    const char* field; // catch field it is built from
    bool keepEmpty;
};

// The bait colour and length are looked up under the spelling of their
// lists; field names match regardless of case.
const ListSource kSources[] = {
    {"Faenger", "Faenger", false},
    {"Koedertyp", "Koedertyp", true},
    {"Fischarten", "Fischart", true},
    {"Fangmethode", "Fangmethode", true},
    {"Koeder", "Koeder", true},
    {"Koederfarbe", "Koederfarbe", true},
    {"Koederlaenge", "Koederlaenge", true},
    {"Gewaesser", "Gewaesser", true},
    {"Stelle", "Stelle", true},
    {"Wetter", "Wetter", true},
    {"Windrichtung", "Windrichtung", true},
    {"Windstaerke", "Windstaerke", true},
    {"Wasserstand", "Wasserstand", true},
    {"Wassertruebung", "Wassertruebung", true},
};

} // namespace

bool RebuildValueLists(const TMlbc& catches, const std::filesystem::path& programFolder,
                       std::string& error) {
    error.clear();
    if (!CreateFolder(programFolder / "DATs", error)) {
        return false;
    }
    if (catches.RowCount() == 0) {
        return true;
    }

    bool ok = true;
    for (const ListSource& source : kSources) {
        // Keyed by the collation key, so equal-under-the-locale entries meet
        // in one slot (the first one stays) and the map's order is the sort.
        std::map<std::string, std::string> sorted;
        const int position = catches.FieldIndex(source.field);
        for (int row = 1; row <= catches.RowCount(); ++row) {
            const std::string_view value = catches.Cell(row, position);
            if (value.empty() && !source.keepEmpty) {
                continue;
            }
            sorted.try_emplace(CollationKeyDe(value), value);
        }
        std::vector<std::string> entries;
        entries.reserve(sorted.size());
        for (auto& [key, value] : sorted) {
            entries.push_back(std::move(value));
        }
        std::string listError;
        if (!WriteValueList(programFolder, source.list, entries, listError)) {
            ok = false;
            error += (error.empty() ? "" : "\n") + listError;
        }
    }
    return ok;
}

} // namespace zv
