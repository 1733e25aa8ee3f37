#include "app/TfrmMain.h"

#include "backup/Backup.h"
#include "backup/Restore.h"
#include "base/AtomicFile.h"
#include "base/GermanText.h"
#include "base/NumberText.h"
#include "catchlog/CatchPreview.h"
#include "catchlog/PictureNames.h"
#include "catchlog/ui/CatchListModel.h"
#include "catchlog/ui/TfrmDetails.h"
#include "catchlog/ui/TfrmFangHinzufuegen.h"
#include "catchlog/ui/TfrmKarte.h"
#include "costs/ui/TfrmAKadd.h"
#include "exporting/ui/TfrmExportieren.h"
#include "reports/HtmlCatchSheet.h"
#include "reports/ui/TfrmAuswerten.h"
#include "statistics/ui/TfrmStatistik.h"
#include "storage/ValueList.h"
#include "widgets/ElidingComboBox.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/JpegImage.h"
#include "widgets/ModalShow.h"
#include "widgets/PlainHint.h"
#include "widgets/ProgramVersion.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/ReportList.h"
#include "widgets/WorkerDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <system_error>

namespace zv {

namespace {

constexpr const char* kDeleteQuestion = "Wollen Sie diesen Eintrag wirklich löschen?";
constexpr const char* kRestoreQuestion =
    "Alle aktuellen Daten werden durch die Daten aus dem Backup ersetzt. Fortfahren?";

// A menu caption as the text it shows: "&&" is an ampersand, a single "&"
// only marks the accelerator.
QString WithoutAccelerators(const QString& caption) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                text += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        text += caption[i];
    }
    return text;
}

// A sunken panel with a caption on the left and a right-aligned value.
QLabel* AddSummaryPanel(QVBoxLayout* column, QWidget* owner, const char* panelName,
                        const char* caption, const char* valueName, bool bold = false) {
    auto* panel = new QFrame(owner);
    panel->setObjectName(U8(panelName));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(4, 2, 6, 2);
    auto* captionLabel = new QLabel(U8(caption), panel);
    captionLabel->setObjectName(U8(panelName) + QStringLiteral("_caption"));
    auto* value = new QLabel(panel);
    value->setObjectName(U8(valueName));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont font = value->font();
        font.setBold(true);
        value->setFont(font);
    }
    layout->addWidget(captionLabel);
    layout->addWidget(value, 1);
    panel->setFixedHeight(28);
    column->addWidget(panel);
    return value;
}

