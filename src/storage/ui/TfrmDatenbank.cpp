#include "storage/ui/TfrmDatenbank.h"

#include "base/AtomicFile.h"
#include "storage/LegacyConversion.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/Workspace.h"
#include "widgets/CenteredTabWidget.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <system_error>

namespace zv {

const char* const TfrmDatenbank::kCatchFilter =
    "Zelvorin Datenbank (*.f) | *.f| Zelvorin Datenbank (*.fdb) | *.fdb";
const char* const TfrmDatenbank::kCostFilter =
    "Angelkosten Datenbank (*.a) | *.a| Angelkosten Datenbank (*.akdb) | *.akdb";
const char* const TfrmDatenbank::kCalendarFilter = "Zelvorin Kalender (*.cal) | *.cal";

namespace {

// The save dialog's filter and default extension for each kind.
struct SaveSetup {
    const char* filter;
    const char* extension;
};

SaveSetup SaveSetupOf(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catch:
        return {"Zelvorin Datenbank (*.f) | *.f", ".f"};
    case DatabaseKind::Cost:
        return {"Angelkosten Datenbank (*.a) | *.a", ".a"};
    case DatabaseKind::Calendar:
        break;
    }
    return {"Zelvorin Kalender (*.cal) | *.cal", ".cal"};
}

} // namespace

