#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Length and weight of a fish from each other through the species'
// condition factor K = 100 × weight in g / (length in cm)³. The factors live
// in KFaktor.dat in the program folder, section [KFaktor], one line per
// species; the angler may edit the file.

std::filesystem::path ConditionFactorPath(const std::filesystem::path& programFolder);

// Writes the default factor file line by line when no file exists; an
// existing file is never touched. False with a German reason on failure.
bool WriteDefaultConditionFactors(const std::filesystem::path& programFolder, std::string& error);

// The result text, or nothing with the German message to show instead
// (no factor for the species, a length or weight that is not a whole
// number, a factor that is not a number, a division by a zero factor).
struct EstimateResult {
    std::optional<std::string> value;
    std::string message;
};

// Both are computed exactly from the decimal factor text, so a result that
// is exactly half way rounds by its rule and not by the binary error of the
// factor ("Brasse" 1,13 at 50 cm is 1412,5 g and gives 1413).
//
// Weight in whole grams from a whole length in cm; halves round away from
// zero ("Hecht", "80" → "3886").
EstimateResult EstimateWeight(const std::filesystem::path& programFolder, std::string_view species,
                              std::string_view lengthText);
// Length in whole cm from a whole weight in g; halves round to the even
// neighbour ("Hecht", "3886" → "80").
EstimateResult EstimateLength(const std::filesystem::path& programFolder, std::string_view species,
                              std::string_view weightText);

// The messages of the two double-click handlers when a box is empty.
inline constexpr const char* kNeedLengthMessage = "Bitte Länge eintragen oder Fischart auswählen";
inline constexpr const char* kNeedWeightMessage = "Bitte Gewicht oder Fischart auswählen";

} // namespace zv
