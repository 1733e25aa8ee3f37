#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;

// The choices of the catch book's two filter lists (the cost list offers the
// cost years, FillYears). The report window spells its "all" entry without
// blanks, as the cost windows do.
inline constexpr std::string_view kReportAllEntry = "-Alle-";

// "-Alle-" followed by the catchers of DATs/Faenger.dat in file order;
// "-Alle-" alone when the file does not exist.
std::vector<std::string> ReportCatcherChoices(const std::filesystem::path& programFolder);

// "-Alle-" followed by the distinct years of Fangdatum over the catches of
// the catcher (all catches for "-Alle-" or an empty text), newest first.
// A Fangdatum that is not a date adds no year.
std::vector<std::string> ReportCatchYears(const TMlbc& db, std::string_view catcherText);

} // namespace zv
