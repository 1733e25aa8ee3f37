#include "cli/CalendarCommands.h"
#include "cli/ProgramFolderOpening.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "calendar/FishingCalendar.h"
#include "storage/Workspace.h"

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string_view>
#include <system_error>

namespace zv::cli {

namespace {

constexpr const char* kMonthUsage = "Aufruf: zelvorin-cli month ORDNER MM JJJJ\n";
constexpr const char* kDayUsage = "Aufruf: zelvorin-cli fishing-day ORDNER TT.MM.JJJJ\n";

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// "17 \r\n\r\n3 Fische" → "17 / 3 Fische"; "18 " → "18".
std::string CellLine(std::string_view cell) {
    const std::size_t gap = cell.find("\r\n\r\n");
    if (gap == std::string_view::npos) {
        return Trimmed(cell);
    }
    return Trimmed(cell.substr(0, gap)) + " / " + Trimmed(cell.substr(gap + 4));
}

// Line breaks of any kind become " | ", so one text stays one line.
std::string OneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            line += " | ";
        } else {
            line += text[i];
        }
    }
    return line;
}

} // namespace

int RunMonthCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) {
        err << kMonthUsage;
        return 2;
    }
    Workspace workspace(PathFromUtf8(args[0]));
    std::ostringstream text;
    try {
        const int month = StrToIntDe(args[1]);
        const int year = StrToIntDe(args[2]);
        if (month < 1 || month > 12) {
            err << "Der Monat " << month << " liegt nicht zwischen 1 und 12.\n";
            return 1;
        }
        if (year < 1 || year > 9999) {
            err << "Das Jahr " << year << " liegt nicht zwischen 1 und 9999.\n";
            return 1;
        }
        if (!OpenProgramFolder(workspace, {DatabaseKind::Catch, DatabaseKind::Calendar}, err)) {
            return 1;
        }
        // The whole month is built before anything is printed, so a bad
        // date leaves no partial calendar on the output.
        const MonthGrid grid = FillMonth(workspace.DB(), workspace.cal(), year, month);
        for (int row = 0; row < MonthGrid::kRows; ++row) {
            for (int column = 0; column < MonthGrid::kColumns; ++column) {
                text << (column > 0 ? ";" : "") << CellLine(grid.Cell(row, column));
            }
            text << "\n";
        }
    } catch (const EConvertError& error) {
        err << error.what() << "\n";
        return 1;
    }
    out << text.str();
    out.flush();
    return out ? 0 : 1;
}

int RunFishingDayCommand(const std::vector<std::string>& args, std::ostream& out,
                         std::ostream& err) {
    if (args.size() != 2) {
        err << kDayUsage;
        return 2;
    }
    Workspace workspace(PathFromUtf8(args[0]));
    std::ostringstream text;
    try {
        const std::string dateText = DateToStr(StrToDate(args[1]));
        if (!OpenProgramFolder(workspace, {DatabaseKind::Catch, DatabaseKind::Calendar}, err)) {
            return 1;
        }
        FishingDay day = BuildFishingDay(workspace.DB(), workspace.cal(), true, dateText);
        if (day.catches.empty()) {
            day = BuildFishingDay(workspace.DB(), workspace.cal(), false, dateText);
        }
        if (day.found) {
            const std::pair<const char*, const std::string*> labels[] = {
                {"datum", &day.datum},
                {"angelzeit", &day.angelzeit},
                {"mond", &day.mond},
                {"gewaesser", &day.gewaesser},
                {"stelle", &day.stelle},
                {"wetter", &day.wetter},
                {"luftdruck", &day.luftdruck},
                {"wassertemp", &day.wassertemp},
                {"lufttemp", &day.lufttemp},
                {"windrichtung", &day.windrichtung},
                {"windstaerke", &day.windstaerke},
                {"wassertruebung", &day.wassertruebung},
                {"wasserstand", &day.wasserstand},
                {"kommentar", &day.kommentar}};
            for (const auto& [label, value] : labels) {
                text << label << ";" << OneLine(*value) << "\n";
            }
            for (const FishingDayCatch& c : day.catches) {
                text << c.row << ";" << OneLine(c.fischart) << ";" << OneLine(c.gewaesser) << ";"
                     << OneLine(c.faenger) << ";" << OneLine(c.laenge) << ";" << OneLine(c.gewicht)
                     << "\n";
            }
        }
    } catch (const EConvertError& error) {
        err << error.what() << "\n";
        return 1;
    }
    out << text.str();
    out.flush();
    return out ? 0 : 1;
}

} // namespace zv::cli
