// The statistics window and the catch recommendation, opened from the main
// window on a program folder of their own; and their screenshots over a
// catch log of several seasons.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "catchlog/ui/TfrmDetails.h"
#include "statistics/ui/TallyListView.h"
#include "statistics/ui/TfrmStatistik.h"
#include "storage/TMlbc.h"
#include "widgets/ErrorBoundary.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>
#include <random>
#include <set>

namespace zv::test {
namespace {

CatchRow Catch(const std::string& date, const std::string& time, const std::string& angler,
               const std::string& species, const std::string& weight, CatchRow more = {}) {
    more["Fangdatum"] = date;
    more["Fangzeit"] = time;
    more["Faenger"] = angler;
    more["Fischart"] = species;
    more["Gewicht"] = weight;
    return more;
}

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xffffff;
}

QRgb Rgb(int red, int green, int blue) {
    return qRgb(red, green, blue) & 0xffffff;
}

class StatisticsWindowTest : public ProgramTest {
protected:
    void UseCatches(const std::vector<CatchRow>& rows) {
        WriteCatchDatabase(Folder() / "Fang.f", rows);
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f")});
    }
    void WriteList(const std::string& name, const std::vector<std::string>& lines) {
        WriteTextFile(Folder() / "DATs" / (name + ".dat"), lines);
    }
    TfrmStatistik& Stat() const {
        return *main_->Forms().Get<TfrmStatistik>(QStringLiteral("TfrmStatistik"));
    }
    TMlbc& DB() const { return main_->GetWorkspace().DB(); }
    QComboBox* Combo(const char* name) const { return Stat().findChild<QComboBox*>(name); }
    QStringList Items(const char* name) const {
        QStringList items;
        for (int i = 0; i < Combo(name)->count(); ++i) {
            items << Combo(name)->itemText(i);
        }
        return items;
    }
    // Picks an entry as the user does and runs the drop-down's handler.
    void Choose(const char* name, const QString& text, void (TfrmStatistik::*handler)()) {
        const int index = Combo(name)->findText(text);
        ASSERT_GE(index, 0) << name << ": " << text.toStdString();
        Combo(name)->setCurrentIndex(index);
        Guarded([&] { (Stat().*handler)(); });
    }
    QString Text(const char* label) const { return Stat().findChild<QLabel*>(label)->text(); }
    TallyListView* List(const char* name) const { return Stat().findChild<TallyListView*>(name); }
    // The rows of a list as "count label".
    QStringList Rows(const char* name) const {
        QStringList rows;
        const TallyListView* list = List(name);
        for (int row = 0; row < list->rowCount(); ++row) {
            rows << list->item(row, 1)->text() + " " + list->item(row, 2)->text();
        }
        return rows;
    }
    QPixmap Chart(const char* name) const { return Stat().findChild<QLabel*>(name)->pixmap(); }
    QAction* StatistikItem(const QString& text) const {
        for (QAction* action : main_->findChild<QMenu*>("Statistik1")->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        ADD_FAILURE() << "no menu item " << text.toStdString();
        return nullptr;
    }
    QStringList Errors() const { return prompts_.Texts(PromptKind::Error); }
};

TEST_F(StatisticsWindowTest, EveryEntryOpensTheFirstTabWithItsCatcherAndTheYearsOfThatCatcher) {
    UseCatches({Catch("01.05.2006", "10:00:00", "Jan", "Hecht", "900"),
                Catch("01.05.2008", "10:00:00", "Eva", "Barsch", "300"),
                Catch("01.05.2007", "10:00:00", "Jan & Eva", "Aal", "500")});
    WriteList("Faenger", {"Jan", "Eva", "Jan & Eva"});
    WriteList("Fischarten", {"Hecht"});
    Start();
    auto* angler = main_->findChild<QComboBox*>("cb_faenger");
    auto toolbar = [&](const char* name) {
        return [=, this] {
            angler->setCurrentIndex(angler->findText(name));
            main_->findChild<QPushButton*>("SpeedButton2")->click();
        };
    };
    auto menu = [&](const char* text) { return [=, this] { StatistikItem(text)->trigger(); }; };
    struct Case {
        std::string before;
        std::function<void()> open;
        std::string catcher;
        QString shown;
    };
    // An ampersand in a name is shown as such, not as an accelerator.
    const Case cases[] = {
        {"Jan", menu("Gesamt"), "", "frmStatistik"},
        {"", menu("Jan"), "Jan", "frmStatistik"},
        {"", menu("Jan && Eva"), "Jan & Eva", "frmStatistik"},
        {"Jan", toolbar("- Alle -"), "", "frmStatistik"},
        {"", toolbar("Eva"), "Eva", "frmStatistik"},
        {"Eva", menu("Wann angeln gehen?"), "Eva", "frmFangempfehlung"},
    };
    const std::map<std::string, QStringList> years = {
        {"", {"- Alle -", "2008", "2007", "2006"}},
        {"Jan", {"- Alle -", "2006"}},
        {"Eva", {"- Alle -", "2008"}},
        {"Jan & Eva", {"- Alle -", "2007"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.catcher + " shown as " + c.shown.toStdString());
        Stat().SetCatcherFilter(c.before);
        Stat().findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
        modal_.Clear();
        c.open();
        EXPECT_EQ(modal_.Shown(), QStringList({c.shown}));
        EXPECT_EQ(Stat().CatcherFilter(), c.catcher);
        if (c.shown == "frmStatistik") {
            EXPECT_EQ(Stat().findChild<QTabWidget*>("PageControl1")->currentIndex(), 0);
            for (const char* box : {"cb_fischjahr", "cb_koederjahr", "cb_wetterjahr"}) {
                EXPECT_EQ(Items(box), years.at(c.catcher)) << box;
                EXPECT_EQ(Combo(box)->currentIndex(), -1) << box;
            }
        }
    }
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(StatisticsWindowTest, TheCaptionNamesTheCatcherWhoseNumbersShowAtOnce) {
    UseCatches({Catch("01.05.2006", "10:00:00", "Jan", "Hecht", "900"),
                Catch("01.05.2007", "10:00:00", "Eva", "Barsch", "300"),
                Catch("02.05.2007", "10:00:00", "Eva", "Aal", "500")});
    WriteList("Faenger", {"Jan", "Eva"});
    Start();
    StatistikItem("Jan")->trigger();
    Choose("cb_fischjahr", "- Alle -", &TfrmStatistik::cb_fischjahrChange);
    const struct {
        const char* item;
        QString caption;
        QString count;
    } openings[] = {{"Eva", "Statistik – Eva", "2"},
                    {"Gesamt", "Statistik", "3"},
                    {"Jan", "Statistik – Jan", "1"}};
    for (const auto& opening : openings) {
        SCOPED_TRACE(opening.item);
        StatistikItem(opening.item)->trigger();
        EXPECT_EQ(Stat().windowTitle(), opening.caption);
        EXPECT_EQ(Text("lb_gefangeneFische"), opening.count);
    }
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(StatisticsWindowTest, AYearComputesTheSpeciesTabIntoListsChartsTotalsAndRecord) {
    // Twelve waters on the list, each fished once in 2007, See 1 twice.
    std::vector<std::string> waters;
    std::vector<CatchRow> rows;
    for (int i = 1; i <= 12; ++i) {
        waters.push_back("See " + std::to_string(i));
        rows.push_back(Catch("0" + std::to_string(1 + i % 9) + ".06.2007", "06:30:00", "Jan",
                             i % 2 ? "Hecht" : "Barsch", std::to_string(100 * i),
                             {{"Gewaesser", waters.back()}, {"Laenge", "40"}}));
    }
    rows.push_back(Catch("05.06.2007", "06:45:00", "Jan", "Hecht", "50",
                         {{"Gewaesser", "See 1"}, {"Laenge", "40"}}));
    rows.push_back(Catch("01.06.2008", "07:00:00", "Jan", "Zander", "5000"));
    UseCatches(rows);
    WriteList("Gewaesser", waters);
    Start();
    Stat().Open(TfrmStatistik::kNormal);
    // Before the first computation the lists are empty and the totals "0".
    EXPECT_EQ(Text("lb_gefangeneFische"), "0");
    EXPECT_EQ(List("lv_gewaesser")->rowCount(), 0);

    Choose("cb_fischjahr", "2007", &TfrmStatistik::cb_fischjahrChange);
    EXPECT_EQ(Items("cb_fischart"), QStringList({"- Alle -", "Barsch", "Hecht"}));
    EXPECT_EQ(Combo("cb_fischart")->currentIndex(), -1);
    EXPECT_EQ(Text("lb_gefangeneFische"), "13");
    EXPECT_EQ(Text("lb_laenge"), "40,00");
    EXPECT_EQ(Text("lb_gewicht"), "603,85");
    EXPECT_EQ(Text("lb_rekord"), "Barsch\nLänge: 40,00 cm\nGewicht: 1200,00 g\nMontag, 04.06.2007\n"
                                 "um 06:30:00 Uhr\nmit ");
    EXPECT_EQ(Stat().SpeciesRecordRow(), 12);
    EXPECT_EQ(Rows("lv_zeit"), QStringList({"13 6-7 Uhr"}));
    EXPECT_EQ(Rows("lv_monat"), QStringList({"13 Juni"}));
    const QStringList gewaesser = Rows("lv_gewaesser");
    ASSERT_EQ(gewaesser.size(), 12);
    EXPECT_EQ(gewaesser.front(), "2 See 1");

    // The legend: the swatch item holds " " and shows row i's colour, rows
    // 11 and 12 both the last one; the other cells are white.
    Stat().show();
    TallyListView* list = List("lv_gewaesser");
    EXPECT_EQ(list->item(0, 0)->text(), " ");
    list->clearSelection();
    auto colourAt = [&](int row, int column) {
        list->scrollToItem(list->item(row, 0));
        const QPoint centre = list->visualItemRect(list->item(row, column)).center();
        return Pixel(list->viewport()->grab().toImage(), centre.x(), centre.y());
    };
    EXPECT_EQ(colourAt(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(colourAt(10, 0), Rgb(0, 64, 64));
    EXPECT_EQ(colourAt(11, 0), Rgb(0, 64, 64));
    EXPECT_EQ(colourAt(3, 1), Rgb(255, 255, 255));

    // Each chart is drawn at its own size from its own list: the hours make
    // a red disc, the empty moon list a white picture.
    EXPECT_EQ(Chart("Image3").size(), QSize(158, 169));
    EXPECT_EQ(Pixel(Chart("Image6").toImage(), 80, 40), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(Chart("Image2").toImage(), 79, 72), Rgb(255, 255, 255));

    // Opening again keeps the results and only refills the years.
    Stat().Open(TfrmStatistik::kNormal);
    EXPECT_EQ(Combo("cb_fischjahr")->currentIndex(), -1);
    EXPECT_EQ(Text("lb_gefangeneFische"), "13");
    EXPECT_EQ(List("lv_gewaesser")->rowCount(), 12);
}

TEST_F(StatisticsWindowTest, ANewBaitYearKeepsTheShownBaitAndCountsAllBaitTypes) {
    UseCatches({Catch("01.05.2007", "10:00:00", "Jan", "Hecht", "2000",
                      {{"Koedertyp", "Wobbler"}, {"Koeder", "Rapala"}}),
                Catch("02.05.2007", "10:00:00", "Jan", "Hecht", "1000",
                      {{"Koedertyp", "Blinker"}, {"Koeder", "Rapala"}}),
                Catch("03.05.2006", "10:00:00", "Jan", "Hecht", "3000",
                      {{"Koedertyp", "Wobbler"}, {"Koeder", "Rapala"}}),
                Catch("04.05.2007", "10:00:00", "Jan", "Barsch", "500",
                      {{"Koedertyp", "Wobbler"}, {"Koeder", "Salmo"}})});
    Start();
    Stat().Open(TfrmStatistik::kNormal);
    Choose("cb_koederjahr", "- Alle -", &TfrmStatistik::cb_koederjahrChange);
    EXPECT_EQ(Text("lb_koedergefangenefische"), "4");
    Choose("cb_koedertyp", "Wobbler", &TfrmStatistik::cb_koedertypChange);
    EXPECT_EQ(Items("cb_koeder"), QStringList({"- Alle -", "Rapala", "Salmo"}));
    EXPECT_EQ(Text("lb_koedergefangenefische"), "3");
    Choose("cb_koeder", "Rapala", &TfrmStatistik::cb_koederChange);
    EXPECT_EQ(Text("lb_koedergefangenefische"), "2");

    Choose("cb_koederjahr", "2007", &TfrmStatistik::cb_koederjahrChange);
    EXPECT_EQ(Items("cb_koedertyp"), QStringList({"- Alle -", "Blinker", "Wobbler"}));
    EXPECT_EQ(Combo("cb_koedertyp")->currentIndex(), -1);
    EXPECT_EQ(Combo("cb_koeder")->currentText(), "Rapala");
    // 2007, every bait type, Rapala: the Wobbler and the Blinker catch.
    EXPECT_EQ(Text("lb_koedergefangenefische"), "2");
    EXPECT_EQ(Text("lb_koedergewicht"), "1500,00");
    // The whole record is in the hint; a line too wide is shortened on screen.
    EXPECT_EQ(Stat().findChild<QLabel*>("lb_koederrekord")->toolTip(),
              "Hecht\nLänge: 0,00 cm\nGewicht: 2000,00 g\ngefangen am Dienstag, 01.05.2007\n"
              "um 10:00:00 Uhr");
    EXPECT_EQ(Rows("lv_koedermonat"), QStringList({"2 Mai"}));

    // A bait that was not used in that year: nothing counted, no record to
    // open.
    Choose("cb_koederjahr", "2006", &TfrmStatistik::cb_koederjahrChange);
    Choose("cb_koeder", "Salmo", &TfrmStatistik::cb_koederChange);
    for (const char* total : {"lb_koedergefangenefische", "lb_koederlaenge", "lb_koedergewicht"}) {
        EXPECT_EQ(Text(total), "0") << total;
    }
    EXPECT_EQ(List("lv_koedermonat")->rowCount(), 0);
    EXPECT_EQ(Text("lb_koederrekord"), "Kein Fang mit Gewicht");
    EXPECT_EQ(Stat().BaitRecordRow(), 0);
    modal_.Clear();
    Stat().lb_koederrekordClick();
    EXPECT_TRUE(modal_.Shown().isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(StatisticsWindowTest, ABadWeightKeepsTheSpeciesTabAsItWas) {
    UseCatches({Catch("01.05.2007", "10:00:00", "Jan", "Hecht", "2000", {{"Koeder", "Blinker"}}),
                Catch("01.05.2008", "10:00:00", "Jan", "Barsch", "schwer")});
    WriteList("Koeder", {"Blinker"});
    Start();
    Stat().Open(TfrmStatistik::kNormal);
    Choose("cb_fischjahr", "2007", &TfrmStatistik::cb_fischjahrChange);
    const QString record = Text("lb_rekord");
    const qint64 chart = Chart("Image1").cacheKey();

    Choose("cb_fischjahr", "- Alle -", &TfrmStatistik::cb_fischjahrChange);
    EXPECT_EQ(Errors(), QStringList({"'schwer' ist kein gültiger Gleitkommawert"}));
    EXPECT_EQ(Text("lb_gefangeneFische"), "1");
    EXPECT_EQ(Text("lb_gewicht"), "2000,00");
    EXPECT_EQ(Text("lb_rekord"), record);
    EXPECT_EQ(Rows("lv_koeder"), QStringList({"1 Blinker"}));
    EXPECT_EQ(Chart("Image1").cacheKey(), chart);
    EXPECT_EQ(Stat().SpeciesRecordRow(), 1);
}

TEST_F(StatisticsWindowTest, AWeatherErrorEmptiesTheListsOnlyWhenACatchDateFails) {
    UseCatches({Catch("01.05.2007", "10:00:00", "Jan", "Hecht", "", {{"Lufttemp", "12"}}),
                Catch("02.05.2007", "10:00:00", "Jan", "Barsch", "", {{"Lufttemp", "14"}})});
    Start();
    Stat().Open(TfrmStatistik::kNormal);
    Choose("cb_wetterjahr", "2007", &TfrmStatistik::cb_wetterjahrChange);
    EXPECT_EQ(Items("cb_wetterfischart"), QStringList({"- Alle -", "Barsch", "Hecht"}));
    const QStringList before = Rows("lv_wetterltemp");
    ASSERT_EQ(before, QStringList({"1 12", "1 14"}));
    const qint64 chart = Chart("Image13").cacheKey();

    ASSERT_TRUE(DB().GoToRow(2));
    DB().SetData("Lufttemp", "warm");
    Choose("cb_wetterfischart", "Hecht", &TfrmStatistik::cb_wetterfischartChange);
    EXPECT_EQ(Errors(), QStringList({"'warm' ist kein gültiger Gleitkommawert"}));
    EXPECT_EQ(Rows("lv_wetterltemp"), before);

    DB().SetData("Lufttemp", "14");
    DB().SetData("Fangdatum", "31.02.2007");
    Choose("cb_wetterfischart", "Barsch", &TfrmStatistik::cb_wetterfischartChange);
    EXPECT_EQ(Errors().last(), "'31.02.2007' ist kein gültiges Datum");
    for (const char* list :
         {"lv_wetterltemp", "lv_wetterwtemp", "lv_wetterwindrichtung", "lv_wetterwindstaerke",
          "lv_wetterwasserstand", "lv_wettertruebung", "lv_wetterluftdruck"}) {
        EXPECT_EQ(List(list)->rowCount(), 0) << list;
    }
    EXPECT_EQ(Chart("Image13").cacheKey(), chart);
}

TEST_F(StatisticsWindowTest, TheRecordLabelOpensTheDetailsOfItsCatchWhileItIsStillThere) {
    UseCatches({Catch("01.05.2007", "10:00:00", "Jan", "Hecht", "2000"),
                Catch("02.05.2007", "10:00:00", "Jan", "Zander", "3500"),
                Catch("03.05.2007", "10:00:00", "Jan", "Aal", "")});
    Start();
    Stat().Open(TfrmStatistik::kNormal);
    Choose("cb_fischjahr", "2007", &TfrmStatistik::cb_fischjahrChange);
    ASSERT_EQ(Stat().SpeciesRecordRow(), 2);
    EXPECT_EQ(Stat().findChild<QLabel*>("lb_rekord")->cursor().shape(), Qt::PointingHandCursor);
    modal_.Clear();
    Stat().lb_rekordClick();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmDetails"}));
    EXPECT_EQ(main_->Forms()
                  .Get<TfrmDetails>(QStringLiteral("TfrmDetails"))
                  ->findChild<QLabel*>("lb_fischart")
                  ->text(),
              "Zander");

    // The catch was changed since: no details of another catch.
    ASSERT_TRUE(DB().GoToRow(2));
    DB().SetData("Fischart", "Wels");
    modal_.Clear();
    Stat().lb_rekordClick();
    EXPECT_TRUE(modal_.Shown().isEmpty());
    EXPECT_EQ(prompts_.Texts(PromptKind::Information).size(), 1);

    // A selection without a weighed catch has nothing to open.
    Choose("cb_fischart", "Aal", &TfrmStatistik::cb_fischartChange);
    EXPECT_EQ(Text("lb_rekord"), "Kein Fang mit Gewicht");
    EXPECT_EQ(Stat().SpeciesRecordRow(), 0);
    EXPECT_EQ(Stat().findChild<QLabel*>("lb_rekord")->cursor().shape(), Qt::ArrowCursor);
    modal_.Clear();
    Stat().lb_rekordClick();
    EXPECT_TRUE(modal_.Shown().isEmpty());
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(StatisticsWindowTest, TheRecommendationListsTwelveMonthsAndClosesTheStatisticsWindow) {
    UseCatches({Catch("10.05.2006", "06:10:00", "Jan", "Hecht", "",
                      {{"Koeder", "Wobbler"}, {"KoederFarbe", "Rot"}}),
                Catch("11.05.2007", "06:50:00", "Eva", "Hecht", "", {{"Koeder", "Wobbler"}}),
                Catch("12.05.2007", "19:00:00", "Eva", "Barsch", "", {{"Koeder", "Spinner"}}),
                Catch("01.01.2008", "00:15:00", "Jan", "Barsch", "", {{"Koeder", "Spinner"}})});
    WriteList("Faenger", {"Jan", "Eva"});
    WriteList("Fischarten", {"Barsch", "Hecht"});
    WriteList("Koeder", {"Spinner", "Wobbler"});
    WriteList("Koederfarbe", {"Gelb", "Rot"});
    Start();
    QStringList lines;
    modal_.On("frmFangempfehlung", [&](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Fangempfehlung");
        auto* list = window.findChild<QTableWidget*>("lv_empfehlung");
        for (int r = -1; r < list->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c) {
                cells << (r < 0 ? list->horizontalHeaderItem(c) : list->item(r, c))->text();
            }
            lines << cells.join(";");
        }
        window.findChild<QPushButton*>("BitBtn1")->click();
    });
    StatistikItem("Wann angeln gehen?")->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmFangempfehlung"}));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], "Monat:;Fischart:;Uhrzeit:;Köder:;Verhalten:;Farbe:;Länge(cm):");
    // Without a bait length list there is nothing to name.
    EXPECT_EQ(lines[1], "Januar;Barsch;0 Uhr;Spinner;schwimmend;Gelb;");
    EXPECT_EQ(lines[2], "Februar;;;;;;");
    EXPECT_EQ(lines[5], "Mai;Hecht;6 Uhr;Wobbler;schwimmend;Rot;");
    EXPECT_EQ(lines[12], "Dezember;;;;;;");
    EXPECT_TRUE(Errors().isEmpty());

    // A catch date that is not valid: the message, and the statistics
    // window opens normally. Opening reads the years too and stops at the
    // same date: no years of an earlier opening stay behind to be chosen.
    Stat().Open(TfrmStatistik::kNormal);
    ASSERT_EQ(Combo("cb_fischjahr")->count(), 4);
    ASSERT_TRUE(DB().GoToRow(3));
    DB().SetData("Fangdatum", "12.13.2007");
    modal_.Clear();
    lines.clear();
    StatistikItem("Wann angeln gehen?")->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmStatistik"}));
    EXPECT_EQ(Errors(), QStringList(2, "'12.13.2007' ist kein gültiges Datum"));
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_EQ(Combo("cb_fischjahr")->count(), 0);
    EXPECT_EQ(Stat().Tag(), TfrmStatistik::kNormal);
}

// The screenshots: 400 catches of two anglers over five seasons, spread the
// way a real catch log is (pike and perch often, wels rarely, more in
// summer), with 14 species so the eleventh colour shows.
struct Species {
    const char* name;
    int minLength, maxLength; // cm
    double factor;            // weight in g ≈ factor × length³ / 100
};
const Species kSpecies[] = {
    {"Hecht", 45, 105, 0.75}, {"Barsch", 15, 42, 1.3},   {"Zander", 35, 85, 0.85},
    {"Karpfen", 40, 85, 1.6}, {"Aal", 45, 90, 0.2},      {"Bachforelle", 22, 48, 1.1},
    {"Schleie", 25, 50, 1.4}, {"Brachsen", 30, 60, 1.2}, {"Rotauge", 15, 32, 1.2},
    {"Döbel", 25, 55, 1.1},   {"Wels", 80, 190, 0.6},    {"Rapfen", 40, 75, 0.9},
    {"Äsche", 25, 45, 0.95},  {"Quappe", 30, 60, 0.7},
};
const std::vector<std::string> kBaits = {"Wobbler",    "Gummifisch", "Spinner", "Blinker",
                                         "Tauwurm",    "Maden",      "Mais",    "Boilie",
                                         "Köderfisch", "Jig"};
// The value list behind each field the screenshots fill, in list order.
const std::map<std::string, std::vector<std::string>> kLists = {
    {"Koederfarbe",
     {"Feuertiger", "Silber", "Gold", "Weiß", "Barschdekor", "Motoroil", "Rot", "Grün", "Schwarz"}},
    {"Koederlaenge", {"5", "7", "9", "12", "15"}},
    {"Gewaesser", {"Rhein", "Möhnesee", "Elbe", "Mosel", "Baggersee Nord", "Kanal"}},
    {"Wetter", {"sonnig", "bewölkt", "bedeckt", "Regen", "Nieselregen", "Gewitter", "Nebel"}},
    {"Windrichtung", {"N", "NO", "O", "SO", "S", "SW", "W", "NW", "-"}},
    {"Windstaerke",
     {"Windstill", "Leiser Zug", "Leichte Brise", "Schwache Brise", "Mäßige Brise", "Frische Brise",
      "Starker Wind", "Steifer Wind", "Stürmischer Wind", "Sturm", "Schwerer Sturm",
      "Orkanartiger Sturm", "Orkan"}},
    {"Wassertruebung", {"klar", "leicht trüb", "trüb", "sehr trüb"}},
    {"Wasserstand", {"niedrig", "normal", "hoch"}},
};
// The field each list feeds, where its name differs.
const std::map<std::string, std::string> kListFields = {{"Koederfarbe", "KoederFarbe"},
                                                        {"Koederlaenge", "KoederLaenge"}};

std::vector<CatchRow> SeasonCatches() {
    std::mt19937 random(20240611);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    auto skewed = [&](std::size_t n) { return std::min(pick(n), pick(n)); };
    auto two = [](std::size_t value) { return (value < 10 ? "0" : "") + std::to_string(value); };
    const char* const moon[] = {"Neumond", "Zunehmender Mond", "Vollmond", "Abnehmender Mond"};
    const char* const behaviour[] = {"schwimmend", "sinkend", "schwebend"};
    std::vector<CatchRow> rows;
    for (int i = 0; i < 400; ++i) {
        const Species& species = kSpecies[skewed(std::size(kSpecies))];
        const int length = species.minLength + int(pick(species.maxLength - species.minLength + 1));
        const std::size_t month = 3 + pick(8) - (pick(6) == 0 ? 2 : 0);
        const std::size_t bait = skewed(kBaits.size());
        CatchRow row =
            Catch(two(1 + pick(28)) + "." + two(month) + "." + std::to_string(2005 + pick(5)),
                  two((5 + skewed(17)) % 24) + ":" + two(pick(60)) + ":00",
                  pick(3) == 0 ? "Eva Brandt" : "Jan Kowalski", species.name,
                  std::to_string(int(species.factor * length * length * length / 1000) * 10));
        row["Laenge"] = std::to_string(length);
        row["Koeder"] = kBaits[bait];
        row["Koedertyp"] = bait < 4 || bait == 9 ? "Kunstköder" : "Naturköder";
        row["Koederverhalten"] = behaviour[skewed(3)];
        row["Mondphase"] = moon[pick(4)];
        row["Lufttemp"] = std::to_string(4 + month + pick(12));
        row["Wassertemp"] = std::to_string(4 + month + pick(6));
        row["Luftdruck"] = std::to_string(1000 + skewed(30));
        for (const auto& [name, lines] : kLists) {
            const auto field = kListFields.find(name);
            row[field == kListFields.end() ? name : field->second] =
                lines[name == "Windstaerke" ? skewed(7) : skewed(lines.size())];
        }
        rows.push_back(row);
    }
    return rows;
}

// A painted picture of the window's size with more colours than the eleven
// of the charts.
void ExpectPainted(const std::filesystem::path& png, QSize size) {
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(png.string())));
    EXPECT_EQ(image.size(), size);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 11u);
}

TEST_F(StatisticsWindowTest, ScreenshotsOfThreeTabsAndTheRecommendation) {
    UseCatches(SeasonCatches());
    WriteList("Faenger", {"Jan Kowalski", "Eva Brandt"});
    std::vector<std::string> species;
    for (const Species& s : kSpecies) {
        species.push_back(s.name);
    }
    WriteList("Fischarten", species);
    WriteList("Koeder", kBaits);
    for (const auto& [name, lines] : kLists) {
        WriteList(name, lines);
    }
    Start();
    // Shown as the user sees it: the years filled, then chosen.
    Stat().show();
    auto render = [&](int tab, const std::string& name) {
        Stat().findChild<QTabWidget*>("PageControl1")->setCurrentIndex(tab);
        QApplication::processEvents();
        ExpectPainted(RenderToPng(Stat(), name), Stat().size());
    };
    Choose("cb_fischjahr", "- Alle -", &TfrmStatistik::cb_fischjahrChange);
    render(0, "statistik_fischart");
    Choose("cb_koederjahr", "2007", &TfrmStatistik::cb_koederjahrChange);
    Choose("cb_koedertyp", "Kunstköder", &TfrmStatistik::cb_koedertypChange);
    render(1, "statistik_koeder");
    Choose("cb_wetterjahr", "- Alle -", &TfrmStatistik::cb_wetterjahrChange);
    render(2, "statistik_wetter");
    Stat().hide();

    bool rendered = false;
    modal_.On("frmFangempfehlung", [&](QDialog& window) {
        QApplication::processEvents();
        ExpectPainted(RenderToPng(window, "fangempfehlung"), window.size());
        rendered = true;
    });
    Stat().Open(TfrmStatistik::kRecommendation);
    EXPECT_TRUE(rendered);
    EXPECT_TRUE(Errors().isEmpty());
}

} // namespace
} // namespace zv::test
