#include "catchlog/ui/TfrmKarte.h"

#include "base/AtomicFile.h"
#include "catchlog/MapColor.h"
#include "catchlog/MapPicture.h"
#include "catchlog/SpeciesColors.h"
#include "storage/ValueList.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/JpegImage.h"
#include "widgets/ModalShow.h"
#include "widgets/PlainHint.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/ReportList.h"
#include "widgets/WindowHost.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <system_error>

namespace zv {
namespace {

constexpr int kSpeciesColumn = 0;
constexpr int kColorColumn = 1;

QColor ToQColor(MapColor color) {
    return QColor(color.red, color.green, color.blue);
}

// Paints a colour cell in the colour its text names, also in the selected
// row, so the angler sees the colour a species gets; a text that is no
// colour is drawn as usual.
class ColorCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QString text = index.data().toString();
        const std::optional<MapColor> color =
            index.column() == kColorColumn ? ColorFromText(ToUtf8(text)) : std::nullopt;
        if (!color) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->fillRect(option.rect, ToQColor(*color));
        const int brightness = (color->red * 299 + color->green * 587 + color->blue * 114) / 1000;
        painter->setPen(brightness < 128 ? Qt::white : Qt::black);
        painter->drawText(option.rect.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          text);
        painter->restore();
    }
};

} // namespace

