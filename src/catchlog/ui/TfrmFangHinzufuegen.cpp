#include "catchlog/ui/TfrmFangHinzufuegen.h"

#include "base/DateTime.h"
#include "calendar/AstroDayTexts.h"
#include "catchlog/FieldViews.h"
#include "catchlog/LengthWeightEstimate.h"
#include "catchlog/ui/TfrmBilder.h"
#include "catchlog/ui/TfrmKarte.h"
#include "storage/ValueList.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/ModalShow.h"
#include "widgets/Prompts.h"
#include "widgets/QtDate.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimeEdit>
#include <QToolButton>

#include <cmath>
#include <system_error>

namespace zv {
namespace {

int TagOf(const QObject* object) {
    return object->property("Tag").toInt();
}

std::vector<std::string> ItemsOf(const QComboBox* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) {
        items.push_back(ToUtf8(box->itemText(i)));
    }
    return items;
}

void SetItems(QComboBox* box, const std::vector<std::string>& items) {
    const QString text = box->currentText();
    box->clear();
    for (const std::string& item : items) {
        box->addItem(ToQ(item));
    }
    box->setEditText(text);
}

// A drop-down list selects the item with that text, none without one.
void SelectItem(QComboBox* box, const std::string& text) {
    box->setCurrentIndex(box->findText(ToQ(text), Qt::MatchExactly));
}

constexpr int kLeftLabel = 10;
constexpr int kLeftControl = 168;
constexpr int kRightLabel = 336;
constexpr int kRightControl = 500;
constexpr int kRowStep = 26;

} // namespace

TfrmFangHinzufuegen::TfrmFangHinzufuegen(WindowHost& main, QWidget* parent)
    : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmFangHinzufuegen"));
    setWindowTitle(U8("Fang hinzufügen"));
    BuildControls();
    FormCreate();
}

QWidget* TfrmFangHinzufuegen::Tagged(QWidget* widget, int tag) {
    widget->setProperty("Tag", tag);
    return widget;
}

QLabel* TfrmFangHinzufuegen::AddLabel(const char* name, const char* text, int tag, int x, int y,
                                      int width) {
    auto* label = new QLabel(U8(text), this);
    label->setObjectName(U8(name));
    label->setGeometry(x, y + 3, width, 18);
    // Labels sit in fixed columns; a caption wider than its column (the GPS
    // formats) gets a smaller font instead of losing its end.
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > width && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    if (font != label->font()) {
        label->setFont(font);
    }
    Tagged(label, tag);
    return label;
}

QLabel* TfrmFangHinzufuegen::AddSection(const char* text, int y) {
    auto* bar = new QLabel(U8(text), this);
    bar->setGeometry(6, y, 648, 20);
    bar->setStyleSheet(
        QStringLiteral("background-color: #2f5d8a; color: white; font-weight: bold;"));
    Tagged(bar, 0);
    return bar;
}

QLineEdit* TfrmFangHinzufuegen::AddEdit(const char* name, int tag, int x, int y, int width) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(U8(name));
    edit->setGeometry(x, y, width, 22);
    Tagged(edit, tag);
    return edit;
}

QComboBox* TfrmFangHinzufuegen::AddCombo(const char* name, int tag, int x, int y, bool editable,
                                         int width) {
    auto* box = new QComboBox(this);
    box->setObjectName(U8(name));
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setGeometry(x, y, width, 22);
    Tagged(box, tag);
    return box;
}

QTimeEdit* TfrmFangHinzufuegen::AddTime(const char* name, int tag, int x, int y) {
    auto* time = new QTimeEdit(this);
    time->setObjectName(U8(name));
    // Hours and minutes show; the seconds preset by the opener are kept.
    time->setDisplayFormat(QStringLiteral("HH:mm"));
    time->setGeometry(x, y, 150, 22);
    Tagged(time, tag);
    return time;
}

