#pragma once

#include "reports/CatchBookPage.h"
#include "reports/CostListPage.h"
#include "reports/YearSummaryPage.h"
#include "reports/pdf/TPROutlineEntry.h"
#include "reports/pdf/TPReport.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

class TMlbc;
struct TPRBounds;

// The three reports, numbered as the report window's Tag.
enum class ReportKind { CatchBook = 0, CostList = 1, YearSummary = 2 };

// Shown instead of a report when its table has no rows at all.
inline constexpr std::string_view kNoReportData = "Keine Daten zum Auswerten";
// Shown when the filters leave nothing to print: a document without pages
// cannot be written, and the user needs to know why nothing was saved.
inline constexpr std::string_view kNoSelectedData =
    "Für diese Auswahl gibt es keine Daten zum Auswerten. Es wurde kein Bericht gespeichert.";
// Added to the cause when a run stops.
inline constexpr std::string_view kNothingWritten = "Es wurde kein Bericht gespeichert.";

// What a window learns while a report is written: after each page (pages
// printed and pages the report will have) and while the file is written
// (objects written and their total). Returning false stops the run.
struct ReportProgress {
    std::function<bool(int page, int pageCount)> pagePrinted;
    std::function<bool(std::size_t written, std::size_t total)> writing;
};

struct ReportOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Written;
    // The German cause when the run failed.
    std::string message;
    int pages = 0;
};

// Writes the catch book, the cost list and the year summary as PDF
// documents: owns the document settings (PReport1) and the three page
// templates, selects the rows and prints the pages. The report window and
// the command line both use it, so they write the same documents.
//
// A run either writes the whole file or leaves the target as it was: a
// value that cannot be converted, a failing writer or a cancel stops it
// before anything reaches the target.
class ReportWriter {
public:
    explicit ReportWriter(std::filesystem::path programFolder);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    TPReport& PReport1() { return report_; }
    CatchBookPage& PRPage1() { return catchBook_; }
    CostListPage& PRPage2() { return costList_; }
    YearSummaryPage& PRPage3() { return yearSummary_; }

    // Selection (the filter texts as the window's lists show them; "-Alle-"
    // switches a filter off). Sets the title of the page to the year text.
    // A date that is not a date throws EConvertError.
    //
    // Catch book: every catch of the catcher in the year, in table order.
    void SelectCatches(TMlbc& db, std::string_view catcherText, std::string_view yearText);
    // Cost list: every cost row of the year, in table order.
    void SelectCosts(TMlbc& ak, std::string_view yearText);
    // Year summary: the lines of the year summary list of the year of
    // `now`, newest year first (BuildYearSummary).
    void SelectYears(const TMlbc& ak, TDateTime now);

    ReportKind Kind() const { return kind_; }
    // The selected rows (1-based) or year lines.
    const std::vector<int>& SelectedRows() const { return rows_; }
    int EntryCount() const;
    // The pages the selection fills.
    int PageCount() const;

    // Prints every page and writes the document to `path`. A selection
    // without entries fails with kNoSelectedData.
    ReportOutcome Write(const std::string& path, const ReportProgress& progress = {});

    // The page handler of all three templates and the three cell handlers.
    void PRPagePrintPage();
    void PRGridPanel1BeforePrintChild(const TPRBounds& cell);
    void PRGridPanel2BeforePrintChild(const TPRBounds& cell);
    void PRGridPanel3BeforePrintChild(const TPRBounds& cell);

private:
    void AddLineBookmark(const std::string& title, const TPRBounds& cell);
    TPRPage& CurrentPage();

    std::filesystem::path programFolder_;
    TPReport report_;
    CatchBookPage catchBook_;
    CostListPage costList_;
    YearSummaryPage yearSummary_;

    ReportKind kind_ = ReportKind::CatchBook;
    TMlbc* table_ = nullptr;
    std::vector<int> rows_;
    std::vector<YearSummaryItem> years_;
    int pending_ = 0;
    std::size_t yearPosition_ = 0;
    long double sumWithShipping_ = 0;
    long double articleSum_ = 0;
    bool sumLinePending_ = false;
    TPROutlineEntry pageEntry_;
};

} // namespace zv
