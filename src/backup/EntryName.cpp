#include "backup/EntryName.h"

#include "base/GermanText.h"

#include <algorithm>

namespace zv {

std::string_view BareEntryName(std::string_view entryName) {
    const std::size_t cut = entryName.find_last_of("/\\:");
    return cut == std::string_view::npos ? entryName : entryName.substr(cut + 1);
}

std::string InvalidFileNameReason(std::string_view bare) {
    const bool control = std::any_of(bare.begin(), bare.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (bare.empty() || bare == "." || bare == ".." || control) {
        return "Der Name ist kein gültiger Dateiname.";
    }
    return {};
}

std::string NameChangeReason(std::string_view name) {
    const std::string_view bare = BareEntryName(name);
    if (bare.size() != name.size()) {
        return "Der Name enthält \"/\", \"\\\" oder \":\"; beim Laden käme die Datei als \"" +
               std::string(bare) + "\" zurück und könnte eine andere ersetzen.";
    }
    return InvalidFileNameReason(bare);
}

bool IsMapPictureName(std::string_view bare) {
    return bare.starts_with("karte_") && bare.size() >= 4 &&
           LowerAZ(bare.substr(bare.size() - 4)) == ".jpg";
}

} // namespace zv