TfrmDatenbank::TfrmDatenbank(Workspace& workspace, QWidget* parent)
    : QDialog(parent), workspace_(workspace) {
    setObjectName(QStringLiteral("frmDatenbank"));
    setWindowTitle(QStringLiteral("Datenbank"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 10);
    PageControl1 = new CenteredTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    outer->addWidget(PageControl1);

    auto addPage = [&](const char* pageName, const char* caption, const char* label,
                       const char* fieldName, const char* openName, const char* createName,
                       QLineEdit*& field) {
        auto* page = new QWidget(PageControl1);
        page->setObjectName(U8(pageName));
        page->setAutoFillBackground(true);
        page->setPalette(white);
        auto* layout = new QVBoxLayout(page);
        layout->setContentsMargins(12, 14, 12, 12);
        auto* text = new QLabel(U8(label), page);
        layout->addWidget(text);
        auto* row = new QHBoxLayout();
        field = new QLineEdit(page);
        field->setObjectName(U8(fieldName));
        row->addWidget(field, 1);
        auto* open = new QToolButton(page);
        open->setObjectName(U8(openName));
        open->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
        open->setToolTip(QStringLiteral("Datenbank öffnen"));
        open->setAutoRaise(true);
        row->addWidget(open);
        auto* create = new QToolButton(page);
        create->setObjectName(U8(createName));
        create->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
        create->setToolTip(QStringLiteral("Datenbank erstellen"));
        create->setAutoRaise(true);
        row->addWidget(create);
        layout->addLayout(row);
        layout->addStretch(1);
        PageControl1->addTab(page, U8(caption));
        return std::pair{open, create};
    };
    const auto [open1, create2] =
        addPage("Zelvorin", "Zelvorin", "Aktuelle Zelvorin Datenbank:", "ed_zelvorindb",
                "SpeedButton1", "SpeedButton2", ed_zelvorindb);
    const auto [open4, create3] =
        addPage("Angelkosten", "Angelkosten", "Aktuelle Angelkosten Datenbank:", "ed_angelkostendb",
                "SpeedButton4", "SpeedButton3", ed_angelkostendb);
    const auto [open5, create6] =
        addPage("TabSheet1", "Kalender", "Aktuelle Kalender Datenbank:", "ed_caldb", "SpeedButton5",
                "SpeedButton6", ed_caldb);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    Speichern = new QPushButton(QStringLiteral("Speichern"), this);
    Speichern->setObjectName(QStringLiteral("Speichern"));
    Speichern->setDefault(true);
    Abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    Abbrechen->setObjectName(QStringLiteral("Abbrechen"));
    buttons->addWidget(Speichern);
    buttons->addWidget(Abbrechen);
    outer->addLayout(buttons);

    ConnectGuarded(open1, &QToolButton::clicked, this, [this](bool) { SpeedButton1Click(); });
    ConnectGuarded(create2, &QToolButton::clicked, this, [this](bool) { SpeedButton2Click(); });
    ConnectGuarded(create3, &QToolButton::clicked, this, [this](bool) { SpeedButton3Click(); });
    ConnectGuarded(open4, &QToolButton::clicked, this, [this](bool) { SpeedButton4Click(); });
    ConnectGuarded(open5, &QToolButton::clicked, this, [this](bool) { SpeedButton5Click(); });
    ConnectGuarded(create6, &QToolButton::clicked, this, [this](bool) { SpeedButton6Click(); });
    ConnectGuarded(Speichern, &QPushButton::clicked, this, [this](bool) { SpeichernClick(); });
    ConnectGuarded(Abbrechen, &QPushButton::clicked, this, [this](bool) { AbbrechenClick(); });
    setFixedSize(480, 210);
}

TfrmDatenbank::~TfrmDatenbank() = default;

void TfrmDatenbank::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmDatenbank::FormShow() {
    // The fields show the settings as they are now; unsaved edits of an
    // earlier showing are gone. The page stays the one left open last time.
    const IniFile& settings = workspace_.Settings();
    ed_zelvorindb->setText(ToQ(settings.ReadString("Datenbank", "Zelvorin")));
    ed_angelkostendb->setText(ToQ(settings.ReadString("Datenbank", "Angelkosten")));
    ed_caldb->setText(ToQ(settings.ReadString("Datenbank", "Kalender")));
    // Centred on the main window.
    if (const QWidget* owner = parentWidget()) {
        const QPoint centre = owner->frameGeometry().center();
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }
}

QLineEdit* TfrmDatenbank::PathField(DatabaseKind kind) const {
    switch (kind) {
    case DatabaseKind::Catch:
        return ed_zelvorindb;
    case DatabaseKind::Cost:
        return ed_angelkostendb;
    case DatabaseKind::Calendar:
        break;
    }
    return ed_caldb;
}

void TfrmDatenbank::SpeedButton1Click() {
    OpenDatabase(DatabaseKind::Catch);
}
void TfrmDatenbank::SpeedButton4Click() {
    OpenDatabase(DatabaseKind::Cost);
}
void TfrmDatenbank::SpeedButton5Click() {
    OpenDatabase(DatabaseKind::Calendar);
}
void TfrmDatenbank::SpeedButton2Click() {
    CreateDatabase(DatabaseKind::Catch);
}
void TfrmDatenbank::SpeedButton3Click() {
    CreateDatabase(DatabaseKind::Cost);
}
void TfrmDatenbank::SpeedButton6Click() {
    CreateDatabase(DatabaseKind::Calendar);
}

void TfrmDatenbank::OpenDatabase(DatabaseKind kind) {
    FileDialogOptions options;
    options.title = QStringLiteral("Datenbank öffnen");
    options.filter = U8(kind == DatabaseKind::Catch  ? kCatchFilter
                        : kind == DatabaseKind::Cost ? kCostFilter
                                                     : kCalendarFilter);
    options.filterIndex = 1;
    // Start where the database of the field lives, else in the program folder.
    const QFileInfo current(PathField(kind)->text());
    options.initialDir = !PathField(kind)->text().isEmpty() && current.absoluteDir().exists()
                             ? current.absolutePath()
                             : ToQ(PathToUtf8(workspace_.ProgramFolder()));
    const std::optional<FileChoice> choice = CurrentPrompts().OpenFile(options);
    if (!choice) {
        return;
    }
    // The filter entry the user chose decides, not the file's extension.
    if (kind != DatabaseKind::Calendar && choice->filterIndex == 2) {
        ConvertLegacy(kind, choice->path);
        return;
    }
    PathField(kind)->setText(choice->path);
}

void TfrmDatenbank::ConvertLegacy(DatabaseKind kind, const QString& legacyPath) {
    std::string error;
    Mlbc1 = kind == DatabaseKind::Catch ? ConvertLegacyCatchTable(ToUtf8(legacyPath), error)
                                        : ConvertLegacyCostTable(ToUtf8(legacyPath), error);
    if (!Mlbc1) {
        CurrentPrompts().Error(ToQ(error));
        return;
    }
    const std::optional<QString> target = AskSavePath(kind);
    if (!target || !SaveScratchTable(*target)) {
        return;
    }
    PathField(kind)->setText(*target);
}

void TfrmDatenbank::CreateDatabase(DatabaseKind kind) {
    // Built from scratch every time, whatever the table held before.
    Mlbc1 = MakeEmptyTable(FieldsOf(kind));
    const std::optional<QString> target = AskSavePath(kind);
    if (!target || !SaveScratchTable(*target)) {
        return;
    }
    PathField(kind)->setText(*target);
}

std::optional<QString> TfrmDatenbank::AskSavePath(DatabaseKind kind) {
    const SaveSetup setup = SaveSetupOf(kind);
    FileDialogOptions options;
    options.title = QStringLiteral("Datenbank speichern");
    options.filter = U8(setup.filter);
    options.defaultExt = U8(setup.extension);
    options.initialDir = ToQ(PathToUtf8(workspace_.ProgramFolder()));
    const std::optional<FileChoice> choice = CurrentPrompts().SaveFile(options);
    if (!choice || choice->path.isEmpty()) {
        return std::nullopt;
    }
    return choice->path;
}

bool TfrmDatenbank::SaveScratchTable(const QString& path) {
    if (Mlbc1->SaveToFile(ToUtf8(path))) {
        return true;
    }
    CurrentPrompts().Error(ToQ(Mlbc1->LastFailure()));
    return false;
}

void TfrmDatenbank::SpeichernClick() {
    Workspace& workspace = workspace_;
    IniFile& settings = workspace.Settings();
    QStringList problems;
    const DatabaseKind kinds[] = {DatabaseKind::Catch, DatabaseKind::Cost, DatabaseKind::Calendar};
    for (DatabaseKind kind : kinds) {
        if (!settings.WriteString("Datenbank", SettingsKeyOf(kind),
                                  ToUtf8(PathField(kind)->text()))) {
            problems << ToQ(settings.LastError());
            break; // the same reason would follow for the other keys
        }
    }
    // A path that names no file is kept in the settings, but its table and
    // current path stay as they were.
    for (DatabaseKind kind : kinds) {
        const std::string path = ToUtf8(PathField(kind)->text());
        if (path.empty()) {
            continue;
        }
        std::error_code ec;
        if (!std::filesystem::is_regular_file(PathFromUtf8(workspace.ResolveStoredPath(path)),
                                              ec)) {
            continue;
        }
        const WorkspaceResult loaded = workspace.LoadDatabase(kind, path);
        if (!loaded.ok) {
            problems << ToQ(loaded.problem);
        }
    }
    const WorkspaceResult rebuilt = workspace.RebuildValueLists();
    if (!rebuilt.ok) {
        problems << ToQ(rebuilt.problem);
    }
    emit DatabasesChanged();
    if (!problems.isEmpty()) {
        CurrentPrompts().Error(problems.join(QLatin1Char('\n')));
    }
    accept();
}

void TfrmDatenbank::AbbrechenClick() {
    reject();
}

} // namespace zv
