// zelvorin-cli: headless commands over the engine. Each command group lives
// in its own file; main only picks the group by the first word.

#include "cli/BackupCommands.h"
#include "cli/CalendarCommands.h"
#include "cli/CatchlogCommands.h"
#include "cli/CostsCommands.h"
#include "cli/DataCommands.h"
#include "cli/DayCommand.h"
#include "cli/EstimateCommand.h"
#include "cli/PdfDemoCommand.h"
#include "cli/PieCommand.h"
#include "cli/ReportCommands.h"
#include "cli/StatsCommands.h"
#include "cli/TableCommands.h"
#include "cli/UploadCommand.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using CommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err);

struct Command {
    std::string_view name;
    CommandFunction run;
};

// One line per command word.
constexpr Command kCommands[] = {
    {"stats", zv::cli::RunStatsCommand},
    {"recommend", zv::cli::RunRecommendCommand},
    {"convert-legacy", zv::cli::RunConvertLegacyCommand},
    {"rebuild-lists", zv::cli::RunRebuildListsCommand},
    {"open", zv::cli::RunOpenCommand},
    {"day", zv::cli::RunDayCommand},
    {"estimate", zv::cli::RunEstimateCommand},
    {"month", zv::cli::RunMonthCommand},
    {"fishing-day", zv::cli::RunFishingDayCommand},
    {"pdf-demo", zv::cli::RunPdfDemoCommand},
    {"table", zv::cli::RunTableCommand},
    {"report", zv::cli::RunReportCommand},
    {"html-sheet", zv::cli::RunHtmlSheetCommand},
    {"pie", zv::cli::RunPieCommand},
    {"upload", zv::cli::RunUploadCommand},
    {"search", zv::cli::RunSearchCommand},
    {"map", zv::cli::RunMapCommand},
    {"backup", zv::cli::RunBackupCommand},
    {"restore", zv::cli::RunRestoreCommand},
    {"costs", zv::cli::RunCostsCommand},
};

void PrintUsage(std::ostream& err) {
    err << "Aufruf: zelvorin-cli BEFEHL …\nBefehle:";
    for (const Command& command : kCommands) {
        err << " " << command.name;
    }
    err << "\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string_view word = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (command.name == word) {
            return command.run(args, std::cout, std::cerr);
        }
    }
    std::cerr << "Unbekannter Befehl \"" << word << "\".\n";
    PrintUsage(std::cerr);
    return 2;
}
