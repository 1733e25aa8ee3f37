#include "catchlog/LengthWeightEstimate.h"

#include "base/AtomicFile.h"
#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "base/Win1252.h"
#include "storage/IniFile.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace zv {
namespace {

// The lines as the first version of the program wrote them, the two blanks
// before Rapfen's factor included; readers ignore blanks around values.
constexpr const char* kDefaultLines[] = {
    "[KFaktor]",
    "Aal = 0,22",
    "Äsche = 1,166",
    "Döbel = 1,1",
    "Graskarpfen = 1,21",
    "Bachforelle = 1,09",
    "Bachsaibling = 1,09",
    "Barbe = 1,48",
    "Barsch = 1,28",
    "Brachse = 1,13",
    "Brasse = 1,13",
    "Dorsch = 1,1",
    "Hecht = 0,759",
    "Huchen = 1,08",
    "Lachs = 1,20",
    "Quappe = 0,8",
    "Regenbogenforelle = 1,09",
    "Renke = 1,17",
    "Rotauge = 1,19",
    "Rapfen =  0,96",
    "Rotfeder = 1,19",
    "Seesaibling = 1,09",
    "Schleie = 1,69",
    "Schuppenkarpfen = 2,22",
    "Spiegelkarpfen = 2,22",
    "Wels = 0,724",
    "Zander = 0,96",
};

constexpr const char* kZeroDivideMessage = "Gleitkommadivision durch Null";
constexpr const char* kInvalidOperationMessage = "Ungültige Gleitkommaoperation";

std::string NoDataMessage(std::string_view species) {
    return "Keine Daten für \"" + std::string(species) + "\" vorhanden.";
}

// Reads the factor text of the species; empty when the file, the key or the
// value is missing.
std::string FactorText(const std::filesystem::path& programFolder, std::string_view species) {
    std::error_code ec;
    const std::filesystem::path path = ConditionFactorPath(programFolder);
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {};
    }
    return IniFile(path).ReadString("KFaktor", species);
}

EstimateResult Failure(std::string message) {
    EstimateResult result;
    result.message = std::move(message);
    return result;
}

} // namespace

std::filesystem::path ConditionFactorPath(const std::filesystem::path& programFolder) {
    return programFolder / "KFaktor.dat";
}

bool WriteDefaultConditionFactors(const std::filesystem::path& programFolder, std::string& error) {
    const std::filesystem::path path = ConditionFactorPath(programFolder);
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        return true;
    }
    std::string bytes;
    for (const char* line : kDefaultLines) {
        AppendUtf8AsWin1252(line, bytes);
        bytes += "\r\n";
    }
    return WriteFileAtomic(path, bytes, error);
}

EstimateResult EstimateWeight(const std::filesystem::path& programFolder, std::string_view species,
                              std::string_view lengthText) {
    const std::string factorText = FactorText(programFolder, species);
    if (factorText.empty()) {
        return Failure(NoDataMessage(species));
    }
    try {
        const double length = StrToIntDe(lengthText);
        const double factor = StrToFloatDe(factorText);
        const double weight = std::round(factor * length * length * length / 100.0);
        if (!std::isfinite(weight)) {
            return Failure(kInvalidOperationMessage);
        }
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", weight == 0.0 ? 0.0 : weight);
        EstimateResult result;
        result.value = buffer;
        return result;
    } catch (const EConvertError& error) {
        return Failure(error.what());
    }
}

EstimateResult EstimateLength(const std::filesystem::path& programFolder, std::string_view species,
                              std::string_view weightText) {
    const std::string factorText = FactorText(programFolder, species);
    if (factorText.empty()) {
        return Failure(NoDataMessage(species));
    }
    try {
        const double weight = StrToIntDe(weightText);
        const double factor = StrToFloatDe(factorText);
        if (factor == 0.0) {
            return Failure(kZeroDivideMessage);
        }
        const double cube = 100.0 * weight / factor;
        // A negative cube has no real power with the exponent 1/3 here: the
        // runtime reports an invalid operation rather than a length.
        if (cube < 0.0 || !std::isfinite(cube)) {
            return Failure(kInvalidOperationMessage);
        }
        const int previousMode = std::fegetround();
        std::fesetround(FE_TONEAREST);
        const double length = std::nearbyint(std::cbrt(cube));
        std::fesetround(previousMode);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.0f", length);
        EstimateResult result;
        result.value = buffer;
        return result;
    } catch (const EConvertError& error) {
        return Failure(error.what());
    }
}

} // namespace zv
