// Every window of the program opened the way the angler opens it, over a
// program folder that holds the longest values an angler types: no caption
// is cut off, nothing is drawn over something else, and Enter in an input
// presses no button but the window's default.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "calendar/ui/TfrmKalender.h"
#include "storage/IniFile.h"
#include "widgets/QtPrompts.h"
#include "widgets/QtText.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOption>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeView>

#include <functional>

namespace zv::test {
namespace {

// The longest values an angler types into each field.
const CatchRow kLongCatch = {
    {"Fangdatum", "09.08.2007"}, // a Donnerstag, the longest weekday
    {"Fangzeit", "18:47:00"},
    {"Angelbeginn", "05:30:00"},
    {"Angelende", "22:45:00"},
    {"Faenger", "Jürgen Weißenbach-Schönfeld"},
    {"Fischart", "Regenbogenforelle (Steelhead)"},
    {"Laenge", "112,5"},
    {"Gewicht", "41150,5"},
    {"Fangmethode", "Spinnfischen mit Dropshot-Montage"},
    {"Distanz", "120"},
    {"Tiefe", "12,5"},
    {"Koeder", "Gummifisch Kopyto River Shad"},
    {"KoederFarbe", "Motoröl-Chartreuse-Glitter"},
    {"KoederLaenge", "12,5"},
    {"Koedertyp", "Kunstköder (Weichplastik)"},
    {"Koederverhalten", "schwimmend"},
    {"Gewaesser", "Talsperre Großkrotzenburg-Süd"},
    {"Stelle", "Buhnenfeld unterhalb der Schleuse"},
    {"Kartenpos", "120,80"},
    {"Wetter", "stark bewölkt mit Nieselregen"},
    {"Lufttemp", "-12,5"},
    {"Wassertemp", "18,5"},
    {"Luftdruck", "1013,25"},
    {"Windrichtung", "Nordnordwest"},
    {"Windstaerke", "Orkanartiger Sturm"},
    {"Wasserstand", "deutlich über Normal"},
    {"Wassertruebung", "stark getrübt (Schmelzwasser)"},
    {"Bilder", "0908200718470012_0.jpg"},
    {"Kommentar", "Nach langem Drill an der Buhnenkante gelandet, schonend zurückgesetzt"},
    {"Mondphase", "Zunehmender Mond"},
    {"zurueckgesetzt", "-1"},
};

const char* const kLongShop = "Angelsport Müller GmbH & Co. KG";
const char* const kLongArticle = "Teleskoprute Carbon 3,60 m Wurfgewicht 40-80 g";
const char* const kLongView = "Nur Wetter und Gewässer (Sommer)";
constexpr int kArticles = 15; // more than the cost entry's list shows at once

std::string Field(const char* name) {
    return kLongCatch.at(name);
}

// A button or label as named in a finding.
QString Name(const QWidget* widget) {
    if (!widget->objectName().isEmpty()) {
        return widget->objectName();
    }
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        text = label->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        text = button->text();
    }
    return QString::fromLatin1(widget->metaObject()->className()) + " '" + text + "'";
}

// The text a button shows: "&&" is an ampersand, "&" marks the shortcut key.
QString ShownText(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

bool PlainTextFits(const QFont& font, const QString& text, const QRect& box, bool wrap) {
    const QFontMetrics metrics(font);
    if (wrap) {
        const QRect needed = metrics.boundingRect(box, Qt::TextWordWrap, text);
        return needed.width() <= box.width() && needed.height() <= box.height();
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    const int height = int(lines.size() - 1) * metrics.lineSpacing() + metrics.height();
    return widest <= box.width() && height <= box.height();
}

bool LabelFits(const QLabel& label) {
    QRect box = label.contentsRect();
    box.adjust(label.margin(), label.margin(), -label.margin(), -label.margin());
    if (label.indent() < 0 && label.frameWidth() > 0) {
        box.adjust(0, 0, -QFontMetrics(label.font()).horizontalAdvance(QLatin1Char('x')) / 2, 0);
    }
    return PlainTextFits(label.font(), label.text(), box, label.wordWrap());
}

// Room the title bar needs besides the caption: the window's icon and its
// buttons.
constexpr int kTitleBarRoom = 130;

// What is cut off or drawn smaller than the program's smallest type in the
// widgets of `window` that show now.
void TextFaults(QWidget& window, QStringList& faults) {
    auto cut = [&](const QWidget* widget, const QString& what) {
        faults << Name(widget) + ": " + what + " cut off";
    };
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(&window) || widget->window() != &window) {
            continue;
        }
        const QFontMetrics metrics(widget->font());
        const bool showsText =
            qobject_cast<QLabel*>(widget) != nullptr || qobject_cast<QAbstractButton*>(widget);
        if (showsText && widget->font().pointSizeF() > 0 && widget->font().pointSizeF() < 8) {
            faults << Name(widget) +
                          QStringLiteral(": text at %1 pt").arg(widget->font().pointSizeF());
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (!label->text().isEmpty() && label->pixmap().isNull() && !LabelFits(*label)) {
                cut(label, "'" + label->text() + "'");
            }
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            option.icon = button->icon();
            option.iconSize = button->iconSize();
            const QRect box =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            if (metrics.horizontalAdvance(ShownText(button->text())) + icon > box.width()) {
                cut(button, "'" + button->text() + "'");
            }
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(check);
            option.text = check->text();
            const QRect box =
                check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check);
            if (metrics.horizontalAdvance(ShownText(check->text())) > box.width()) {
                cut(check, "'" + check->text() + "'");
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            if (combo->isEditable() || combo->currentText().isEmpty()) {
                continue;
            }
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.currentText = combo->currentText();
            const QRect box = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                             QStyle::SC_ComboBoxEditField, combo);
            // The chosen entry may be shortened when the hint shows it whole.
            const bool hinted = combo->toolTip() == combo->currentText();
            if (metrics.horizontalAdvance(combo->currentText()) + 2 > box.width() && !hinted) {
                cut(combo, "'" + combo->currentText() + "'");
            }
        } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
            if (header->orientation() != Qt::Horizontal) {
                continue;
            }
            const int margin =
                header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            for (int section = 0; section < header->count(); ++section) {
                const QString text =
                    header->model()->headerData(section, Qt::Horizontal).toString();
                if (header->isSectionHidden(section) || header->sectionSize(section) == 0 ||
                    text.isEmpty()) {
                    continue;
                }
                const int right =
                    header->sectionViewportPosition(section) + header->sectionSize(section);
                if (metrics.horizontalAdvance(text) + 2 * margin > header->sectionSize(section) ||
                    right > header->viewport()->width()) {
                    cut(header->parentWidget(), "column header '" + text + "'");
                }
            }
        } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
            // Rows wider than a list without a scroll bar to bring them back.
            const QScrollBar* sideways = view->horizontalScrollBar();
            if (view->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff &&
                (sideways->maximum() > 0 || sideways->value() > 0)) {
                cut(view, "rows beyond reach, their text");
            }
        }
    }
    if (QFontMetrics(window.font()).horizontalAdvance(window.windowTitle()) + kTitleBarRoom >
        window.width()) {
        cut(&window, "title '" + window.windowTitle() + "'");
    }
}

