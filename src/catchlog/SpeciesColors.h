#pragma once

#include "catchlog/MapColor.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class IniFile;
class RandomSource;

// The species colours of the map, section [KarteFarbe] of the settings, read
// once so that drawing many markers does not read the file for each.
// Species names match the keys ignoring case, as every settings key does.
class SpeciesColors {
public:
    static constexpr std::string_view kSection = "KarteFarbe";

    SpeciesColors() = default;
    explicit SpeciesColors(const IniFile& settings);

    // The stored text (empty when the species has no key).
    std::string Text(std::string_view species) const;
    // The colour the text names, if it names one.
    std::optional<MapColor> Find(std::string_view species) const;
    // The colour of the species' markers: blue without a readable colour.
    MapColor Marker(std::string_view species) const;

private:
    std::map<std::string, std::string> texts_; // collation key → stored text
};

// The species of the map when the program has no list of species yet.
const std::vector<std::string>& DefaultMapSpecies();

// Gives every species a random colour when the settings have no section
// [KarteFarbe] at all: the species of DATs/Fischarten.dat, or the default
// species without that file. An existing section is left as it is, so
// species added later stay without a colour until the angler sets one.
// Returns the German reason of the first key that could not be written
// (empty when all went well); the other keys are still written.
std::string EnsureSpeciesColors(const std::filesystem::path& programFolder, IniFile& settings,
                                RandomSource& random);

} // namespace zv
