#include "cli/ReportCommands.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/EConvertError.h"
#include "cli/ProgramFolderOpening.h"
#include "cli/ProgressLine.h"
#include "reports/HtmlCatchSheet.h"
#include "reports/ReportFilters.h"
#include "reports/ReportWriter.h"
#include "storage/Workspace.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace zv::cli {
namespace {

constexpr const char* kReportUsage =
    "Aufruf: zelvorin-cli report catchbook PROGRAMMORDNER AUSGABE.pdf [--faenger NAME] "
    "[--jahr JJJJ]\n"
    "        zelvorin-cli report costs PROGRAMMORDNER AUSGABE.pdf [--jahr JJJJ]\n"
    "        zelvorin-cli report years PROGRAMMORDNER AUSGABE.pdf\n";

struct ReportArgs {
    std::string kind;
    std::string folder;
    std::string out;
    std::string catcher{kReportAllEntry};
    std::string year{kReportAllEntry};
};

std::optional<ReportArgs> ParseReportArgs(const std::vector<std::string>& args) {
    ReportArgs parsed;
    std::vector<std::string> positional;
    bool catcherGiven = false;
    bool yearGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--faenger" && i + 1 < args.size()) {
            parsed.catcher = args[++i];
            catcherGiven = true;
        } else if (args[i] == "--jahr" && i + 1 < args.size()) {
            parsed.year = args[++i];
            yearGiven = true;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 3) {
        return std::nullopt;
    }
    parsed.kind = positional[0];
    parsed.folder = positional[1];
    parsed.out = positional[2];
    const bool known =
        parsed.kind == "catchbook" || parsed.kind == "costs" || parsed.kind == "years";
    if (!known || (catcherGiven && parsed.kind != "catchbook") ||
        (yearGiven && parsed.kind == "years")) {
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int RunReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<ReportArgs> parsed = ParseReportArgs(args);
    if (!parsed) {
        err << kReportUsage;
        return 2;
    }
    Workspace workspace(PathFromUtf8(parsed->folder));
    const DatabaseKind read =
        parsed->kind == "catchbook" ? DatabaseKind::Catch : DatabaseKind::Cost;
    if (!OpenProgramFolder(workspace, {read}, err)) {
        return 1;
    }
    ReportWriter writer(workspace.ProgramFolder());
    try {
        if (parsed->kind == "catchbook") {
            if (workspace.DB().RowCount() == 0) {
                err << kNoReportData << "\n";
                return 1;
            }
            writer.SelectCatches(workspace.DB(), parsed->catcher, parsed->year);
        } else {
            if (workspace.ak().RowCount() == 0) {
                err << kNoReportData << "\n";
                return 1;
            }
            if (parsed->kind == "costs") {
                writer.SelectCosts(workspace.ak(), parsed->year);
            } else {
                writer.SelectYears(workspace.ak(), CurrentClock().Now());
            }
        }
    } catch (const EConvertError& error) {
        err << error.what() << "\n" << kNothingWritten << "\n";
        return 1;
    }
    if (writer.EntryCount() == 0) {
        err << kNoSelectedData << "\n";
        return 1;
    }
    ReportOutcome outcome;
    {
        ProgressLine line(err, "Bericht");
        ReportProgress progress;
        progress.pagePrinted = [&line](int page, int pageCount) {
            line.Step("Seite " + std::to_string(page) + " von " + std::to_string(pageCount));
            return true;
        };
        progress.writing = [&line](std::size_t written, std::size_t total) {
            line.Count(written, total);
            return true;
        };
        outcome = writer.Write(parsed->out, progress);
    }
    if (outcome.status != ReportOutcome::Status::Written) {
        err << outcome.message << "\n" << kNothingWritten << "\n";
        return 1;
    }
    out << parsed->out << ": " << outcome.pages << (outcome.pages == 1 ? " Seite" : " Seiten")
        << "\n";
    return 0;
}

int RunHtmlSheetCommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
    if (args.size() != 2) {
        err << "Aufruf: zelvorin-cli html-sheet PROGRAMMORDNER AUSGABE.html\n";
        return 2;
    }
    Workspace workspace(PathFromUtf8(args[0]));
    if (!OpenProgramFolder(workspace, {DatabaseKind::Catch}, err)) {
        return 1;
    }
    std::string error;
    if (!WriteCatchSheet(PathFromUtf8(args[1]), BuildCatchSheet(workspace.DB()), error)) {
        err << error << "\n";
        return 1;
    }
    out << args[1] << "\n";
    return 0;
}

} // namespace zv::cli
