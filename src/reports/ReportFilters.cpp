#include "reports/ReportFilters.h"

#include "catchlog/CatchList.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include <optional>
#include <system_error>

namespace zv {

std::vector<std::string> ReportCatcherChoices(const std::filesystem::path& programFolder) {
    std::vector<std::string> choices{std::string(kReportAllEntry)};
    std::error_code ec;
    if (std::filesystem::exists(ValueListPath(programFolder, "Faenger"), ec)) {
        for (std::string& catcher : ReadValueList(programFolder, "Faenger")) {
            choices.push_back(std::move(catcher));
        }
    }
    return choices;
}

std::vector<std::string> ReportCatchYears(const TMlbc& db, std::string_view catcherText) {
    std::optional<std::string> catcher;
    if (!catcherText.empty() && catcherText != kReportAllEntry) {
        catcher = std::string(catcherText);
    }
    std::vector<std::string> choices{std::string(kReportAllEntry)};
    for (int year : CatchYears(db, catcher)) {
        choices.push_back(std::to_string(year));
    }
    return choices;
}

} // namespace zv
