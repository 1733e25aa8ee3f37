#include "reports/ui/TfrmAuswerten.h"

#include "base/DateTime.h"
#include "costs/CostOverview.h"
#include "reports/ReportFilters.h"
#include "widgets/ElidingComboBox.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/OverrideCursor.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace zv {

namespace {

constexpr int kPanelTop = 14;
constexpr int kPanelWidth = 155;
constexpr int kPanel1Left = 104;
constexpr int kPanel2Left = 264;

// A sunken panel with its caption on the left and a drop-down list.
QComboBox* AddFilterPanel(QWidget* owner, const char* panelName, const char* caption,
                          const char* boxName, int left, QFrame*& panel) {
    panel = new QFrame(owner);
    panel->setObjectName(U8(panelName));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(left, kPanelTop, kPanelWidth, 32);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 3, 4, 3);
    auto* label = new QLabel(U8(caption), panel);
    // A long name is shown shortened, whole in the hint and the opened list.
    auto* box = new ElidingComboBox(panel);
    box->setObjectName(U8(boxName));
    layout->addWidget(label);
    layout->addWidget(box, 1);
    return box;
}

void FillBox(QComboBox* box, const std::vector<std::string>& entries) {
    const QSignalBlocker blocker(box);
    box->clear();
    for (const std::string& entry : entries) {
        box->addItem(ToQ(entry));
    }
    box->setCurrentIndex(0);
}

} // namespace

TfrmAuswerten::TfrmAuswerten(WindowHost& main, QWidget* parent)
    : QDialog(parent), main_(main), writer_(main.GetWorkspace().ProgramFolder()) {
    setObjectName(QStringLiteral("frmAuswerten"));
    setWindowTitle(QStringLiteral("Auswerten"));
    cb_faenger = AddFilterPanel(this, "Panel1", " Fänger:", "cb_faenger", kPanel1Left, Panel1);
    cb_jahr = AddFilterPanel(this, "Panel2", " Jahr:", "cb_jahr", kPanel2Left, Panel2);

    BitBtn2 = new QPushButton(QStringLiteral("Speichern"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(kPanel2Left - 96, 62, 92, 28);
    BitBtn2->setDefault(true);
    BitBtn3 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(kPanel2Left + 4, 62, 92, 28);
    setFixedSize(kPanel2Left + kPanelWidth + kPanel1Left, 104);

    ConnectGuarded(cb_faenger, &QComboBox::currentIndexChanged, this, [this] { FillCatchYears(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmAuswerten::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmAuswerten::FormShow() {
    const ReportKind kind = static_cast<ReportKind>(tag_);
    Panel1->setVisible(kind == ReportKind::CatchBook);
    Panel2->move(kind == ReportKind::CostList ? kPanel1Left : kPanel2Left, kPanelTop);
    FillReportFilters();
}

void TfrmAuswerten::FillReportFilters() {
    Workspace& workspace = main_.GetWorkspace();
    switch (static_cast<ReportKind>(tag_)) {
    case ReportKind::CatchBook:
        FillBox(cb_faenger, ReportCatcherChoices(workspace.ProgramFolder()));
        FillCatchYears();
        break;
    case ReportKind::CostList:
        FillBox(cb_jahr, FillYears(workspace.ak(), CurrentClock().Now()));
        break;
    case ReportKind::YearSummary:
        break;
    }
}

void TfrmAuswerten::FillCatchYears() {
    FillBox(cb_jahr,
            ReportCatchYears(main_.GetWorkspace().DB(), ToUtf8(cb_faenger->currentText())));
}

void TfrmAuswerten::BitBtn2Click() {
    if (running_) {
        return;
    }
    Workspace& workspace = main_.GetWorkspace();
    switch (static_cast<ReportKind>(tag_)) {
    case ReportKind::CatchBook:
        writer_.SelectCatches(workspace.DB(), ToUtf8(cb_faenger->currentText()),
                              ToUtf8(cb_jahr->currentText()));
        break;
    case ReportKind::CostList:
        writer_.SelectCosts(workspace.ak(), ToUtf8(cb_jahr->currentText()));
        break;
    case ReportKind::YearSummary:
        writer_.SelectYears(workspace.ak(), CurrentClock().Now());
        break;
    }
    if (writer_.EntryCount() == 0) {
        CurrentPrompts().Information(ToQ(kNoSelectedData));
        return;
    }

    FileDialogOptions options;
    options.title = QStringLiteral("Speichern unter");
    options.filter = QStringLiteral("PDF Files|*.pdf|All Files|*.*");
    options.defaultExt = QStringLiteral(".pdf");
    const std::optional<FileChoice> choice = CurrentPrompts().SaveFile(options);
    if (!choice || choice->path.isEmpty()) {
        return;
    }

    running_ = true;
    const ReportOutcome outcome = WriteWithProgress(ToUtf8(choice->path));
    running_ = false;
    switch (outcome.status) {
    case ReportOutcome::Status::Written:
        accept();
        break;
    case ReportOutcome::Status::Cancelled:
        break;
    case ReportOutcome::Status::Failed:
        CurrentPrompts().Error(ToQ(outcome.message) + QLatin1Char('\n') + ToQ(kNothingWritten));
        break;
    }
}

ReportOutcome TfrmAuswerten::WriteWithProgress(const std::string& path) {
    // The window is not shown for the year summary; the progress then sits
    // over the main window.
    QProgressDialog progress(isVisible() ? static_cast<QWidget*>(this) : parentWidget());
    progress.setObjectName(QStringLiteral("ReportProgress"));
    progress.setWindowTitle(QStringLiteral("Bericht speichern"));
    progress.setCancelButtonText(QStringLiteral("Abbrechen"));
    // Nothing else may change the tables while the pages are printed.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    const int pageCount = writer_.PageCount();
    // The page in the making, and how many there will be.
    const auto pageText = [pageCount](int page) {
        return U8("Der Bericht wird erstellt: Seite %1 von %2 …").arg(page).arg(pageCount);
    };
    progress.setMinimumWidth(360);
    progress.setRange(0, pageCount);
    progress.setValue(0);
    progress.setLabelText(pageText(1));
    progress.show();

    // Busy, not waiting: the progress dialog still takes a cancel.
    const OverrideCursor cursor(Qt::BusyCursor);
    QCoreApplication::processEvents();
    QElapsedTimer lastUpdate;
    lastUpdate.start();
    bool writing = false;

    ReportProgress callbacks;
    callbacks.pagePrinted = [&](int page, int) {
        progress.setValue(page);
        progress.setLabelText(pageText(std::min(page + 1, pageCount)));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    callbacks.writing = [&](std::size_t written, std::size_t total) {
        if (!writing) {
            writing = true;
            progress.setLabelText(U8("Die Datei wird geschrieben …"));
            progress.setRange(0, 1000);
        } else if (lastUpdate.elapsed() < 40 && written < total) {
            return true;
        }
        lastUpdate.restart();
        progress.setValue(total == 0 ? 1000 : static_cast<int>(written * 1000 / total));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    return writer_.Write(path, callbacks);
}

} // namespace zv
