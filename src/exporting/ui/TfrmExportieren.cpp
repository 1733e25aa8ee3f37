#include "exporting/ui/TfrmExportieren.h"

#include "base/AtomicFile.h"
#include "exporting/TableExport.h"
#include "storage/Workspace.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/ModalShow.h"
#include "widgets/OverrideCursor.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zv {
namespace {

// The filter entries in the order of the dialog's filter index (1-based).
constexpr ExportFormat kFilterFormats[] = {ExportFormat::Xlsx, ExportFormat::Csv};
constexpr const char* kFilter =
    "Excel-Arbeitsmappe (.xlsx)|*.xlsx|CSV, durch Semikolon getrennt (.csv)|*.csv";

const char* ExtensionOf(ExportFormat format) {
    return format == ExportFormat::Csv ? ".csv" : ".xlsx";
}

} // namespace

TfrmExportieren::TfrmExportieren(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmExportieren"));
    setWindowTitle(QStringLiteral("Exportieren"));
    auto* layout = new QVBoxLayout(this);
    auto* what = new QGroupBox(QStringLiteral("Was wird exportiert?"), this);
    auto* choices = new QVBoxLayout(what);
    auto radio = [&](const char* name, const char* caption) {
        auto* button = new QRadioButton(U8(caption), what);
        button->setObjectName(U8(name));
        choices->addWidget(button);
        ConnectGuarded(button, &QRadioButton::toggled, this, [this](bool) { KindChanged(); });
        return button;
    };
    rb_faenge = radio("rb_faenge", "Fänge");
    cb_angezeigt = new QCheckBox(QStringLiteral("Nur die angezeigten Fänge"), what);
    cb_angezeigt->setObjectName(QStringLiteral("cb_angezeigt"));
    cb_angezeigt->setToolTip(
        QStringLiteral("Nur die Fänge, die die Fangliste mit ihren Filtern gerade zeigt"));
    // Indented under "Fänge", the choice it belongs to.
    auto* indented = new QHBoxLayout();
    indented->addSpacing(22);
    indented->addWidget(cb_angezeigt);
    choices->addLayout(indented);
    rb_angelkosten = radio("rb_angelkosten", "Angelkosten");
    rb_angeltage = radio("rb_angeltage", "Angeltage ohne Fang");
    rb_faenge->setChecked(true);
    layout->addWidget(what);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    btn_exportieren = new QPushButton(QStringLiteral("Exportieren…"), this);
    btn_exportieren->setObjectName(QStringLiteral("btn_exportieren"));
    btn_exportieren->setDefault(true);
    btn_schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    btn_schliessen->setObjectName(QStringLiteral("btn_schliessen"));
    buttons->addWidget(btn_exportieren);
    buttons->addWidget(btn_schliessen);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));

    ConnectGuarded(btn_exportieren, &QPushButton::clicked, this,
                   [this] { btn_exportierenClick(); });
    connect(btn_schliessen, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmExportieren::Open(std::vector<int> listedCatches) {
    // In the table's order, as a whole export has them.
    std::sort(listedCatches.begin(), listedCatches.end());
    listedCatches_ = std::move(listedCatches);
    ShowModal(*this);
}

DatabaseKind TfrmExportieren::ChosenKind() const {
    if (rb_angelkosten->isChecked()) {
        return DatabaseKind::Cost;
    }
    if (rb_angeltage->isChecked()) {
        return DatabaseKind::Calendar;
    }
    return DatabaseKind::Catch;
}

void TfrmExportieren::KindChanged() {
    cb_angezeigt->setEnabled(ChosenKind() == DatabaseKind::Catch);
}

void TfrmExportieren::btn_exportierenClick() {
    Workspace& workspace = main_.GetWorkspace();
    ExportRequest request;
    request.kind = ChosenKind();
    if (workspace.CurrentPath(request.kind).empty()) {
        CurrentPrompts().Information(U8("Es ist keine ") + U8(GermanNameOf(request.kind)) +
                                     U8(" geöffnet; es gibt nichts zu exportieren."));
        return;
    }
    if (request.kind == DatabaseKind::Catch && cb_angezeigt->isChecked()) {
        if (listedCatches_.empty()) {
            CurrentPrompts().Information(QStringLiteral("Die Fangliste zeigt keine Fänge."));
            return;
        }
        request.rows = listedCatches_;
    }

    FileDialogOptions options;
    options.title = QStringLiteral("Exportieren nach");
    options.filter = U8(kFilter);
    options.defaultExt = QStringLiteral(".xlsx");
    options.fileName = ToQ(SheetNameOf(request.kind)) + QStringLiteral(".xlsx");
    const std::optional<FileChoice> choice = CurrentPrompts().SaveFile(options);
    if (!choice || choice->path.isEmpty()) {
        return;
    }
    // The name's extension decides; a name without one gets the filter's.
    request.file = PathFromUtf8(ToUtf8(choice->path));
    if (const std::optional<ExportFormat> format = ExportFormatOf(request.file)) {
        request.format = *format;
    } else {
        const int index = std::clamp(choice->filterIndex, 1, int(std::size(kFilterFormats)));
        request.format = kFilterFormats[index - 1];
        request.file += ExtensionOf(request.format);
    }

    ExportResult result;
    {
        const OverrideCursor wait(Qt::WaitCursor);
        result = ExportTable(workspace.Table(request.kind), request);
    }
    if (!result.ok) {
        CurrentPrompts().Error(ToQ(ExportMessage(result, request)));
        return;
    }
    CurrentPrompts().Information(ToQ(ExportMessage(result, request)));
    accept();
}

} // namespace zv