void TfrmFangHinzufuegen::BuildControls() {
    auto* ansicht = AddLabel("Label30", "Ansicht:", 0, kLeftLabel, 8, 60);
    Q_UNUSED(ansicht);
    cb_ansicht = AddCombo("cb_ansicht", 0, 70, 8, false, 220);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("…"));
    SpeedButton1->setToolTip(U8("Felder verwalten"));
    SpeedButton1->setGeometry(295, 8, 26, 22);
    CheckBox1 = new QCheckBox(U8("nichts gefangen"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    QFont bold = CheckBox1->font();
    bold.setBold(true);
    CheckBox1->setFont(bold);
    CheckBox1->setGeometry(kRightControl, 8, 150, 22);

    int y = 40;
    AddSection(" Fang:", y);
    y += 26;
    AddLabel("Label1", "Datum: ", 0, kLeftLabel, y);
    dt_fangdatum = new QDateEdit(this);
    dt_fangdatum->setObjectName(QStringLiteral("dt_fangdatum"));
    dt_fangdatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    dt_fangdatum->setCalendarPopup(true);
    dt_fangdatum->setGeometry(kLeftControl, y, 150, 22);
    Tagged(dt_fangdatum, 0);
    auto* lFangzeit = AddLabel("Label2", "Fangzeit: ", 0, kRightLabel, y);
    dt_fangzeit = AddTime("dt_fangzeit", 0, kRightControl, y);
    y += kRowStep;
    auto* lFaenger = AddLabel("Label3", "Fänger: ", 0, kLeftLabel, y);
    cb_faenger = AddCombo("cb_faenger", 0, kLeftControl, y);
    auto* lFischart = AddLabel("Label4", "Fischart: ", 0, kRightLabel, y);
    cb_fischart = AddCombo("cb_fischart", 0, kRightControl, y);
    y += kRowStep;
    AddLabel("Label5", "Angelbeginn:", 22, kLeftLabel, y);
    dt_angelbeginn = AddTime("dt_angelbeginn", 22, kLeftControl, y);
    AddLabel("Label6", "Angelende:", 22, kRightLabel, y);
    dt_angelende = AddTime("dt_angelende", 22, kRightControl, y);
    y += kRowStep;
    AddLabel("Label7", "Länge (cm):", 1, kLeftLabel, y);
    ed_laenge = AddEdit("ed_laenge", 1, kLeftControl, y);
    ed_laenge->setToolTip(U8("Doppelklick um Länge zu berechnen"));
    AddLabel("Label8", "Gewicht (g):", 2, kRightLabel, y);
    ed_gewicht = AddEdit("ed_gewicht", 2, kRightControl, y);
    ed_gewicht->setToolTip(U8("Doppelklick um Gewicht zu berechnen"));

    y += 32;
    AddSection(" Köder / Fangmethode:", y);
    y += 26;
    auto* lMethode = AddLabel("Label9", "Fangmethode: ", 0, kLeftLabel, y);
    cb_fangmethode = AddCombo("cb_fangmethode", 0, kLeftControl, y);
    AddLabel("Label10", "Geschwindigkeit (km/h):", 3, kRightLabel, y, 160);
    ed_geschwindigkeit = AddEdit("ed_geschwindigkeit", 3, kRightControl, y);
    y += kRowStep;
    AddLabel("Label11", "Distanz (m):", 4, kLeftLabel, y);
    ed_distanz = AddEdit("ed_distanz", 4, kLeftControl, y);
    AddLabel("Label12", "Tiefe (m):", 5, kRightLabel, y);
    ed_tiefe = AddEdit("ed_tiefe", 5, kRightControl, y);
    y += kRowStep;
    auto* lKoeder = AddLabel("Label13", "Ködername: ", 0, kLeftLabel, y);
    cb_koeder = AddCombo("cb_koeder", 0, kLeftControl, y);
    AddLabel("Label14", "Ködertyp:", 19, kRightLabel, y);
    cb_koedertyp = AddCombo("cb_koedertyp", 19, kRightControl, y);
    y += kRowStep;
    AddLabel("Label17", "Farbe:", 6, kLeftLabel, y);
    cb_koederfarbe = AddCombo("cb_koederfarbe", 6, kLeftControl, y);
    AddLabel("Label18", "Länge (cm):", 7, kRightLabel, y);
    cb_koederlaenge = AddCombo("cb_koederlaenge", 7, kRightControl, y);
    y += kRowStep;
    AddLabel("Label19", "Verhalten:", 20, kLeftLabel, y);
    cb_verhalten = AddCombo("cb_verhalten", 20, kLeftControl, y, false);
    for (const char* behaviour : BaitBehaviours()) {
        cb_verhalten->addItem(U8(behaviour));
    }

    y += 32;
    AddSection(" Gewässer:", y);
    y += 26;
    AddLabel("Label20", "Gewässer: ", 0, kLeftLabel, y);
    cb_gewaesser = AddCombo("cb_gewaesser", 0, kLeftControl, y);
    AddLabel("Label21", "Stelle:", 8, kRightLabel, y);
    cb_stelle = AddCombo("cb_stelle", 8, kRightControl, y);
    y += kRowStep;
    Label15 = AddLabel("Label15", "GPS Lat(dd°mm.mmmmR):", 9, kLeftLabel, y, 156);
    ed_gpslat = AddEdit("ed_gpslat", 9, kLeftControl, y);
    Label16 = AddLabel("Label16", "GPS Long(dd*mm.mmmmR):", 10, kRightLabel, y, 162);
    ed_gpslong = AddEdit("ed_gpslong", 10, kRightControl, y);
    for (QLabel* gps : {Label15, Label16}) {
        gps->setCursor(Qt::PointingHandCursor);
        gps->installEventFilter(this);
    }
    y += kRowStep;
    BitBtn4 = new QPushButton(U8("Karte"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setGeometry(kLeftControl, y, 150, 24);
    Tagged(BitBtn4, kMapButtonTag);

    y += 34;
    AddSection(" Wetter / Wasser:", y);
    y += 26;
    AddLabel("Label23", "Wetter:", 11, kLeftLabel, y);
    cb_Wetter = AddCombo("cb_Wetter", 11, kLeftControl, y);
    AddLabel("Label24", "Luftdruck (hPa):", 14, kRightLabel, y);
    ed_luftdruck = AddEdit("ed_luftdruck", 14, kRightControl, y);
    y += kRowStep;
    AddLabel("Label25", "Lufttemperatur (°C):", 12, kLeftLabel, y);
    ed_lufttemp = AddEdit("ed_lufttemp", 12, kLeftControl, y);
    AddLabel("Label26", "Wassertemperatur (°C):", 13, kRightLabel, y, 160);
    ed_wassertemp = AddEdit("ed_wassertemp", 13, kRightControl, y);
    y += kRowStep;
    AddLabel("Label27", "Windrichtung:", 15, kLeftLabel, y);
    cb_windrichtung = AddCombo("cb_windrichtung", 15, kLeftControl, y);
    Label22 = AddLabel("Label22", "Windstärke:", 16, kRightLabel, y);
    Label22->setCursor(Qt::PointingHandCursor);
    Label22->installEventFilter(this);
    cb_windstaerke = AddCombo("cb_windstaerke", 16, kRightControl, y, false);
    for (const char* name : WindScale()) {
        cb_windstaerke->addItem(U8(name));
    }
    y += kRowStep;
    AddLabel("Label28", "Wasserstand:", 17, kLeftLabel, y);
    cb_wasserstand = AddCombo("cb_wasserstand", 17, kLeftControl, y);
    AddLabel("Label29", "Wassertrübung:", 18, kRightLabel, y);
    cb_wassertruebung = AddCombo("cb_wassertruebung", 18, kRightControl, y);

    y += 32;
    AddSection(" Sonstiges:", y);
    y += 26;
    AddLabel("Label31", "Kommentar", 0, kLeftLabel, y);
    ed_kommentar = AddEdit("ed_kommentar", 0, kLeftControl, y, 480);
    y += kRowStep + 2;
    BitBtn1 = new QPushButton(U8("Bilder"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(kLeftControl, y, 150, 24);
    cbox_zurueckgesetzt = new QCheckBox(U8("Fisch zurückgesetzt"), this);
    cbox_zurueckgesetzt->setObjectName(QStringLiteral("cbox_zurueckgesetzt"));
    cbox_zurueckgesetzt->setGeometry(kRightControl, y, 150, 24);
    ed_karte = AddEdit("ed_karte", 0, 10, y, 40);
    ed_karte->hide();
    ed_bilder = AddEdit("ed_bilder", 0, 60, y, 40);
    ed_bilder->hide();

    y += 40;
    BitBtn2 = new QPushButton(U8(kAddCaption), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(kLeftControl, y, 150, 28);
    BitBtn2->setDefault(true);
    BitBtn3 = new QPushButton(U8("Abbrechen"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(kRightControl, y, 150, 28);
    setFixedSize(660, y + 40);

    catchControls_ = {cb_fischart, cb_faenger, dt_fangzeit, cb_fangmethode, cb_koeder,
                      lFischart,   lFaenger,   lFangzeit,   lMethode,       lKoeder};
    for (QLineEdit* edit : {ed_laenge, ed_gewicht}) {
        edit->installEventFilter(this);
    }

    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
    ConnectGuarded(BitBtn3, &QPushButton::clicked, this, [this](bool) { BitBtn3Click(); });
    ConnectGuarded(BitBtn4, &QPushButton::clicked, this, [this](bool) { BitBtn4Click(); });
    ConnectGuarded(CheckBox1, &QCheckBox::clicked, this, [this](bool) { CheckBox1Click(); });
    ConnectGuarded(cb_ansicht, &QComboBox::activated, this, [this](int) { cb_ansichtChange(); });
    ConnectGuarded(SpeedButton1, &QToolButton::clicked, this,
                   [this](bool) { SpeedButton1Click(); });
    ConnectGuarded(dt_fangdatum, &QDateEdit::dateChanged, this,
                   [this](QDate) { dt_fangdatumChange(); });
    for (QTimeEdit* time : {dt_angelbeginn, dt_angelende}) {
        ConnectGuarded(time, &QTimeEdit::timeChanged, this,
                       [this](QTime) { dt_fangdatumChange(); });
    }
}

bool TfrmFangHinzufuegen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == ed_laenge) {
            Guarded([this] { ed_laengeDblClick(); });
            return true;
        }
        if (watched == ed_gewicht) {
            Guarded([this] { ed_gewichtDblClick(); });
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label15 || watched == Label16) {
            Guarded([this] { Label15Click(); });
            return true;
        }
        if (watched == Label22) {
            Guarded([this] { Label22Click(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmFangHinzufuegen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmFangHinzufuegen::FormCreate() {
    std::string error;
    if (!WriteDefaultConditionFactors(main_.GetWorkspace().ProgramFolder(), error)) {
        CurrentPrompts().Error(ToQ(error));
    }
}

void TfrmFangHinzufuegen::EmptyBoxes() {
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        edit->clear();
    }
    for (QComboBox* box : findChildren<QComboBox*>()) {
        if (box == cb_ansicht) {
            continue; // the view selector is filled by LoadViews
        }
        if (box->isEditable()) {
            box->setEditText(QString());
        } else {
            box->setCurrentIndex(-1);
        }
    }
}

void TfrmFangHinzufuegen::OpenForAdd() {
    const TDateTime now = CurrentClock().Now();
    dt_fangdatum->setDate(ToQDate(now));
    for (QTimeEdit* time : {dt_angelbeginn, dt_angelende, dt_fangzeit}) {
        time->setTime(ToQTime(now));
    }
    EmptyBoxes();
    // "nichts gefangen" stays as it was left; a new catch is not released
    // until the angler says so.
    cbox_zurueckgesetzt->setChecked(false);
    CheckBox1->show();
    editRow_ = 0;
    setWindowTitle(U8("Fang hinzufügen"));
    BitBtn2->setText(U8(kAddCaption));
    ShowModal(*this);
}

bool TfrmFangHinzufuegen::OpenForEdit(int row) {
    if (row <= 0) {
        return false;
    }
    EmptyBoxes();
    CheckBox1->hide();
    CheckBox1->setChecked(false);
    nothingCaught_ = false;
    TMlbc& db = main_.GetWorkspace().DB();
    if (!db.GoToRow(row)) {
        return false;
    }
    const EditableCatch loaded = LoadCatchForEdit(db);
    if (!loaded.ok()) {
        CurrentPrompts().Error(ToQ(loaded.error));
        return false;
    }
    FillFrom(loaded);
    editRow_ = row;
    setWindowTitle(U8("Fang bearbeiten"));
    BitBtn2->setText(U8(kEditCaption));
    ShowModal(*this);
    return true;
}

void TfrmFangHinzufuegen::FillFrom(const EditableCatch& loaded) {
    const CatchEntry& e = loaded.entry;
    dt_fangdatum->setDate(ToQDate(e.fangdatum));
    dt_fangzeit->setTime(ToQTime(e.fangzeit));
    if (loaded.hasAngelbeginn) {
        dt_angelbeginn->setTime(ToQTime(e.angelbeginn));
    }
    if (loaded.hasAngelende) {
        dt_angelende->setTime(ToQTime(e.angelende));
    }
    cb_faenger->setEditText(ToQ(e.faenger));
    cb_fischart->setEditText(ToQ(e.fischart));
    ed_laenge->setText(ToQ(e.laenge));
    ed_gewicht->setText(ToQ(e.gewicht));
    cb_fangmethode->setEditText(ToQ(e.fangmethode));
    ed_geschwindigkeit->setText(ToQ(e.geschwindigkeit));
    ed_distanz->setText(ToQ(e.distanz));
    ed_tiefe->setText(ToQ(e.tiefe));
    cb_koeder->setEditText(ToQ(e.koeder));
    cb_koederfarbe->setEditText(ToQ(e.koederFarbe));
    cb_koederlaenge->setEditText(ToQ(e.koederLaenge));
    cb_koedertyp->setEditText(ToQ(e.koedertyp));
    SelectItem(cb_verhalten, e.koederverhalten);
    cb_gewaesser->setEditText(ToQ(e.gewaesser));
    cb_stelle->setEditText(ToQ(e.stelle));
    ed_gpslat->setText(ToQ(e.gpsLat));
    ed_gpslong->setText(ToQ(e.gpsLong));
    ed_karte->setText(ToQ(e.kartenpos));
    cb_Wetter->setEditText(ToQ(e.wetter));
    ed_lufttemp->setText(ToQ(e.lufttemp));
    ed_wassertemp->setText(ToQ(e.wassertemp));
    ed_luftdruck->setText(ToQ(e.luftdruck));
    cb_windrichtung->setEditText(ToQ(e.windrichtung));
    SelectItem(cb_windstaerke, e.windstaerke);
    cb_wasserstand->setEditText(ToQ(e.wasserstand));
    cb_wassertruebung->setEditText(ToQ(e.wassertruebung));
    ed_bilder->setText(ToQ(e.bilder));
    ed_kommentar->setText(ToQ(e.kommentar));
    cbox_zurueckgesetzt->setChecked(e.zurueckgesetzt);
}

QComboBox* TfrmFangHinzufuegen::ComboOfList(const std::string& name) const {
    const std::pair<const char*, QComboBox*> boxes[] = {{"Fischarten", cb_fischart},
                                                        {"Faenger", cb_faenger},
                                                        {"Koeder", cb_koeder},
                                                        {"Gewaesser", cb_gewaesser},
                                                        {"Stelle", cb_stelle},
                                                        {"Wetter", cb_Wetter},
                                                        {"Fangmethode", cb_fangmethode},
                                                        {"Wasserstand", cb_wasserstand},
                                                        {"Wassertruebung", cb_wassertruebung},
                                                        {"Windrichtung", cb_windrichtung},
                                                        {"Koederfarbe", cb_koederfarbe},
                                                        {"Koedertyp", cb_koedertyp},
                                                        {"Koederlaenge", cb_koederlaenge},
                                                        {"Windstaerke", cb_windstaerke}};
    for (const auto& [list, box] : boxes) {
        if (name == list) {
            return box;
        }
    }
    return nullptr;
}

void TfrmFangHinzufuegen::FormShow() {
    const std::filesystem::path folder = main_.GetWorkspace().ProgramFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder / "DATs", ec);

    // Keep the texts the opener set while the item lists are replaced.
    std::vector<std::pair<QComboBox*, QString>> texts;
    for (QComboBox* box : findChildren<QComboBox*>()) {
        if (box->isEditable()) {
            texts.emplace_back(box, box->currentText());
        }
    }
    for (QComboBox* box : {cb_faenger, cb_koeder, cb_gewaesser, cb_stelle, cb_Wetter, cb_fischart,
                           cb_koedertyp, cb_koederlaenge, cb_koederfarbe}) {
        box->clear();
    }
    // Lists without a file keep what they had (fishing method, water level,
    // turbidity and wind direction were not emptied above).
    for (const char* list : {"Fischarten", "Faenger", "Koeder", "Gewaesser", "Stelle", "Wetter",
                             "Fangmethode", "Wasserstand", "Wassertruebung", "Windrichtung",
                             "Koederfarbe", "Koedertyp", "Koederlaenge"}) {
        if (std::filesystem::is_regular_file(ValueListPath(folder, list), ec)) {
            SetItems(ComboOfList(list), ReadValueList(folder, list));
        }
    }
    for (const auto& [box, text] : texts) {
        box->setEditText(text);
    }
    // A long value shows its beginning, not its end.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (edit->parentWidget() == this || qobject_cast<QComboBox*>(edit->parentWidget())) {
            edit->setCursorPosition(0);
        }
    }
    LoadViews();
    src_.SetDay(DateValue(dt_fangdatum->date()));
    // Every opening starts at the first field, not on the button that
    // closed the window the last time.
    dt_fangdatum->setFocus();
}

void TfrmFangHinzufuegen::LoadViews() {
    const ViewList list = LoadViewList(main_.GetWorkspace().Settings());
    cb_ansicht->clear();
    for (const std::string& name : list.names) {
        cb_ansicht->addItem(ToQ(name));
    }
    cb_ansicht->setCurrentIndex(list.selected);
    ApplyView();
}

void TfrmFangHinzufuegen::ApplyView() {
    const int index = cb_ansicht->currentIndex();
    std::string value;
    if (index >= kBuiltInViewCount) {
        value = main_.GetWorkspace().Settings().ReadString(kViewSection,
                                                           ToUtf8(cb_ansicht->currentText()));
    }
    const ViewVisibility view = VisibilityForView(index < 0 ? 0 : index, value, nothingCaught_);
    for (QWidget* widget : findChildren<QWidget*>()) {
        const bool kind = qobject_cast<QLineEdit*>(widget) || qobject_cast<QLabel*>(widget) ||
                          qobject_cast<QComboBox*>(widget) || qobject_cast<QDateTimeEdit*>(widget);
        if (kind && widget->parentWidget() == this) {
            widget->setVisible(view.IsTagVisible(TagOf(widget)));
        }
    }
    BitBtn4->setVisible(view.mapButton);
    ed_karte->hide();
    ed_bilder->hide();
    if (!view.catchControls) {
        for (QWidget* widget : catchControls_) {
            widget->hide();
        }
    }
}

void TfrmFangHinzufuegen::CheckBox1Click() {
    nothingCaught_ = CheckBox1->isChecked();
    ApplyView();
}

void TfrmFangHinzufuegen::cb_ansichtChange() {
    ApplyView();
}

void TfrmFangHinzufuegen::SpeedButton1Click() {
    main_.OpenForm(QStringLiteral("TfrmFelderverwalten"));
}

void TfrmFangHinzufuegen::BitBtn1Click() {
    if (auto* pictures = main_.Forms().Get<TfrmBilder>(QStringLiteral("TfrmBilder"))) {
        pictures->SetPictureField(ed_bilder);
        ShowModal(*pictures);
    }
}

void TfrmFangHinzufuegen::BitBtn4Click() {
    if (cb_gewaesser->currentText().isEmpty()) {
        CurrentPrompts().Message(U8("Bitte Gewässer auswählen!"));
        return;
    }
    if (auto* map = main_.Forms().Get<TfrmKarte>(QStringLiteral("TfrmKarte"))) {
        map->OpenForPlacing(cb_gewaesser->currentText(), ed_karte);
    }
}

void TfrmFangHinzufuegen::BitBtn3Click() {
    reject();
}

void TfrmFangHinzufuegen::dt_fangdatumChange() {
    src_.SetDay(DateValue(dt_fangdatum->date()));
}

void TfrmFangHinzufuegen::ed_gewichtDblClick() {
    if (ed_laenge->text().isEmpty() || cb_fischart->currentText().isEmpty()) {
        CurrentPrompts().Message(U8(kNeedLengthMessage));
        return;
    }
    const EstimateResult result =
        EstimateWeight(main_.GetWorkspace().ProgramFolder(), ToUtf8(cb_fischart->currentText()),
                       ToUtf8(ed_laenge->text()));
    if (result.value) {
        ed_gewicht->setText(ToQ(*result.value));
    } else {
        CurrentPrompts().Message(ToQ(result.message));
    }
}

void TfrmFangHinzufuegen::ed_laengeDblClick() {
    if (ed_gewicht->text().isEmpty() || cb_fischart->currentText().isEmpty()) {
        CurrentPrompts().Message(U8(kNeedWeightMessage));
        return;
    }
    const EstimateResult result =
        EstimateLength(main_.GetWorkspace().ProgramFolder(), ToUtf8(cb_fischart->currentText()),
                       ToUtf8(ed_gewicht->text()));
    if (result.value) {
        ed_laenge->setText(ToQ(*result.value));
    } else {
        CurrentPrompts().Message(ToQ(result.message));
    }
}

void TfrmFangHinzufuegen::Label15Click() {
    CurrentPrompts().Information(ToQ(GpsHelpText()));
}

void TfrmFangHinzufuegen::Label22Click() {
    CurrentPrompts().Message(ToQ(WindScaleHelpText()));
}

CatchEntry TfrmFangHinzufuegen::ReadEntry() const {
    CatchEntry e;
    e.fangdatum = DateValue(dt_fangdatum->date());
    e.fangzeit = TimeValue(dt_fangzeit->time());
    e.angelbeginn = TimeValue(dt_angelbeginn->time());
    e.angelende = TimeValue(dt_angelende->time());
    e.faenger = ToUtf8(cb_faenger->currentText());
    e.fischart = ToUtf8(cb_fischart->currentText());
    e.laenge = ToUtf8(ed_laenge->text());
    e.gewicht = ToUtf8(ed_gewicht->text());
    e.fangmethode = ToUtf8(cb_fangmethode->currentText());
    e.geschwindigkeit = ToUtf8(ed_geschwindigkeit->text());
    e.distanz = ToUtf8(ed_distanz->text());
    e.tiefe = ToUtf8(ed_tiefe->text());
    e.koeder = ToUtf8(cb_koeder->currentText());
    e.koederFarbe = ToUtf8(cb_koederfarbe->currentText());
    e.koederLaenge = ToUtf8(cb_koederlaenge->currentText());
    e.koedertyp = ToUtf8(cb_koedertyp->currentText());
    e.koederverhalten = ToUtf8(cb_verhalten->currentText());
    e.gewaesser = ToUtf8(cb_gewaesser->currentText());
    e.stelle = ToUtf8(cb_stelle->currentText());
    e.gpsLat = ToUtf8(ed_gpslat->text());
    e.gpsLong = ToUtf8(ed_gpslong->text());
    e.kartenpos = ToUtf8(ed_karte->text());
    e.wetter = ToUtf8(cb_Wetter->currentText());
    e.lufttemp = ToUtf8(ed_lufttemp->text());
    e.wassertemp = ToUtf8(ed_wassertemp->text());
    e.luftdruck = ToUtf8(ed_luftdruck->text());
    e.windrichtung = ToUtf8(cb_windrichtung->currentText());
    e.windstaerke = ToUtf8(cb_windstaerke->currentText());
    e.wasserstand = ToUtf8(cb_wasserstand->currentText());
    e.wassertruebung = ToUtf8(cb_wassertruebung->currentText());
    e.bilder = ToUtf8(ed_bilder->text());
    e.kommentar = ToUtf8(ed_kommentar->text());
    e.zurueckgesetzt = cbox_zurueckgesetzt->isChecked();
    return e;
}

std::vector<ValueListEdit>
TfrmFangHinzufuegen::ListEdits(const std::vector<std::string>& names,
                               std::vector<std::vector<std::string>>& items) {
    items.assign(names.size(), {});
    std::vector<ValueListEdit> edits;
    for (std::size_t i = 0; i < names.size(); ++i) {
        QComboBox* box = ComboOfList(names[i]);
        items[i] = ItemsOf(box);
        edits.push_back({names[i], &items[i], ToUtf8(box->currentText())});
    }
    return edits;
}

void TfrmFangHinzufuegen::BitBtn2Click() {
    Workspace& workspace = main_.GetWorkspace();
    std::error_code ec;
    std::filesystem::create_directories(workspace.ProgramFolder() / "DATs", ec);

    const CatchEntry entry = ReadEntry();
    const AstroDayTexts astro = DayTexts(src_);
    std::vector<std::vector<std::string>> items;
    std::vector<std::string> names = nothingCaught_ ? FishingDayValueLists() : CatchValueLists();
    std::vector<ValueListEdit> edits = ListEdits(names, items);

    StoreOutcome outcome;
    if (nothingCaught_) {
        outcome = StoreFishingDay(workspace, BuildFishingDayCells(entry, astro), edits);
    } else {
        const bool add = BitBtn2->text() == U8(kAddCaption);
        outcome = StoreCatch(workspace, add ? EntryMode::Add : EntryMode::Edit, editRow_,
                             BuildCatchCells(entry, astro), edits);
    }
    if (!outcome.databaseMessage.empty()) {
        CurrentPrompts().Information(ToQ(outcome.databaseMessage));
    }
    if (outcome.row == 0) {
        // Nothing was stored: the window stays open for a correction.
        CurrentPrompts().Error(ToQ(outcome.error));
        return;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] != "Windstaerke") {
            SetItems(ComboOfList(names[i]), items[i]);
        }
    }
    for (const std::string& warning : outcome.warnings) {
        CurrentPrompts().Warning(ToQ(warning));
    }
    if (!outcome.ok) {
        CurrentPrompts().Error(ToQ(outcome.error));
    }
    if (!nothingCaught_) {
        main_.ShowCatchList();
        if (!workspace.Settings().WriteString(kLastViewSection, kLastViewKey,
                                              ToUtf8(cb_ansicht->currentText()))) {
            CurrentPrompts().Warning(ToQ(workspace.Settings().LastError()));
        }
    }
    main_.FillAnglerLists();
    accept();
}

} // namespace zv