// Containers whose children the window places; other widgets' children
// are their own parts (a list's scroll bars, a combo box's button).
bool PlacesChildren(const QWidget* widget) {
    const QByteArray kind = widget->metaObject()->className();
    return widget->isWindow() || kind == "QWidget" || kind == "QFrame" ||
           kind == "QStackedWidget" || qobject_cast<const QTabWidget*>(widget) != nullptr;
}

using Overlaps = std::vector<std::pair<QString, QString>>;

// Visible siblings that cover each other, unless listed in `intended`.
void OverlapFaults(QWidget& parent, const Overlaps& intended, QStringList& faults) {
    std::vector<QWidget*> shown;
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow() && widget->isVisible()) {
            shown.push_back(widget);
        }
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            if (!shown[i]->geometry().intersects(shown[j]->geometry())) {
                continue;
            }
            const std::pair<QString, QString> pair{Name(shown[i]), Name(shown[j])};
            const std::pair<QString, QString> swapped{pair.second, pair.first};
            if (std::find(intended.begin(), intended.end(), pair) == intended.end() &&
                std::find(intended.begin(), intended.end(), swapped) == intended.end()) {
                faults << pair.first + " overlaps " + pair.second;
            }
        }
    }
    for (QWidget* widget : shown) {
        if (PlacesChildren(widget)) {
            OverlapFaults(*widget, intended, faults);
        }
    }
}

