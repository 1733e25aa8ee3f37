#include "reports/ReportWriter.h"

#include "base/DateTime.h"
#include "base/NumberText.h"
#include "costs/CostOverview.h"
#include "reports/ReportFilters.h"
#include "reports/pdf/TPRDestination.h"
#include "reports/pdf/TPRGridPanel.h"
#include "reports/pdf/TPdfDoc.h"
#include "storage/TMlbc.h"

#include <exception>

namespace zv {

namespace {

std::string_view CellOf(const TMlbc& table, int row, int field) {
    return field >= 1 ? table.Cell(row, field) : std::string_view();
}

int PagesFor(int lines, int perPage) {
    return (lines + perPage - 1) / perPage;
}

} // namespace

ReportWriter::ReportWriter(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {
    report_.Title = "Zelvorin";
    report_.Author = "Zelvorin";
    report_.Creator = "Zelvorin";
    report_.PageLayout = TPdfPageLayout::OneColumn;
    report_.PageMode = TPdfPageMode::UseOutlines;
    report_.UseOutlines = true;

    for (TPRPage* page : {&catchBook_.Page(), &costList_.Page(), &yearSummary_.Page()}) {
        page->OnPrintPage = [this](TPRPage&, TPdfCanvas&) { PRPagePrintPage(); };
    }
    catchBook_.Grid().BeforePrintChild = [this](TPRGridPanel&, TPdfCanvas&, int, int,
                                                const TPRBounds& cell) {
        PRGridPanel1BeforePrintChild(cell);
    };
    costList_.Grid().BeforePrintChild = [this](TPRGridPanel&, TPdfCanvas&, int, int,
                                               const TPRBounds& cell) {
        PRGridPanel2BeforePrintChild(cell);
    };
    yearSummary_.Grid().BeforePrintChild = [this](TPRGridPanel&, TPdfCanvas&, int, int,
                                                  const TPRBounds& cell) {
        PRGridPanel3BeforePrintChild(cell);
    };
}

void ReportWriter::SelectCatches(TMlbc& db, std::string_view catcherText,
                                 std::string_view yearText) {
    const bool allCatchers = catcherText.empty() || catcherText == kReportAllEntry;
    const int year = YearFilterOf(yearText);
    kind_ = ReportKind::CatchBook;
    table_ = &db;
    rows_.clear();
    years_.clear();
    catchBook_.SetTitle(year == 0 ? std::string() : std::string(yearText));
    const int catcherField = db.FieldIndex("Faenger");
    const int dateField = db.FieldIndex("Fangdatum");
    for (int row = 1; row <= db.RowCount(); ++row) {
        if (!allCatchers && CellOf(db, row, catcherField) != catcherText) {
            continue;
        }
        if (year != 0 && DecodeDate(StrToDate(CellOf(db, row, dateField))).year != year) {
            continue;
        }
        rows_.push_back(row);
    }
}

void ReportWriter::SelectCosts(TMlbc& ak, std::string_view yearText) {
    const int year = YearFilterOf(yearText);
    kind_ = ReportKind::CostList;
    table_ = &ak;
    rows_.clear();
    years_.clear();
    costList_.SetTitle(year == 0 ? std::string() : std::string(yearText));
    const int dateField = ak.FieldIndex("Kaufdatum");
    for (int row = 1; row <= ak.RowCount(); ++row) {
        if (year != 0 && DecodeDate(StrToDate(CellOf(ak, row, dateField))).year != year) {
            continue;
        }
        rows_.push_back(row);
    }
}

void ReportWriter::SelectYears(const TMlbc& ak, TDateTime now) {
    std::vector<YearSummaryItem> items = BuildYearSummary(ak, now);
    kind_ = ReportKind::YearSummary;
    table_ = nullptr;
    rows_.clear();
    years_ = std::move(items);
}

int ReportWriter::EntryCount() const {
    return kind_ == ReportKind::YearSummary ? static_cast<int>(years_.size())
                                            : static_cast<int>(rows_.size());
}

int ReportWriter::PageCount() const {
    const int entries = EntryCount();
    switch (kind_) {
    case ReportKind::CatchBook:
        return PagesFor(entries, 3);
    case ReportKind::CostList:
        // The sum line follows the items, on a page of its own when the
        // items fill the last one.
        return entries == 0 ? 0 : PagesFor(entries + 1, CostListPage::kLinesPerPage);
    case ReportKind::YearSummary:
        return PagesFor(entries, YearSummaryPage::kLinesPerPage);
    }
    return 0;
}

TPRPage& ReportWriter::CurrentPage() {
    switch (kind_) {
    case ReportKind::CostList:
        return costList_.Page();
    case ReportKind::YearSummary:
        return yearSummary_.Page();
    case ReportKind::CatchBook:
        break;
    }
    return catchBook_.Page();
}

ReportOutcome ReportWriter::Write(const std::string& path, const ReportProgress& progress) {
    ReportOutcome outcome;
    if (EntryCount() == 0) {
        outcome.status = ReportOutcome::Status::Failed;
        outcome.message = kNoSelectedData;
        return outcome;
    }
    // Every run starts from scratch, also after one that stopped halfway.
    pending_ = EntryCount();
    yearPosition_ = 0;
    sumWithShipping_ = 0;
    articleSum_ = 0;
    sumLinePending_ = false;

    const int pageCount = PageCount();
    report_.FileName = path;
    report_.CreationDate = CurrentClock().Now();
    report_.ModDate = report_.CreationDate;
    report_.OnWriteProgress = progress.writing;
    try {
        report_.StartDocument();
        TPRPage& page = CurrentPage();
        while (pending_ != 0) {
            report_.RenderPage(page);
            if (progress.pagePrinted && !progress.pagePrinted(report_.PageCount(), pageCount)) {
                outcome.status = ReportOutcome::Status::Cancelled;
                break;
            }
        }
        outcome.pages = report_.PageCount();
        if (outcome.status != ReportOutcome::Status::Cancelled) {
            report_.FinishDocument();
        }
    } catch (const EPdfWriteStopped&) {
        outcome.status = ReportOutcome::Status::Cancelled;
    } catch (const std::exception& error) {
        outcome.status = ReportOutcome::Status::Failed;
        outcome.message = error.what();
    }
    report_.AbortDocument();
    // A bookmark handle keeps its document's records, temporary file
    // included, alive.
    pageEntry_ = TPROutlineEntry();
    report_.OnWriteProgress = nullptr;
    return outcome;
}

void ReportWriter::PRPagePrintPage() {
    if (report_.PageCount() == 1) {
        report_.SetOpenAction(report_.CreateDestination());
    }
    TPRDestination dest = report_.CreateDestination();
    dest.SetTop(0);
    pageEntry_ = report_.OutlineRoot().AddChild();
    pageEntry_.SetDest(dest);
    pageEntry_.SetTitle("Seite " + std::to_string(report_.PageCount()));
}

void ReportWriter::AddLineBookmark(const std::string& title, const TPRBounds& cell) {
    TPRDestination dest = report_.CreateDestination();
    dest.SetTop(cell.Top);
    dest.SetLeft(cell.Left);
    TPROutlineEntry entry = pageEntry_.AddChild();
    entry.SetDest(dest);
    entry.SetTitle(title);
}

void ReportWriter::PRGridPanel1BeforePrintChild(const TPRBounds& cell) {
    if (pending_ == 0) {
        catchBook_.ClearBlock();
        return;
    }
    table_->GoToRow(rows_[static_cast<std::size_t>(pending_ - 1)]);
    const std::string heading = catchBook_.FillBlock(*table_, programFolder_ / "img");
    AddLineBookmark(heading, cell);
    --pending_;
}

void ReportWriter::PRGridPanel2BeforePrintChild(const TPRBounds& cell) {
    if (pending_ == 0) {
        costList_.ShowBlank();
        return;
    }
    TMlbc& ak = *table_;
    ak.GoToRow(rows_[static_cast<std::size_t>(pending_ - 1)]);
    std::string title;
    if (sumLinePending_) {
        const std::string caption =
            "Summe (inkl. " + FormatFixed2(static_cast<double>(sumWithShipping_ - articleSum_)) +
            " € Versandkosten):";
        const std::string amount = FormatFixed2(static_cast<double>(sumWithShipping_)) + " €";
        costList_.ShowSum(caption, amount);
        title = caption + " " + amount;
        pending_ = 0;
        sumLinePending_ = false;
    } else {
        const std::string date = ak.GetData("Kaufdatum");
        const std::string shop = ak.GetData("Geschaeft");
        const std::string article = ak.GetData("Artikel");
        const std::string price = ak.GetData("Gesamtpreis");
        const std::string shipping = ak.GetData("Versandkosten");
        const long double priceValue = StrToFloatDe(price);
        const long double shippingValue = shipping.empty() ? 0 : StrToFloatDe(shipping);
        costList_.ShowItem(date, shop, article, ak.GetData("Menge"), price + " €");
        sumWithShipping_ += priceValue + shippingValue;
        articleSum_ += priceValue;
        // The line's own data name its bookmark.
        title = date + ", " + shop + ", " + article;
    }
    AddLineBookmark(title, cell);
    if (pending_ == 1) {
        pending_ = 2;
        sumLinePending_ = true;
    } else {
        sumLinePending_ = false;
    }
    if (pending_ != 0) {
        --pending_;
    }
}

void ReportWriter::PRGridPanel3BeforePrintChild(const TPRBounds& cell) {
    if (pending_ == 0) {
        yearSummary_.ShowBlank();
        return;
    }
    const YearSummaryItem& item = years_[yearPosition_];
    yearSummary_.ShowLine(item);
    AddLineBookmark(std::to_string(item.year), cell);
    --pending_;
    ++yearPosition_;
}

} // namespace zv