QLabel* AddDetailPanel(QVBoxLayout* column, QWidget* owner, const char* name) {
    auto* label = new QLabel(owner);
    label->setObjectName(U8(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setFixedHeight(30);
    label->setTextFormat(Qt::PlainText);
    column->addWidget(label);
    return label;
}

} // namespace

TfrmMain::TfrmMain(std::filesystem::path programFolder, QWidget* parent)
    : QMainWindow(parent), workspace_(std::move(programFolder)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Borentik Zelvorin ") + ProgramVersionText());
    // A fixed window with only a minimise button besides closing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildControls();
    BuildMenus();
    SetWindowHeight(kShortHeight);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 4, 6, 6);
    outer->setSpacing(4);

    // Filter bar.
    auto* panel8 = new QFrame(central);
    panel8->setObjectName(QStringLiteral("Panel8"));
    panel8->setFrameShape(QFrame::StyledPanel);
    auto* filters = new QHBoxLayout(panel8);
    filters->setContentsMargins(6, 3, 6, 3);
    auto addFilter = [&](const char* caption, const char* name, int width) {
        auto* label = new QLabel(U8(caption), panel8);
        auto* box = new ElidingComboBox(panel8);
        box->setObjectName(U8(name));
        box->setFixedWidth(width);
        box->setMaxVisibleItems(20);
        filters->addWidget(label);
        filters->addWidget(box);
        filters->addSpacing(12);
        return box;
    };
    cb_faenger = addFilter("Fänger:", "cb_faenger", 170);
    cb_jahr = addFilter("Jahr:", "cb_jahr", 90);
    cb_fischart = addFilter("Fischart:", "cb_fischart", 170);
    filters->addStretch(1);
    panel8->setFixedHeight(34);
    outer->addWidget(panel8);

    // The catch list beside the summary column.
    auto* middle = new QHBoxLayout();
    middle->setSpacing(6);
    model_ = new CatchListModel(this);
    ListView1 = new QTableView(central);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(model_);
    MakeReportList(ListView1);
    ListView1->setAlternatingRowColors(true);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QPalette listPalette = ListView1->palette();
    listPalette.setColor(QPalette::Base, Qt::white);
    listPalette.setColor(QPalette::AlternateBase, QColor(241, 241, 241));
    ListView1->setPalette(listPalette);
    ListView1->verticalHeader()->setDefaultSectionSize(20);
    QHeaderView* header = ListView1->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The classic widths, widened where this font needs more room for a
    // whole date or a column's caption: a cut-off date is useless.
    const int widths[CatchListModel::ColumnCount] = {60, 70, 105, 118, 100, 68, 69};
    const QFontMetrics cellFont(ListView1->font());
    const QFontMetrics headerFont(header->font());
    for (int column = 0; column < CatchListModel::ColumnCount; ++column) {
        const QString caption = model_->headerData(column, Qt::Horizontal).toString();
        int width = std::max(widths[column], headerFont.horizontalAdvance(caption) + 14);
        if (column == CatchListModel::DateColumn) {
            width = std::max(width, cellFont.horizontalAdvance(QStringLiteral("00.00.0000")) + 14);
        }
        ListView1->setColumnWidth(column, width);
    }
    header->setStretchLastSection(true);
    ListView1->installEventFilter(this);
    middle->addWidget(ListView1, 1);

    auto* column = new QVBoxLayout();
    column->setSpacing(3);
    anzahlfische =
        AddSummaryPanel(column, central, "p_anzahlfische", " # Fische:", "anzahlfische", true);
    fischgewicht =
        AddSummaryPanel(column, central, "p_fischgewicht", " Σ Gewicht:", "fischgewicht");
    fischlaenge = AddSummaryPanel(column, central, "p_fischlaenge", " Σ Länge:", "fischlaenge");
    dgewicht = AddSummaryPanel(column, central, "p_durchgewicht", " Ø Gewicht:", "dgewicht");
    dlaenge = AddSummaryPanel(column, central, "p_durchlaenge", " Ø Länge:", "dlaenge");
    l_maxgewicht = AddSummaryPanel(column, central, "p_maxgewicht", " Schwerster:", "l_maxgewicht");
    l_maxlaenge = AddSummaryPanel(column, central, "p_maxlaenge", " Längster:", "l_maxlaenge");
    lb_angelkosten = AddSummaryPanel(column, central, "Panel1", " Kosten:", "lb_angelkosten");
    QPalette red = lb_angelkosten->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lb_angelkosten->setPalette(red);
    column->addStretch(1);
    SpeedButton1 = new QPushButton(QStringLiteral("Kalender"), central);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setToolTip(QStringLiteral("Kalender anzeigen"));
    SpeedButton2 = new QPushButton(QStringLiteral("Statistik"), central);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setToolTip(QStringLiteral("Statistik"));
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    column->addLayout(buttons);
    auto* columnWidget = new QWidget(central);
    columnWidget->setLayout(column);
    column->setContentsMargins(0, 0, 0, 0);
    columnWidget->setFixedWidth(215);
    middle->addWidget(columnWidget);
    outer->addLayout(middle, 1);

    // The total fishing time needs the whole width for its sentence.
    auto* timeColumn = new QVBoxLayout();
    timeColumn->setContentsMargins(0, 0, 0, 0);
    lb_angelzeit =
        AddSummaryPanel(timeColumn, central, "Panel2", " Gesamte Angelzeit:", "lb_angelzeit");
    outer->addLayout(timeColumn);

    // Detail area: picture preview and the four text panels.
    detailArea_ = new QFrame(central);
    detailArea_->setObjectName(QStringLiteral("detailArea"));
    auto* details = new QHBoxLayout(detailArea_);
    details->setContentsMargins(0, 2, 0, 0);
    details->setSpacing(4);
    bildzurueck = new QToolButton(detailArea_);
    bildzurueck->setObjectName(QStringLiteral("bildzurueck"));
    bildzurueck->setArrowType(Qt::LeftArrow);
    bildzurueck->setFixedSize(22, 140);
    bildzurueck->setToolTip(QStringLiteral("Vorheriges Bild"));
    Bild = new QLabel(QStringLiteral("Kein Bild"), detailArea_);
    Bild->setObjectName(QStringLiteral("Bild"));
    Bild->setAlignment(Qt::AlignCenter);
    Bild->setFrameShape(QFrame::StyledPanel);
    Bild->setFrameShadow(QFrame::Sunken);
    Bild->setFixedSize(180, 140);
    im_left = new QLabel(Bild);
    im_left->setObjectName(QStringLiteral("im_left"));
    im_left->setGeometry(0, 0, 180, 140);
    im_left->setScaledContents(true);
    im_left->setAttribute(Qt::WA_TranslucentBackground);
    im_left->installEventFilter(this);
    bildvor = new QToolButton(detailArea_);
    bildvor->setObjectName(QStringLiteral("bildvor"));
    bildvor->setArrowType(Qt::RightArrow);
    bildvor->setFixedSize(22, 140);
    bildvor->setToolTip(QStringLiteral("Nächstes Bild"));
    bildzurueck->hide();
    bildvor->hide();
    details->addWidget(bildzurueck);
    details->addWidget(Bild);
    details->addWidget(bildvor);
    auto* texts = new QVBoxLayout();
    texts->setSpacing(4);
    detfisch = AddDetailPanel(texts, detailArea_, "detfisch");
    QFont bold = detfisch->font();
    bold.setBold(true);
    detfisch->setFont(bold);
    detdatum = AddDetailPanel(texts, detailArea_, "detdatum");
    detgew = AddDetailPanel(texts, detailArea_, "detgew");
    detkoeder = AddDetailPanel(texts, detailArea_, "detkoeder");
    texts->addStretch(1);
    details->addLayout(texts, 1);
    detailArea_->setFixedHeight(kTallHeight - kShortHeight - outer->spacing());
    outer->addWidget(detailArea_);

    // The enlarged picture, created once like every window.
    bigPicture_ = new QDialog(this);
    bigPicture_->setObjectName(QStringLiteral("frmBildAnsehen"));
    bigPicture_->setWindowTitle(QStringLiteral("Bild ansehen.."));
    auto* bigLayout = new QVBoxLayout(bigPicture_);
    bigLayout->setContentsMargins(0, 0, 0, 0);
    bigPictureImage_ = new QLabel(bigPicture_);
    bigPictureImage_->setObjectName(QStringLiteral("im_big"));
    bigLayout->addWidget(bigPictureImage_);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    ConnectGuarded(cb_faenger, &QComboBox::activated, this, [this](int) { cb_faengerChange(); });
    ConnectGuarded(cb_jahr, &QComboBox::activated, this, [this](int) { cb_jahrChange(); });
    ConnectGuarded(cb_fischart, &QComboBox::activated, this, [this](int) { cb_fischartChange(); });
    ConnectGuarded(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this](const QItemSelection&, const QItemSelection&) {
                       const bool selected = ListView1->selectionModel()->hasSelection();
                       ListView1SelectItem(selected);
                       // A row reached with the arrow keys shows its details
                       // too: the detail area must never describe another
                       // catch than the one Löschen or Klonen acts on.
                       if (selected) {
                           ListView1Click();
                       }
                   });
    ConnectGuarded(ListView1, &QTableView::clicked, this,
                   [this](const QModelIndex&) { ListView1Click(); });
    ConnectGuarded(ListView1, &QTableView::doubleClicked, this,
                   [this](const QModelIndex&) { Details1Click(); });
    ConnectGuarded(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(ListView1->viewport()->mapToGlobal(at));
    });
    ConnectGuarded(bildvor, &QToolButton::clicked, this, [this] { bildvorClick(); });
    ConnectGuarded(bildzurueck, &QToolButton::clicked, this, [this] { bildzurueckClick(); });
    ConnectGuarded(SpeedButton1, &QPushButton::clicked, this,
                   [this] { OpenForm(QStringLiteral("TfrmKalender")); });
    ConnectGuarded(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
}