// Everything cut off or covered in the window, every page of its tabs, one
// line each.
std::string LayoutFaults(QWidget& window, const Overlaps& intended) {
    QStringList faults;
    auto inspect = [&] {
        // Painted as the angler sees it: lists lay out their rows and show
        // their scroll bars only when they are drawn.
        for (int pass = 0; pass < 2; ++pass) {
            window.grab();
            QApplication::processEvents();
        }
        TextFaults(window, faults);
        OverlapFaults(window, intended, faults);
    };
    inspect();
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        if (tabs->window() != &window) {
            continue;
        }
        const int shown = tabs->currentIndex();
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            inspect();
        }
        tabs->setCurrentIndex(shown);
    }
    faults.removeDuplicates();
    return faults.join(QLatin1Char('\n')).toStdString();
}

// Shows the longest entry of every drop-down list, as an angler may choose it.
void ChooseLongestEntries(QWidget& window) {
    for (QComboBox* combo : window.findChildren<QComboBox*>()) {
        if (combo->isEditable() || combo->count() == 0) {
            continue;
        }
        int longest = 0;
        for (int i = 1; i < combo->count(); ++i) {
            if (combo->itemText(i).size() > combo->itemText(longest).size()) {
                longest = i;
            }
        }
        combo->setCurrentIndex(longest);
    }
}

void PressEnter(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// One window: how the angler gets to it, what the angler does in it before
// looking, which button Enter presses, and which of its parts the window
// lays over each other on purpose.
struct WindowCase {
    QString window; // object name; "frmMain" is the main window itself
    std::function<void()> open;
    std::function<void(QWidget&)> use;
    QString defaultButton;
    Overlaps overlaps;
};

class EveryWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        SetCurrentClock(&clock_);
        WriteLongValues();
        Start();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        SetCurrentClock(nullptr);
    }

    void WriteLongValues() {
        const std::filesystem::path folder = Folder();
        CatchRow other = {{"Fangdatum", "12.05.2008"}, {"Fangzeit", "06:15:00"},
                          {"Faenger", "Eva Brandt"},   {"Fischart", "Hecht"},
                          {"Gewicht", "2100"},         {"Gewaesser", "Rhein"}};
        WriteCatchDatabase(folder / "Fang.f", {other, kLongCatch});
        WriteCalendarDatabase(folder / "Kalender.cal",
                              {{{"Datum", "10.08.2007"}, {"Gewaesser", Field("Gewaesser")}}});
        std::vector<std::map<std::string, std::string>> costs;
        for (int i = 1; i <= kArticles; ++i) {
            costs.push_back({{"Kaufdatum", "14.03.2008"},
                             {"Geschaeft", kLongShop},
                             {"Artikel", kLongArticle},
                             {"Menge", "12"},
                             {"Einzelpreis", "1234,56"},
                             {"Gesamtpreis", "14814,72"},
                             {"Versandkosten", i == 1 ? "12,90" : ""}});
        }
        WriteCostDatabase(folder / "Kosten.a", costs);
        WriteJpeg(folder / "img" / Field("Bilder"), 320, 240, 40, 120, 60);
        WriteJpeg(folder / "karte_see.jpg", 400, 300, 200, 220, 240);
        const std::pair<const char*, const char*> lists[] = {{"Faenger", "Faenger"},
                                                             {"Fischarten", "Fischart"},
                                                             {"Koeder", "Koeder"},
                                                             {"Gewaesser", "Gewaesser"},
                                                             {"Stelle", "Stelle"},
                                                             {"Wetter", "Wetter"},
                                                             {"Fangmethode", "Fangmethode"},
                                                             {"Wasserstand", "Wasserstand"},
                                                             {"Wassertruebung", "Wassertruebung"},
                                                             {"Windrichtung", "Windrichtung"},
                                                             {"Koederfarbe", "KoederFarbe"},
                                                             {"Koedertyp", "Koedertyp"},
                                                             {"Koederlaenge", "KoederLaenge"}};
        for (const auto& [list, field] : lists) {
            WriteTextFile(folder / "DATs" / (std::string(list) + ".dat"),
                          {Field(field), other.count(field) ? other.at(field) : "Aal"});
        }
        IniFile ini(folder / "Zelvorin.ini");
        ini.WriteString("Datenbank", "Zelvorin", PathToUtf8(folder / "Fang.f"));
        ini.WriteString("Datenbank", "Angelkosten", PathToUtf8(folder / "Kosten.a"));
        ini.WriteString("Datenbank", "Kalender", PathToUtf8(folder / "Kalender.cal"));
        ini.WriteString("Karte", Field("Gewaesser"), PathToUtf8(folder / "karte_see.jpg"));
        ini.WriteString("KarteFarbe", Field("Fischart"), "#3A7FC0");
        ini.WriteString("Felder", kLongView, ",8,11,12,13");
    }

    TfrmMain& Main() { return *main_; }
    void Trigger(const char* action) { main_->findChild<QAction*>(action)->trigger(); }
    // The long catch selected in the main window's list.
    void SelectLongCatch() {
        main_->findChild<QComboBox*>("cb_faenger")->setCurrentIndex(0); // "- Alle -"
        main_->ShowCatchList();
        for (int row = 0; row < 2; ++row) {
            main_->SelectListRow(row);
            if (main_->SelectedCatchId() == 2) {
                return;
            }
        }
        FAIL() << "the long catch is not listed";
    }
    // When the window `parent` shows, `step` opens the next window from it.
    void Through(const char* parent, std::function<void(QDialog&)> step) {
        modal_.On(QString::fromUtf8(parent), std::move(step));
        stepped_ << QString::fromUtf8(parent);
    }
    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    std::vector<WindowCase> Cases();

    // Opens the case's window and runs `look` on it while it shows.
    void WithWindow(const WindowCase& c, const std::function<void(QWidget&)>& look) {
        bool shown = false;
        auto run = [&](QWidget& window) {
            if (c.use) {
                c.use(window);
            }
            look(window);
            shown = true;
        };
        if (c.window == "frmMain") {
            c.open();
            run(Main());
        } else {
            modal_.On(c.window, [&](QDialog& dialog) { run(dialog); });
            c.open();
        }
        EXPECT_TRUE(shown);
        // Windows shown later are left as they open.
        for (const QString& name : stepped_ + QStringList{c.window}) {
            modal_.On(name, [](QDialog&) {});
        }
        stepped_.clear();
    }
    const WindowCase& Case(const QString& window) {
        cases_ = Cases();
        for (const WindowCase& c : cases_) {
            if (c.window == window) {
                return c;
            }
        }
        throw std::runtime_error("no window " + window.toStdString());
    }

    QStringList stepped_;
    std::vector<WindowCase> cases_;
    FixedClock clock_{EncodeDate(2008, 6, 20) + EncodeTime(10, 0, 0)};
};