TfrmKarte::TfrmKarte(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmKarte"));
    setWindowTitle(QStringLiteral("Karte"));
    setSizeGripEnabled(true);
    resize(kWidth, kHeight);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    Datei1 = MainMenu1->addMenu(QStringLiteral("Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    QAction* close = Datei1->addAction(U8("Schließen"));
    close->setObjectName(QStringLiteral("Schlieen1"));
    connect(close, &QAction::triggered, this, &QDialog::reject);
    // The colours are set in the list beside the map; the menu stays hidden.
    Einstellungen1 = MainMenu1->addMenu(QStringLiteral("Einstellungen"));
    Einstellungen1->setObjectName(QStringLiteral("Einstellungen1"));
    Einstellungen1->addAction(QStringLiteral("Farben"))->setObjectName(QStringLiteral("Farben1"));
    Einstellungen1->menuAction()->setVisible(false);
    outer->setMenuBar(MainMenu1);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(185);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    auto* panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(6, 6, 6, 6);
    panel->setSpacing(6);
    ListView1 = new QTableWidget(0, 2, Panel1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->horizontalHeader()->setVisible(false);
    MakeReportList(ListView1);
    ListView1->verticalHeader()->setDefaultSectionSize(20);
    // The two columns fill the list exactly: a click on a colour cannot
    // scroll the species out of sight, and a long species ends in "…" with
    // its whole name in the hint.
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* columns = ListView1->horizontalHeader();
    columns->setSectionResizeMode(kSpeciesColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(kColorColumn, QHeaderView::Fixed);
    ListView1->setColumnWidth(
        kColorColumn, ListView1->fontMetrics().horizontalAdvance(QStringLiteral("#DDDDDD")) + 12);
    ListView1->setItemDelegate(new ColorCellDelegate(ListView1));
    panel->addWidget(ListView1, 1);
    BitBtn1 = new QPushButton(QStringLiteral("Speichern"), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    panel->addWidget(BitBtn1);
    BitBtn2 = new QPushButton(U8("Karte ändern"), Panel1);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    panel->addWidget(BitBtn2);
    outer->addWidget(Panel1);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1 = new QLabel();
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setContentsMargins(0, 0, 0, 0);
    // The hint follows the mouse, so the picture needs every move.
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    ScrollBox1->setWidget(Image1);
    outer->addWidget(ScrollBox1, 1);

    ConnectGuarded(ListView1, &QTableWidget::cellDoubleClicked, this,
                   [this](int, int) { ListView1DblClick(); });
    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
}

void TfrmKarte::OpenForViewing(const QString& water) {
    mode_ = Mode::Viewing;
    water_ = water;
    positionField_ = nullptr;
    setWindowState(windowState() | Qt::WindowMaximized);
    Workspace& workspace = main_.GetWorkspace();
    const std::string problem =
        EnsureSpeciesColors(workspace.ProgramFolder(), workspace.Settings(), *random_);
    if (!problem.empty()) {
        CurrentPrompts().Error(ToQ(problem));
    }
    ShowModal(*this);
}

void TfrmKarte::OpenForPlacing(const QString& water, QLineEdit* positionField) {
    mode_ = Mode::Placing;
    water_ = water;
    positionField_ = positionField;
    Image1->setCursor(Qt::CrossCursor);
    ShowModal(*this);
}

void TfrmKarte::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmKarte::hideEvent(QHideEvent* event) {
    QToolTip::hideText();
    Image1->setToolTip({});
    Image1->setCursor(Qt::ArrowCursor);
    QDialog::hideEvent(event);
}

bool TfrmKarte::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            Guarded([&] { Image1MouseDown(mouse->position().toPoint(), mouse->button()); });
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            Guarded([&] { Image1MouseMove(mouse->position().toPoint()); });
            return true;
        }
        if (event->type() == QEvent::ToolTip) {
            return true; // the hint is shown by the mouse moves, only over markers
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmKarte::FormShow() {
    ++showing_;
    FillColorList();
    if (mode_ == Mode::Viewing) {
        setWindowTitle(QStringLiteral("Karte"));
        Panel1->show();
    } else {
        setWindowTitle(U8("Karte - Linke Maustaste klicken um aktuelle Position zu übernehmen"));
        Panel1->hide();
    }
    // The picture takes the panel's room at once, not only after the next
    // pass of the event loop.
    layout()->activate();
    if (!DrawMap()) {
        CloseAtOnce();
    }
}

void TfrmKarte::FillColorList() {
    Workspace& workspace = main_.GetWorkspace();
    const SpeciesColors colors(workspace.Settings());
    std::vector<std::string> species;
    for (std::string& name : ReadValueList(workspace.ProgramFolder(), "Fischarten")) {
        if (!name.empty()) { // an empty line names no species
            species.push_back(std::move(name));
        }
    }
    ListView1->clearContents();
    ListView1->setRowCount(int(species.size()));
    for (int row = 0; row < int(species.size()); ++row) {
        const std::string& name = species[std::size_t(row)];
        auto* item = new QTableWidgetItem(ToQ(name));
        item->setToolTip(PlainHint(item->text()));
        ListView1->setItem(row, kSpeciesColumn, item);
        ListView1->setItem(row, kColorColumn, new QTableWidgetItem(ToQ(colors.Text(name))));
    }
}

bool TfrmKarte::DrawMap() {
    markers_.clear();
    RgbImage picture;
    if (!LoadOrAskPicture(picture)) {
        picture_ = QImage();
        Image1->clear();
        return false;
    }
    std::string error;
    if (mode_ == Mode::Viewing) {
        Workspace& workspace = main_.GetWorkspace();
        MapMarking marking = CollectMapMarkers(workspace.DB(), ToUtf8(water_));
        DrawMarkers(picture, marking.markers, SpeciesColors(workspace.Settings()));
        markers_ = std::move(marking.markers);
        error = std::move(marking.error);
    }
    ShowPicture(picture);
    if (!error.empty()) {
        // The markers drawn before the bad position stay on the map.
        CurrentPrompts().Error(ToQ(error));
    }
    return true;
}

bool TfrmKarte::LoadOrAskPicture(RgbImage& picture) {
    const std::filesystem::path stored = StoredMapPicture(main_.GetWorkspace(), ToUtf8(water_));
    if (!stored.empty()) {
        std::string error;
        if (LoadMapPicture(stored, picture, error)) {
            picturePath_ = stored;
            return true;
        }
        // A damaged picture is no map: say why, then ask for another one.
        CurrentPrompts().Error(ToQ(error));
    }
    return AskPicture(picture);
}

bool TfrmKarte::AskPicture(RgbImage& picture) {
    FileDialogOptions options;
    options.title = U8("Karte für \"%1\" auswählen").arg(water_);
    options.filter = U8(kPictureFilter);
    const std::optional<FileChoice> chosen = CurrentPrompts().OpenFile(options);
    if (!chosen) {
        return false;
    }
    MapPictureChoice choice =
        ChooseMapPicture(main_.GetWorkspace(), ToUtf8(water_), PathFromUtf8(ToUtf8(chosen->path)));
    if (!choice.ok) {
        CurrentPrompts().Error(ToQ(choice.error));
        return false;
    }
    picturePath_ = choice.path;
    picture = std::move(choice.picture);
    return true;
}

void TfrmKarte::ShowPicture(const RgbImage& picture) {
    picture_ = ImageFromRgb(picture);
    Image1->setPixmap(QPixmap::fromImage(picture_));
    Image1->resize(picture_.size());
}

void TfrmKarte::CloseAtOnce() {
    // Closing from inside the show handler would leave a modal event loop
    // that has not started yet running forever; close right after it starts.
    QTimer::singleShot(0, this, [this, showing = showing_] {
        if (showing == showing_ && isVisible()) {
            reject();
        }
    });
}

void TfrmKarte::Image1MouseDown(QPoint position, Qt::MouseButton button) {
    const bool onPicture = position.x() >= 0 && position.y() >= 0 &&
                           position.x() < picture_.width() && position.y() < picture_.height();
    if (mode_ != Mode::Placing || button != Qt::LeftButton || !onPicture) {
        return;
    }
    if (positionField_) {
        positionField_->setText(QStringLiteral("%1,%2").arg(position.x()).arg(position.y()));
    }
    accept();
}

void TfrmKarte::Image1MouseMove(QPoint position) {
    const MapMarker* marker = MarkerAt(markers_, position.x(), position.y());
    if (marker == nullptr) {
        Image1->setToolTip({});
        QToolTip::hideText();
        return;
    }
    TMlbc& db = main_.GetWorkspace().DB();
    db.GoToRow(marker->row);
    const QString hint = PlainHint(ToQ(MarkerHint(db, marker->row)));
    Image1->setToolTip(hint);
    QToolTip::showText(Image1->mapToGlobal(position), hint, Image1);
}

void TfrmKarte::ListView1DblClick() {
    const int row = ListView1->currentRow();
    QTableWidgetItem* item = row >= 0 ? ListView1->item(row, kColorColumn) : nullptr;
    if (item == nullptr) {
        return;
    }
    // A species without a colour is drawn blue, so the dialog starts there.
    const MapColor initial = ColorFromText(ToUtf8(item->text())).value_or(kMarkerBlue);
    const std::optional<QColor> chosen = CurrentPrompts().PickColor(ToQColor(initial));
    if (!chosen) {
        return;
    }
    item->setText(ToQ(ColorToText({static_cast<std::uint8_t>(chosen->red()),
                                   static_cast<std::uint8_t>(chosen->green()),
                                   static_cast<std::uint8_t>(chosen->blue())})));
}

void TfrmKarte::BitBtn1Click() {
    IniFile& settings = main_.GetWorkspace().Settings();
    std::string problem;
    for (int row = 0; row < ListView1->rowCount(); ++row) {
        const QTableWidgetItem* species = ListView1->item(row, kSpeciesColumn);
        const QTableWidgetItem* color = ListView1->item(row, kColorColumn);
        if (species == nullptr || color == nullptr) {
            continue;
        }
        if (!settings.WriteString(SpeciesColors::kSection, ToUtf8(species->text()),
                                  ToUtf8(color->text())) &&
            problem.empty()) {
            problem = settings.LastError();
        }
    }
    if (!problem.empty()) {
        CurrentPrompts().Error(ToQ(problem));
    }
    if (!DrawMap()) {
        reject();
    }
}

void TfrmKarte::BitBtn2Click() {
    RgbImage picture;
    if (AskPicture(picture)) {
        // The new map is shown at once; its markers come with the next drawing.
        ShowPicture(picture);
    }
}

} // namespace zv
