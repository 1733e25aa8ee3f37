#include "cli/StatsCommands.h"
#include "cli/ProgramFolderOpening.h"

#include "base/AtomicFile.h"
#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "statistics/CatchRecommendation.h"
#include "statistics/CatchStatistics.h"
#include "statistics/StatisticsText.h"
#include "storage/Workspace.h"

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>
#include <utility>

namespace zv::cli {

namespace {

constexpr const char* kStatsUsage =
    "Aufruf: zelvorin-cli stats species|bait|weather ORDNER [--faenger NAME] [--jahr JJJJ] "
    "[--fischart ART] [--koedertyp TYP] [--koeder KOEDER]\n";
constexpr const char* kRecommendUsage = "Aufruf: zelvorin-cli recommend ORDNER\n";

struct StatsOptions {
    std::string kind;
    std::filesystem::path folder;
    std::map<std::string, std::string> values; // option name without "--" → value
};

// Parses "KIND FOLDER --name value …"; only the options the kind uses are
// accepted, each once.
std::optional<StatsOptions> ParseStatsArguments(const std::vector<std::string>& args,
                                                std::ostream& err) {
    if (args.size() < 2) {
        err << kStatsUsage;
        return std::nullopt;
    }
    StatsOptions options;
    options.kind = args[0];
    std::set<std::string> allowed;
    if (options.kind == "species" || options.kind == "weather") {
        allowed = {"faenger", "jahr", "fischart"};
    } else if (options.kind == "bait") {
        allowed = {"faenger", "jahr", "koedertyp", "koeder"};
    } else {
        err << "Unbekannte Statistik \"" << options.kind << "\".\n" << kStatsUsage;
        return std::nullopt;
    }
    options.folder = PathFromUtf8(args[1]);
    for (std::size_t i = 2; i < args.size(); i += 2) {
        const std::string& word = args[i];
        const std::string name = word.rfind("--", 0) == 0 ? word.substr(2) : std::string();
        if (!allowed.contains(name)) {
            err << "Unbekannte Option \"" << word << "\".\n" << kStatsUsage;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            err << "Der Option \"" << word << "\" fehlt ihr Wert.\n" << kStatsUsage;
            return std::nullopt;
        }
        if (!options.values.emplace(name, args[i + 1]).second) {
            err << "Die Option \"" << word << "\" ist doppelt angegeben.\n";
            return std::nullopt;
        }
    }
    return options;
}

std::string RecordLine(const std::optional<RecordCatch>& record, bool speciesText) {
    if (!record) {
        return {};
    }
    const std::string text = speciesText ? SpeciesRecordText(*record) : BaitRecordText(*record);
    std::string line;
    for (char c : text) {
        if (c == '\r') {
            line += " | ";
        } else {
            line += c;
        }
    }
    return line;
}

void PrintTally(std::ostream& out, std::string_view name, const Tally& tally) {
    out << "[" << name << "]\n";
    for (const TallyRow& row : tally) {
        out << row.label << ";" << row.count << "\n";
    }
}

template <typename Result>
void PrintTotals(std::ostream& out, const Result& result, bool speciesText) {
    out << "count;" << result.count << "\n";
    out << "laenge;" << FormatAverage(result.lengthSum, result.count) << "\n";
    out << "gewicht;" << FormatAverage(result.weightSum, result.count) << "\n";
    out << "rekord;" << RecordLine(result.record, speciesText) << "\n";
}

std::string ValueOf(const StatsOptions& options, const std::string& name) {
    const auto found = options.values.find(name);
    return found == options.values.end() ? std::string() : found->second;
}

} // namespace

int RunStatsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<StatsOptions> options = ParseStatsArguments(args, err);
    if (!options) {
        return 2;
    }
    int year = 0;
    if (const std::string yearText = ValueOf(*options, "jahr"); !yearText.empty()) {
        if (!TryStrToIntDe(yearText, year) || year < 0) {
            err << InvalidIntegerMessage(yearText) << "\n";
            return 2;
        }
    }
    Workspace workspace(options->folder);
    if (!OpenProgramFolder(workspace, {DatabaseKind::Catch}, err)) {
        return 1;
    }
    const std::string catcher = ValueOf(*options, "faenger");
    const std::filesystem::path& folder = workspace.ProgramFolder();
    try {
        // Everything is computed before anything is printed, so an error
        // leaves no partial result on the output.
        if (options->kind == "species") {
            const SpeciesResult r = SpeciesStatistics(workspace.DB(), folder, catcher, year,
                                                      ValueOf(*options, "fischart"));
            PrintTotals(out, r, true);
            PrintTally(out, "koeder", r.bait);
            PrintTally(out, "wetter", r.weather);
            PrintTally(out, "gewaesser", r.water);
            PrintTally(out, "mond", r.moon);
            PrintTally(out, "monat", r.month);
            PrintTally(out, "zeit", r.hour);
        } else if (options->kind == "bait") {
            const BaitResult r =
                BaitStatistics(workspace.DB(), folder, catcher, year,
                               ValueOf(*options, "koedertyp"), ValueOf(*options, "koeder"));
            PrintTotals(out, r, false);
            PrintTally(out, "koeder", r.bait);
            PrintTally(out, "farbe", r.colour);
            PrintTally(out, "koederlaenge", r.baitLength);
            PrintTally(out, "verhalten", r.behaviour);
            PrintTally(out, "fischart", r.species);
            PrintTally(out, "wetter", r.weather);
            PrintTally(out, "gewaesser", r.water);
            PrintTally(out, "mond", r.moon);
            PrintTally(out, "monat", r.month);
            PrintTally(out, "zeit", r.hour);
        } else {
            const WeatherResult r = WeatherStatistics(workspace.DB(), folder, catcher, year,
                                                      ValueOf(*options, "fischart"));
            PrintTally(out, "lufttemp", r.airTemperature);
            PrintTally(out, "wassertemp", r.waterTemperature);
            PrintTally(out, "luftdruck", r.airPressure);
            PrintTally(out, "windstaerke", r.windStrength);
            PrintTally(out, "windrichtung", r.windDirection);
            PrintTally(out, "truebung", r.turbidity);
            PrintTally(out, "wasserstand", r.waterLevel);
        }
    } catch (const EConvertError& error) {
        err << error.what() << "\n";
        return 1;
    }
    out.flush();
    return out ? 0 : 1;
}

int RunRecommendCommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
    if (args.size() != 1) {
        err << kRecommendUsage;
        return 2;
    }
    Workspace workspace(PathFromUtf8(args[0]));
    if (!OpenProgramFolder(workspace, {DatabaseKind::Catch}, err)) {
        return 1;
    }
    std::vector<RecommendationRow> rows;
    try {
        rows = CatchRecommendation(workspace.DB(), workspace.ProgramFolder());
    } catch (const EConvertError& error) {
        err << error.what() << "\n";
        return 1;
    }
    for (const RecommendationRow& row : rows) {
        out << row.month << ";" << row.species << ";" << row.hour << ";" << row.bait << ";"
            << row.behaviour << ";" << row.colour << ";" << row.baitLength << "\n";
    }
    out.flush();
    return out ? 0 : 1;
}

} // namespace zv::cli
