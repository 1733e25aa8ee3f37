#include "catchlog/SpeciesColors.h"

#include "base/GermanText.h"
#include "base/RandomSource.h"
#include "storage/IniFile.h"
#include "storage/ValueList.h"

namespace zv {

SpeciesColors::SpeciesColors(const IniFile& settings) {
    for (const auto& [key, value] : settings.ReadSectionValues(kSection)) {
        texts_.emplace(CollationKeyDe(key), value); // the first of equal keys counts
    }
}

std::string SpeciesColors::Text(std::string_view species) const {
    const auto found = texts_.find(CollationKeyDe(species));
    return found == texts_.end() ? std::string() : found->second;
}

std::optional<MapColor> SpeciesColors::Find(std::string_view species) const {
    return ColorFromText(Text(species));
}

MapColor SpeciesColors::Marker(std::string_view species) const {
    return Find(species).value_or(kMarkerBlue);
}

const std::vector<std::string>& DefaultMapSpecies() {
    static const std::vector<std::string> species = {"Aal",
                                                     "Äsche",
                                                     "Bachforelle",
                                                     "Bachsaibling",
                                                     "Barbe",
                                                     "Barsch",
                                                     "Brachsen",
                                                     "Döbel",
                                                     "Dorsch",
                                                     "Graskarpfen",
                                                     "Hecht",
                                                     "Huchen",
                                                     "Spiegelkarpfen",
                                                     "Schuppenkarpfen",
                                                     "Lachs",
                                                     "Meerforelle",
                                                     "Quappe",
                                                     "Rapfen",
                                                     "Regenbogenforelle",
                                                     "Renke",
                                                     "Rotauge",
                                                     "Rotfeder",
                                                     "Schleie",
                                                     "Seeforelle",
                                                     "Seesaibling",
                                                     "Wels",
                                                     "Zander"};
    return species;
}

std::string EnsureSpeciesColors(const std::filesystem::path& programFolder, IniFile& settings,
                                RandomSource& random) {
    if (settings.SectionExists(SpeciesColors::kSection)) {
        return {};
    }
    std::error_code ec;
    const bool haveList = std::filesystem::exists(ValueListPath(programFolder, "Fischarten"), ec);
    const std::vector<std::string> species =
        haveList ? ReadValueList(programFolder, "Fischarten") : DefaultMapSpecies();
    std::string problem;
    for (const std::string& name : species) {
        if (Trim(name).empty()) {
            continue; // an empty line of the list is no species
        }
        MapColor color;
        color.red = static_cast<std::uint8_t>(random.Random(256));
        color.green = static_cast<std::uint8_t>(random.Random(256));
        color.blue = static_cast<std::uint8_t>(random.Random(256));
        if (!settings.WriteString(SpeciesColors::kSection, name, ColorToText(color)) &&
            problem.empty()) {
            problem = settings.LastError();
        }
    }
    return problem;
}

} // namespace zv