std::vector<WindowCase> EveryWindowTest::Cases() {
    auto opener = [this](const char* action) { return [this, action] { Trigger(action); }; };
    auto searchFor = [](const char* term) {
        return [term](QWidget& window) {
            Child<QLineEdit>(window, "Edit1")->setText(U8(term));
            Child<QPushButton>(window, "BitBtn1")->click();
        };
    };
    auto catchEntry = [this] {
        SelectLongCatch();
        Trigger("Bearbeiten1");
    };
    return {
        {"frmMain", [this] { SelectLongCatch(); }, ChooseLongestEntries, {}, {}},
        {"frmDatenbank", opener("Datenbankauswhlen1"), {}, "Speichern", {}},
        {"frmFangHinzufuegen", catchEntry, {}, "BitBtn2", {}},
        {"frmFelderverwalten",
         [=, this] {
             Through("frmFangHinzufuegen",
                     [](QDialog& entry) { Child<QToolButton>(entry, "SpeedButton1")->click(); });
             catchEntry();
         },
         {},
         {},
         {}},
        {"frmBilder",
         [=, this] {
             Through("frmFangHinzufuegen",
                     [](QDialog& entry) { Child<QPushButton>(entry, "BitBtn1")->click(); });
             catchEntry();
         },
         {},
         {},
         {}},
        {"frmDetails",
         [this] {
             SelectLongCatch();
             Trigger("Details1");
         },
         {},
         {},
         {}},
        {"frmAKuebersicht",
         opener("bersicht1"),
         [](QWidget& window) { Child<QTreeView>(window, "vst")->expandAll(); },
         {},
         {}},
        {"frmAKadd",
         opener("Hinzufgen2"),
         [](QWidget& window) {
             Child<QComboBox>(window, "cb_geschaeft")->setEditText(U8(kLongShop));
             Child<QLineEdit>(window, "ed_versandkosten")->setText("12,90");
             Child<QToolButton>(window, "btn_addgesch")->click();
             Child<QLineEdit>(window, "ed_menge")->setText("12");
             Child<QComboBox>(window, "cb_artikelbezeichnung")->setEditText(U8(kLongArticle));
             Child<QLineEdit>(window, "ed_einzelpreis")->setText("1234,56");
             for (int i = 0; i < kArticles; ++i) {
                 Child<QToolButton>(window, "btn_addart")->click();
             }
         },
         {},
         {}},
        {"frmAKjahr", opener("Jahresbersicht1"), {}, {}, {}},
        {"frmAksuchen", opener("Suchen2"), searchFor("Angelsport"), "BitBtn1", {}},
        {"frmFangsuchen", opener("Suchen1"), searchFor("forelle"), "BitBtn1", {}},
        {"frmStatistik",
         [this] {
             for (QAction* item : main_->findChild<QMenu*>("Statistik1")->actions()) {
                 if (item->data().toInt() == 0 && !item->isSeparator()) {
                     item->trigger();
                 }
             }
         },
         [](QWidget& window) {
             // Every tab computed for all years, as the angler's first choice.
             for (const char* year : {"cb_fischjahr", "cb_koederjahr", "cb_wetterjahr"}) {
                 auto* box = Child<QComboBox>(window, year);
                 box->setCurrentIndex(0);
                 emit box->activated(0);
             }
             ChooseLongestEntries(window);
         },
         {},
         // The bait record's last line lies in the colour chart's blank top
         // margin, above its pie.
         {{"lb_koederrekord", "Image21"}}},
        {"frmInternet", opener("Internetabgleich1"), {}, "BitBtn1", {}},
        {"frmOSabgleichen",
         [=, this] {
             Through("frmInternet",
                     [](QDialog& window) { Child<QPushButton>(window, "BitBtn1")->click(); });
             Trigger("Internetabgleich1");
         },
         {},
         "BitBtn1",
         {}},
        {"frmInfo", opener("Info1"), {}, "BitBtn1", {}},
        {"frmKarte",
         [this] {
             for (QAction* water : main_->findChild<QMenu*>("Karte1")->actions()) {
                 if (water->text() == U8(Field("Gewaesser").c_str())) {
                     water->trigger();
                 }
             }
         },
         [](QWidget& window) {
             // At its own size, and after a click on a colour, as the angler does.
             window.setWindowState(Qt::WindowNoState);
             window.resize(845, 753);
             auto* colours = Child<QTableWidget>(window, "ListView1");
             const QPoint cell = colours->visualItemRect(colours->item(0, 1)).center();
             for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                 QMouseEvent click(type, cell, colours->viewport()->mapToGlobal(cell),
                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                 QApplication::sendEvent(colours->viewport(), &click);
             }
         },
         {},
         {{"ScrollBox1", "QSizeGrip ''"}}}, // the grip lies in the corner of the window
        {"frmAuswerten", opener("Zelvorin1"), ChooseLongestEntries, "BitBtn2", {}},
        {"frmauswertenstatistik",
         [this] { main_->OpenForm("Tfrmauswertenstatistik"); },
         {},
         {},
         {}},
        {"frmKalender",
         opener("Kalendar1"),
         [](QWidget& window) {
             auto& calendar = static_cast<TfrmKalender&>(window);
             Child<QSpinBox>(window, "SpinEdit1")->setValue(2007);
             calendar.Januar1Click(8);
         },
         {},
         {}},
        {"frmKalenderDetails",
         [=, this] {
             Through("frmKalender", [](QDialog& window) {
                 auto& calendar = static_cast<TfrmKalender&>(window);
                 Child<QSpinBox>(window, "SpinEdit1")->setValue(2007);
                 calendar.Januar1Click(8);
                 auto* grid = Child<QTableWidget>(window, "StringGrid1");
                 for (int row = 1; row < grid->rowCount(); ++row) {
                     for (int column = 0; column < grid->columnCount(); ++column) {
                         if (grid->item(row, column)->text().startsWith("9 \r\n")) {
                             calendar.StringGrid1DblClick(row, column);
                         }
                     }
                 }
             });
             Trigger("Kalendar1");
         },
         {},
         {},
         {}},
        {"frmFangempfehlung",
         [this] {
             for (QAction* item : main_->findChild<QMenu*>("Statistik1")->actions()) {
                 if (item->data().toInt() == 2) {
                     item->trigger();
                 }
             }
         },
         {},
         "BitBtn1",
         {}},
    };
}