void TfrmMain::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto menu = [&](QMenu* parentMenu, const char* name, const char* caption) {
        QMenu* m = parentMenu ? parentMenu->addMenu(U8(caption)) : bar->addMenu(U8(caption));
        m->setObjectName(U8(name));
        m->menuAction()->setObjectName(U8(name));
        return m;
    };
    auto item = [&](QMenu* m, const char* name, const char* caption, auto handler) {
        QAction* action = m->addAction(U8(caption));
        action->setObjectName(U8(name));
        ConnectGuarded(action, &QAction::triggered, this, [handler](bool) { handler(); });
        return action;
    };
    auto separator = [](QMenu* m) { m->addSeparator(); };
    auto opener = [this](const char* className) {
        return [this, className] { OpenForm(U8(className)); };
    };

    QMenu* datei = menu(nullptr, "Datei1", "&Datei");
    item(datei, "Datenbankauswhlen1", "&Datenbank", [this] { Datenbankauswhlen1Click(); });
    separator(datei);
    item(datei, "Exportieren1", "&Exportieren…", [this] { Exportieren1Click(); });
    separator(datei);
    item(datei, "Backup1", "&Backup laden..", [this] { Backup1Click(); });
    item(datei, "Backuperstellen1", "Backup erstellen..", [this] { Backuperstellen1Click(); });
    separator(datei);
    item(datei, "Beenden1", "&Beenden", [this] { Beenden1Click(); });

    QMenu* fang = menu(nullptr, "Fang1", "&Fang");
    item(fang, "Hinzufgen1", "&Hinzufügen", [this] { Hinzufgen1Click(); });
    separator(fang);
    item(fang, "Details1", "&Details", [this] { Details1Click(); });
    separator(fang);
    item(fang, "Klonen1", "&Klonen", [this] { Klonen1Click(); });
    item(fang, "Bearbeiten1", "&Bearbeiten", [this] { Bearbeiten1Click(); });
    item(fang, "Lschen1", "&Löschen", [this] { Lschen1Click(); });
    separator(fang);
    item(fang, "Suchen1", "&Suchen", opener("TfrmFangsuchen"));
    separator(fang);
    item(fang, "Kalendar1", "Kalender", opener("TfrmKalender"));

    QMenu* kosten = menu(nullptr, "Angelkosten1", "&Angelkosten");
    item(kosten, "Hinzufgen2", "&Hinzufügen", [this] { Hinzufgen2Click(); });
    separator(kosten);
    item(kosten, "bersicht1", "&Übersicht", opener("TfrmAKuebersicht"));
    item(kosten, "Jahresbersicht1", "&Jahreszusammenfassung", opener("TfrmAKjahr"));
    separator(kosten);
    item(kosten, "Suchen2", "Suchen", opener("TfrmAksuchen"));

    Statistik1 = menu(nullptr, "Statistik1", "&Statistik");
    // The whole catch log and the recommendation need no angler: they are
    // offered from the start, before the first catch names one.
    StartStatistikMenu();

    QMenu* extras = menu(nullptr, "Extras1", "&Extras");
    QMenu* auswerten = menu(extras, "Auswerten1", "Auswerten");
    item(auswerten, "Zelvorin1", "Zelvorin", [this] { Zelvorin1Click(); });
    separator(auswerten);
    item(auswerten, "Angelkosten2", "Angelkosten", [this] { Angelkosten2Click(); });
    item(auswerten, "Jahreszusammenfassung1", "Jahreszusammenfassung",
         [this] { Jahreszusammenfassung1Click(); });
    QAction* n13 = auswerten->addSeparator();
    n13->setObjectName(QStringLiteral("N13"));
    n13->setVisible(false);
    QAction* statistik2 = auswerten->addAction(QStringLiteral("Statistik"));
    statistik2->setObjectName(QStringLiteral("Statistik2"));
    statistik2->setVisible(false);
    separator(extras);
    Karte1 = menu(extras, "Karte1", "&Karte");
    separator(extras);
    item(extras, "Fanglisteerstellen1", "&Fangliste erstellen",
         [this] { Fanglisteerstellen1Click(); });
    separator(extras);
    item(extras, "Internetabgleich1", "Internet Statistiken", opener("TfrmInternet"));

    QMenu* hilfe = menu(nullptr, "Hilfe1", "&Hilfe");
    item(hilfe, "Info1", "&Info", [this] { Info1Click(); });

    QAction* details2 = item(PopupMenu1, "Details2", "Details", [this] { Details1Click(); });
    PopupMenu1->setDefaultAction(details2);
    separator(PopupMenu1);
    item(PopupMenu1, "Klonen2", "Klonen", [this] { Klonen1Click(); });
    item(PopupMenu1, "Bearbeiten2", "Bearbeiten", [this] { Bearbeiten1Click(); });
    item(PopupMenu1, "Lschen2", "Löschen", [this] { Lschen1Click(); });
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_ && !event->spontaneous()) {
        shownOnce_ = true;
        Guarded([this] { FormShow(); });
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Guarded([this] { Lschen1Click(); });
        return true;
    }
    if (watched == im_left && event->type() == QEvent::MouseButtonRelease) {
        Guarded([this] { im_leftClick(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::FormShow() {
    ListView1->setColumnWidth(CatchListModel::IdColumn, 0);
    ListView1->setColumnHidden(CatchListModel::IdColumn, true);
    const OpenReport report = workspace_.Open();
    for (const std::string& notice : report.Notices()) {
        CurrentPrompts().Information(ToQ(notice));
    }
    ReportProblems(report.Problems());
    FillAnglerLists();
    ShowCostTotal();
    ShowLastCatches();
}

void TfrmMain::FillAnglerLists() {
    std::error_code ec;
    const std::filesystem::path folder = workspace_.ProgramFolder();
    if (!std::filesystem::exists(ValueListPath(folder, "Faenger"), ec)) {
        return;
    }
    const std::vector<std::string> anglers = ReadValueList(folder, "Faenger");
    const bool chosen = cb_faenger->currentIndex() >= 0;
    const QString angler = cb_faenger->currentText();
    StartStatistikMenu();
    cb_faenger->clear();
    cb_faenger->addItem(ToQ(kAllEntry));
    for (const std::string& name : anglers) {
        cb_faenger->addItem(ToQ(name));
        // "&" in a name is a letter, not a menu accelerator.
        AddStatistikItem(ToQ(name).replace(QLatin1Char('&'), QStringLiteral("&&")), 1);
    }
    // The list below is still filtered by the angler chosen before: the box
    // keeps showing that angler, and never a caption of another listing.
    if (chosen) {
        const int index = cb_faenger->findText(angler, Qt::MatchExactly);
        cb_faenger->setCurrentIndex(index);
        if (index < 0) {
            cb_faenger->setPlaceholderText(angler);
        }
    } else {
        cb_faenger->setCurrentIndex(-1);
    }
}

void TfrmMain::StartStatistikMenu() {
    Statistik1->clear();
    AddStatistikItem(QStringLiteral("Wann angeln gehen?"), 2);
    Statistik1->addSeparator();
    AddStatistikItem(QStringLiteral("Gesamt"), 0);
    Statistik1->addSeparator();
}

void TfrmMain::AddStatistikItem(const QString& caption, int number) {
    QAction* action = Statistik1->addAction(caption);
    action->setData(number);
    ConnectGuarded(action, &QAction::triggered, this, [this, action](bool) {
        StatistikItemClick(action->data().toInt(), action->text());
    });
}

void TfrmMain::ShowCostTotal() {
    lb_angelkosten->setText(ToQ(FormatMoney(CostTotal(workspace_.ak()))));
}

void TfrmMain::ShowLastCatches() {
    cb_faenger->setPlaceholderText(QStringLiteral("Letzte 10 Fänge"));
    cb_faenger->setCurrentIndex(-1);
    CatchListing listing = ListLastCatches(workspace_.DB(), 10);
    if (!listing.rows.empty()) {
        FillMapMenu();
    }
    ShowListing(std::move(listing));
    // The total fishing time belongs to a filtered list; the last ten
    // catches show none, and no time of an earlier list may stay.
    lb_angelzeit->clear();
}

void TfrmMain::ShowCatchList() {
    ShowFilteredCatches();
    // A catch stored on a new water is on the map menu at once.
    FillMapMenu();
}

void TfrmMain::ShowFilteredCatches() {
    // Without a chosen angler (after the last ten catches, say) the list
    // shows every angler's catches, and the box says so.
    if (cb_faenger->currentIndex() < 0) {
        const int all = cb_faenger->findText(ToQ(kAllEntry), Qt::MatchExactly);
        cb_faenger->setCurrentIndex(all);
        cb_faenger->setPlaceholderText(all < 0 ? ToQ(kAllEntry) : QString());
    }
    const CatchFilter filter =
        MakeCatchFilter(ToUtf8(cb_faenger->currentText()), ToUtf8(cb_jahr->currentText()),
                        ToUtf8(cb_fischart->currentText()));
    ShowListing(ListCatches(workspace_.DB(), filter));
}

void TfrmMain::ShowListing(CatchListing listing) {
    const SummaryTexts texts = FormatSummary(listing.summary);
    model_->SetRows(std::move(listing.rows));
    anzahlfische->setText(ToQ(texts.count));
    fischgewicht->setText(ToQ(texts.weightTotal));
    fischlaenge->setText(ToQ(texts.lengthTotal));
    dgewicht->setText(ToQ(texts.averageWeight));
    dlaenge->setText(ToQ(texts.averageLength));
    l_maxgewicht->setText(ToQ(texts.maxWeight));
    l_maxlaenge->setText(ToQ(texts.maxLength));
    lb_angelzeit->setText(ToQ(texts.fishingTime));
    // Refilling removes the selection, and with it the detail area.
    ListView1SelectItem(false);
}

void TfrmMain::FillYearFilter() {
    const QString angler = cb_faenger->currentText();
    std::optional<std::string> filter;
    if (!angler.isEmpty() && ToUtf8(angler) != kAllEntry) {
        filter = ToUtf8(angler);
    }
    cb_jahr->clear();
    cb_jahr->addItem(ToQ(kAllEntry));
    for (int year : CatchYears(workspace_.DB(), filter)) {
        cb_jahr->addItem(QString::number(year));
    }
    cb_jahr->setCurrentIndex(-1);
}

void TfrmMain::FillSpeciesFilter() {
    const CatchFilter filter =
        MakeCatchFilter(ToUtf8(cb_faenger->currentText()), ToUtf8(cb_jahr->currentText()), {});
    cb_fischart->clear();
    cb_fischart->addItem(ToQ(kAllEntry));
    for (const std::string& species : CatchSpecies(workspace_.DB(), filter.angler, filter.year)) {
        cb_fischart->addItem(ToQ(species));
    }
    cb_fischart->setCurrentIndex(-1);
}

void TfrmMain::FillMapMenu() {
    const std::filesystem::path folder = workspace_.ProgramFolder();
    std::error_code ec;
    std::vector<std::string> waters;
    if (std::filesystem::exists(ValueListPath(folder, "Gewaesser"), ec)) {
        waters = SortedUniqueDe(ReadValueList(folder, "Gewaesser"));
    }
    Karte1->clear();
    for (const std::string& water : waters) {
        if (Trim(water).empty()) {
            continue; // an empty line names no water, and no map can be kept under it
        }
        const QString caption = ToQ(water);
        // "&&" shows an "&" of the name instead of marking a shortcut key.
        QAction* action = Karte1->addAction(QString(caption).replace(QLatin1Char('&'), "&&"));
        ConnectGuarded(action, &QAction::triggered, this,
                       [this, caption](bool) { KarteItemClick(caption); });
    }
}

void TfrmMain::ShowCatchDetails(int row) {
    if (auto* details = forms_.Get<TfrmDetails>(QStringLiteral("TfrmDetails"))) {
        details->ShowCatch(row);
    }
}

void TfrmMain::Hinzufgen1Click() {
    if (auto* entry = forms_.Get<TfrmFangHinzufuegen>(QStringLiteral("TfrmFangHinzufuegen"))) {
        entry->OpenForAdd();
    }
}

void TfrmMain::Hinzufgen2Click() {
    if (auto* entry = forms_.Get<TfrmAKadd>(QStringLiteral("TfrmAKadd"))) {
        entry->OpenForAdd();
    }
}

void TfrmMain::Bearbeiten1Click() {
    const int row = SelectedCatchId();
    auto* entry = forms_.Get<TfrmFangHinzufuegen>(QStringLiteral("TfrmFangHinzufuegen"));
    if (row > 0 && entry != nullptr) {
        entry->OpenForEdit(row);
    }
}

int TfrmMain::SelectedCatchId() const {
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return 0;
    }
    return model_->Row(rows.first().row()).id;
}

void TfrmMain::SelectListRow(int index) {
    if (index < 0 || index >= model_->rowCount()) {
        ListView1->clearSelection();
        return;
    }
    ListView1->selectRow(index);
    ListView1Click();
}

void TfrmMain::cb_faengerChange() {
    FillYearFilter();
    ShowFilteredCatches();
    const QString angler = cb_faenger->currentText();
    if (angler.isEmpty() || ToUtf8(angler) == kAllEntry) {
        SpeedButton2->setToolTip(QStringLiteral("Statistik"));
    } else {
        SpeedButton2->setToolTip(
            PlainHint(QStringLiteral("Statistik für ") + angler + QStringLiteral(" anzeigen")));
    }
}

void TfrmMain::cb_jahrChange() {
    FillSpeciesFilter();
    ShowFilteredCatches();
}

void TfrmMain::cb_fischartChange() {
    ShowFilteredCatches();
}

void TfrmMain::SetWindowHeight(int height) {
    detailArea_->setVisible(height == kTallHeight);
    setFixedSize(kWidth, height);
}

void TfrmMain::ListView1SelectItem(bool selected) {
    SetWindowHeight(selected ? kTallHeight : kShortHeight);
}

void TfrmMain::ClearPreview() {
    im_left->clear();
    im_left->unsetCursor();
    pictureShown_ = false;
}

std::filesystem::path TfrmMain::PicturePath(const std::string& name) const {
    return workspace_.ProgramFolder() / "img" / PathFromUtf8(name);
}

void TfrmMain::ShowPicture(int index) {
    ClearPreview();
    if (index < 0 || index >= int(pictures_.size()) || pictures_[std::size_t(index)].empty()) {
        return;
    }
    const QImage image = LoadJpegImage(PicturePath(pictures_[std::size_t(index)]));
    if (image.isNull()) {
        return;
    }
    im_left->setPixmap(QPixmap::fromImage(image));
    im_left->setCursor(Qt::PointingHandCursor);
    pictureShown_ = true;
}

void TfrmMain::ListView1Click() {
    const int id = SelectedCatchId();
    if (id <= 0) {
        return;
    }
    TMlbc& db = workspace_.DB();
    if (!db.GoToRow(id)) {
        return;
    }
    const CatchPreview preview = MakeCatchPreview(db, id);
    detfisch->setText(ToQ(preview.fish));
    detdatum->setText(ToQ(preview.date));
    detgew->setText(ToQ(preview.water));
    detkoeder->setText(ToQ(preview.bait));

    pictures_ = preview.pictures;
    pictureIndex_ = 0;
    bildvor->setEnabled(true);
    bildzurueck->setEnabled(false);
    ShowPicture(0);
    const bool stepping = pictures_.size() >= 2;
    bildvor->setVisible(stepping);
    bildzurueck->setVisible(stepping);
}

void TfrmMain::bildvorClick() {
    const int last = int(pictures_.size()) - 1;
    if (pictureIndex_ >= last) {
        // Already at the last picture: there is nothing further to show.
        bildvor->setEnabled(false);
        return;
    }
    ++pictureIndex_;
    ShowPicture(pictureIndex_);
    bildvor->setEnabled(pictureIndex_ < last);
    bildzurueck->setEnabled(true);
}

void TfrmMain::bildzurueckClick() {
    if (pictureIndex_ <= 0) {
        bildzurueck->setEnabled(false);
        bildvor->setEnabled(true);
        return;
    }
    --pictureIndex_;
    ShowPicture(pictureIndex_);
    bildvor->setEnabled(true);
    bildzurueck->setEnabled(pictureIndex_ > 0);
}

void TfrmMain::im_leftClick() {
    if (SelectedCatchId() <= 0 || pictures_.empty() || pictureIndex_ >= int(pictures_.size())) {
        return;
    }
    const std::string name = EnlargedPictureName(pictures_[std::size_t(pictureIndex_)]);
    const QImage image = LoadJpegImage(PicturePath(name));
    if (image.isNull()) {
        return;
    }
    bigPictureImage_->setPixmap(QPixmap::fromImage(image));
    bigPicture_->setFixedSize(image.size());
    const QPoint centre = frameGeometry().center();
    bigPicture_->move(centre.x() - image.width() / 2, centre.y() - image.height() / 2);
    ShowModal(*bigPicture_);
}

void TfrmMain::Lschen1Click() {
    const int id = SelectedCatchId();
    if (id <= 0) {
        return;
    }
    if (!CurrentPrompts().ConfirmYesNo(U8(kDeleteQuestion))) {
        return;
    }
    const WorkspaceResult result = workspace_.DeleteCatch(id);
    ShowCatchList();
    ReportProblem(result);
}

void TfrmMain::Klonen1Click() {
    const int id = SelectedCatchId();
    if (id <= 0) {
        return;
    }
    const WorkspaceResult result = workspace_.CloneCatch(id);
    ShowCatchList();
    ReportProblem(result);
}

void TfrmMain::Details1Click() {
    const int id = SelectedCatchId();
    if (id > 0) {
        ShowCatchDetails(id);
    }
}

void TfrmMain::Beenden1Click() {
    close();
}

void TfrmMain::DatabasesReloaded() {
    FillAnglerLists();
    ShowCostTotal();
    ShowLastCatches();
    // The waters may have been rebuilt from the catches, also of an empty table.
    FillMapMenu();
}

void TfrmMain::Datenbankauswhlen1Click() {
    OpenForm(QStringLiteral("TfrmDatenbank"));
}

std::vector<int> TfrmMain::ListedCatchIds() const {
    std::vector<int> ids;
    for (int row = 0; row < model_->rowCount(); ++row) {
        ids.push_back(model_->Row(row).id);
    }
    return ids;
}

void TfrmMain::Exportieren1Click() {
    if (auto* window = forms_.Get<TfrmExportieren>(QStringLiteral("TfrmExportieren"))) {
        window->Open(ListedCatchIds());
    }
}

namespace {

FileDialogOptions ZipDialog(const char* title) {
    FileDialogOptions options;
    options.title = U8(title);
    options.filter = QStringLiteral("Zip|*.zip");
    options.defaultExt = QStringLiteral(".zip");
    return options;
}

// The engine's progress in the dialog: its text when the phase or the file
// changes, the bar by bytes.
ArchiveProgress DialogProgress(WorkerDialog& dialog) {
    return {[&dialog, shown = ArchiveState{ArchivePhase::Writing, 0, 0, 0, 0}](
                const ArchiveState& state) mutable {
                const bool moved = shown.fileCount == 0 || state.phase != shown.phase ||
                                   state.CurrentFile() != shown.CurrentFile();
                shown = state;
                dialog.Show(moved ? ToQ(ArchiveStateText(state)) : QString(), state.Permille());
            },
            &dialog.CancelFlag()};
}

} // namespace

void TfrmMain::Backuperstellen1Click() {
    const std::optional<FileChoice> choice =
        CurrentPrompts().SaveFile(ZipDialog("Backup erstellen"));
    if (!choice || choice->path.isEmpty()) {
        return;
    }
    const std::filesystem::path archive = PathFromUtf8(ToUtf8(choice->path));
    BackupResult result;
    WorkerDialog progress(this, kBackupProgressName, U8("Backup erstellen"),
                          U8("Das Backup wird erstellt …"), U8("Das Backup wird abgebrochen …"));
    progress.Run([&] { result = CreateBackup(workspace_, archive, DialogProgress(progress)); });
    const QString text = ToQ(BackupMessage(result, archive));
    if (result.cancelled) {
        CurrentPrompts().Information(text);
    } else if (!result.ok) {
        CurrentPrompts().Error(text);
    } else if (!result.selection.leftOut.empty()) {
        CurrentPrompts().Warning(text);
    } else {
        CurrentPrompts().Information(text);
    }
}

void TfrmMain::Backup1Click() {
    const std::optional<FileChoice> choice = CurrentPrompts().OpenFile(ZipDialog("Backup laden"));
    if (!choice || choice->path.isEmpty()) {
        return;
    }
    if (!CurrentPrompts().ConfirmYesNo(U8(kRestoreQuestion), PromptAnswer::No)) {
        return;
    }
    const std::filesystem::path archive = PathFromUtf8(ToUtf8(choice->path));
    RestoreReport report;
    WorkerDialog progress(this, kRestoreProgressName, U8("Backup laden"),
                          U8("Das Backup wird geladen …"), U8("Das Laden wird abgebrochen …"));
    RestoreOptions options;
    options.safetyBackupAt = CurrentClock().Now();
    options.progress = DialogProgress(progress);
    // The files are written off the window's thread; the tables change
    // only here, once that is done.
    progress.Run([&] { report = RestoreFiles(workspace_, archive, options); });
    OpenRestoredDatabases(workspace_, report);
    const QString text = ToQ(RestoreMessage(report, workspace_, archive));
    if (!report.opened) {
        if (report.cancelled) {
            CurrentPrompts().Information(text);
        } else {
            CurrentPrompts().Error(text);
        }
        return;
    }
    DatabasesReloaded();
    const bool skipped =
        std::any_of(report.entries.begin(), report.entries.end(), [](const RestoredEntry& entry) {
            return entry.outcome == RestoreOutcome::Skipped;
        });
    if (report.cancelled || skipped || !report.Problems().empty()) {
        CurrentPrompts().Warning(text);
    } else {
        CurrentPrompts().Information(text);
    }
}

void TfrmMain::Info1Click() {
    OpenForm(QStringLiteral("TfrmInfo"));
}

TfrmAuswerten* TfrmMain::ReportWindow(int tag, const TMlbc& table) {
    auto* window = forms_.Get<TfrmAuswerten>(QStringLiteral("TfrmAuswerten"));
    if (window == nullptr) {
        return nullptr;
    }
    if (table.RowCount() == 0) {
        CurrentPrompts().Message(QStringLiteral("Keine Daten zum Auswerten"));
        return nullptr;
    }
    window->SetTag(tag);
    return window;
}

void TfrmMain::Zelvorin1Click() {
    if (auto* window = ReportWindow(0, workspace_.DB())) {
        ShowModal(*window);
    }
}

void TfrmMain::Angelkosten2Click() {
    if (auto* window = ReportWindow(1, workspace_.ak())) {
        ShowModal(*window);
    }
}

void TfrmMain::Jahreszusammenfassung1Click() {
    // The year summary is written without showing the window.
    if (auto* window = ReportWindow(2, workspace_.ak())) {
        window->BitBtn2Click();
    }
}

void TfrmMain::Fanglisteerstellen1Click() {
    // The sheet's rows are the fields of the open catch database.
    if (workspace_.CatchPath().empty()) {
        CurrentPrompts().Information(
            U8("Es ist keine Zelvorin Datenbank geöffnet: Die Fangliste hat deshalb keine "
               "Zeilen. Eine Datenbank wählen Sie unter \"Datei\" \"Datenbank\"."));
    }
    const std::vector<std::string> lines = BuildCatchSheet(workspace_.DB());
    FileDialogOptions options;
    options.title = QStringLiteral("Speichern unter");
    options.filter = QStringLiteral("html|*.html");
    options.defaultExt = QStringLiteral(".html");
    const std::optional<FileChoice> choice = CurrentPrompts().SaveFile(options);
    if (!choice || choice->path.isEmpty()) {
        return;
    }
    std::string error;
    if (!WriteCatchSheet(PathFromUtf8(ToUtf8(choice->path)), lines, error)) {
        CurrentPrompts().Error(ToQ(error));
    }
}

void TfrmMain::StatistikItemClick(int number, const QString& caption) {
    auto* statistik = forms_.Get<TfrmStatistik>(QStringLiteral("TfrmStatistik"));
    if (statistik == nullptr) {
        OpenForm(QStringLiteral("TfrmStatistik"));
        return;
    }
    if (number == 0) {
        statistik->SetCatcherFilter({});
    } else if (number == 1) {
        statistik->SetCatcherFilter(ToUtf8(WithoutAccelerators(caption)));
    }
    statistik->Open(number == 2 ? TfrmStatistik::kRecommendation : TfrmStatistik::kNormal);
}

void TfrmMain::SpeedButton2Click() {
    auto* statistik = forms_.Get<TfrmStatistik>(QStringLiteral("TfrmStatistik"));
    if (statistik == nullptr) {
        OpenForm(QStringLiteral("TfrmStatistik"));
        return;
    }
    const std::string angler = ToUtf8(cb_faenger->currentText());
    statistik->SetCatcherFilter(angler == kAllEntry ? std::string() : angler);
    statistik->Open(TfrmStatistik::kNormal);
}

void TfrmMain::KarteItemClick(const QString& water) {
    if (auto* map = forms_.Get<TfrmKarte>(QStringLiteral("TfrmKarte"))) {
        map->OpenForViewing(water);
    }
}

void TfrmMain::OpenForm(const QString& className) {
    if (auto* dialog = forms_.Get<QDialog>(className)) {
        ShowModal(*dialog);
    }
}

void TfrmMain::ReportProblem(const WorkspaceResult& result) {
    if (!result.problem.empty()) {
        ReportProblems({result.problem});
    }
}

void TfrmMain::ReportProblems(const std::vector<std::string>& problems) {
    if (problems.empty()) {
        return;
    }
    QStringList lines;
    for (const std::string& problem : problems) {
        lines << ToQ(problem);
    }
    CurrentPrompts().Error(lines.join(QLatin1Char('\n')));
}

} // namespace zv