TEST_F(EveryWindowTest, NoCaptionIsCutOffAndNothingCoversAnything) {
    for (const WindowCase& c : Cases()) {
        SCOPED_TRACE(c.window.toStdString());
        WithWindow(c, [&](QWidget& window) {
            const std::string faults = LayoutFaults(window, c.overlaps);
            const std::string png = "layout_" + c.window.toStdString();
            RenderToPng(window, png);
            for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
                for (int page = 1; page < tabs->count() && tabs->window() == &window; ++page) {
                    tabs->setCurrentIndex(page);
                    RenderToPng(window, png + "_" + std::to_string(page));
                }
                tabs->setCurrentIndex(0);
            }
            EXPECT_EQ(faults, "");
        });
    }
}

TEST_F(EveryWindowTest, TheFieldViewNamePromptShowsItsWholeQuestion) {
    Through("frmFangHinzufuegen",
            [](QDialog& entry) { Child<QToolButton>(entry, "SpeedButton1")->click(); });
    Through("frmFelderverwalten", [](QDialog& manager) {
        Child<QPushButton>(manager, "BitBtn1")->click(); // a new view: its name is asked
    });
    Trigger("Hinzufgen1");
    ASSERT_EQ(prompts_.Shown().size(), 1u);
    const ShownPrompt& asked = prompts_.Shown().front();
    ASSERT_EQ(asked.kind, PromptKind::InputBox);
    const std::unique_ptr<QInputDialog> box = CreateInputBox(asked.file.title, asked.text, {});
    box->show();
    const std::string faults = LayoutFaults(*box, {});
    RenderToPng(*box, "layout_name_prompt");
    EXPECT_EQ(faults, "");
}

TEST_F(EveryWindowTest, EnterInAnInputPressesNoButtonButTheDefault) {
    for (const WindowCase& c : Cases()) {
        if (c.window == "frmMain") {
            continue; // Enter presses buttons only in dialogs
        }
        SCOPED_TRACE(c.window.toStdString());
        WithWindow(c, [&](QWidget& window) {
            QStringList pressed;
            const QObject listening;
            for (QPushButton* button : window.findChildren<QPushButton*>()) {
                if (button->objectName() == c.defaultButton) {
                    button->hide(); // whatever Enter does to it stays undone
                }
                QObject::connect(button, &QPushButton::clicked, &listening,
                                 [&pressed, button] { pressed << Name(button); });
            }
            for (QWidget* input : window.findChildren<QWidget*>()) {
                if (qobject_cast<QPushButton*>(input) == nullptr && input->isVisible() &&
                    input->isEnabled() && (input->focusPolicy() & Qt::TabFocus)) {
                    input->setFocus();
                    PressEnter(input);
                }
            }
            EXPECT_EQ(pressed.join(", ").toStdString(), "");
        });
    }
}

TEST_F(EveryWindowTest, EnterOnAFocusedButtonPressesThatButton) {
    WithWindow(Case("frmKalender"), [](QWidget& window) {
        auto& shown = static_cast<TfrmKalender&>(window);
        auto* next = Child<QPushButton>(window, "BitBtn3");
        next->setFocus();
        PressEnter(next);
        EXPECT_EQ(shown.Month(), 9);
    });
}

TEST_F(EveryWindowTest, SearchWindowsOpenOnTheTermWhereEnterSearches) {
    const std::pair<const char*, const char*> searches[] = {{"frmFangsuchen", "forelle"},
                                                            {"frmAksuchen", "Angelsport"}};
    for (const auto& [name, term] : searches) {
        SCOPED_TRACE(name);
        WindowCase search = Case(name);
        search.use = {}; // nothing searched yet
        WithWindow(search, [&](QWidget& window) {
            auto* box = Child<QLineEdit>(window, "Edit1");
            ASSERT_EQ(window.focusWidget(), box);
            box->setText(U8(term));
            PressEnter(box);
            EXPECT_GT(Child<QTableView>(window, "ListView1")->model()->rowCount(), 0);
        });
    }
}

} // namespace
} // namespace zv::test
