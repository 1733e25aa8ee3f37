// The statistics window and the catch recommendation, opened from the main
// window on a program folder of their own.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "catchlog/ui/TfrmDetails.h"
#include "statistics/PiePalette.h"
#include "statistics/ui/TallyListView.h"
#include "statistics/ui/TfrmStatistik.h"
#include "storage/TMlbc.h"
#include "widgets/ErrorBoundary.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>

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
    // The rows of a list as "count label"; every swatch cell holds " ".
    QStringList Rows(const char* name) const {
        QStringList rows;
        const TallyListView* list = List(name);
        for (int row = 0; row < list->rowCount(); ++row) {
            EXPECT_EQ(list->item(row, 0)->text(), " ");
            rows << list->item(row, 1)->text() + " " + list->item(row, 2)->text();
        }
        return rows;
    }
    QImage Chart(const char* name) const {
        return Stat().findChild<QLabel*>(name)->pixmap().toImage();
    }
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
    // An ampersand in a name is shown as such, not as an accelerator.
    EXPECT_EQ(StatistikItem("Jan && Eva")->data().toInt(), 1);

    auto* angler = main_->findChild<QComboBox*>("cb_faenger");
    struct Case {
        const char* what;
        std::string before;
        std::function<void()> open;
        std::string catcher;
        QString shown;
    };
    const Case cases[] = {
        {"Gesamt", "Jan", [&] { StatistikItem("Gesamt")->trigger(); }, "", "frmStatistik"},
        {"Jan", "", [&] { StatistikItem("Jan")->trigger(); }, "Jan", "frmStatistik"},
        {"Jan & Eva", "", [&] { StatistikItem("Jan && Eva")->trigger(); }, "Jan & Eva",
         "frmStatistik"},
        {"toolbar - Alle -", "Jan",
         [&] {
             angler->setCurrentIndex(0);
             main_->findChild<QPushButton*>("SpeedButton2")->click();
         },
         "", "frmStatistik"},
        {"toolbar Eva", "",
         [&] {
             angler->setCurrentIndex(angler->findText("Eva"));
             main_->findChild<QPushButton*>("SpeedButton2")->click();
         },
         "Eva", "frmStatistik"},
        {"Wann angeln gehen?", "Eva", [&] { StatistikItem("Wann angeln gehen?")->trigger(); },
         "Eva", "frmFangempfehlung"},
    };
    const std::map<std::string, QStringList> years = {
        {"", {"- Alle -", "2008", "2007", "2006"}},
        {"Jan", {"- Alle -", "2006"}},
        {"Eva", {"- Alle -", "2008"}},
        {"Jan & Eva", {"- Alle -", "2007"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Stat().SetCatcherFilter(c.before);
        Stat().findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
        modal_.Clear();
        c.open();
        EXPECT_EQ(modal_.Shown(), QStringList({c.shown}));
        EXPECT_EQ(Stat().CatcherFilter(), c.catcher);
        EXPECT_EQ(Stat().Tag(), TfrmStatistik::kNormal);
        EXPECT_FALSE(Stat().isVisible());
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

TEST_F(StatisticsWindowTest, AYearComputesTheSpeciesTabIntoListsChartsTotalsAndRecord) {
    // Twelve waters on the list, each fished once in 2007, the Rhein twice.
    std::vector<std::string> waters;
    std::vector<CatchRow> rows;
    for (int i = 1; i <= 12; ++i) {
        waters.push_back("See " + std::to_string(i));
        rows.push_back(Catch("0" + std::to_string(1 + i % 9) + ".06.2007", "06:30:00", "Jan",
                             i % 2 ? "Hecht" : "Barsch", std::to_string(100 * i),
                             {{"Gewaesser", waters.back()}, {"Laenge", "40"}}));
    }
    rows[3]["Gewaesser"] = "See 1";
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
    EXPECT_EQ(Text("lb_gefangeneFische"), "12");
    EXPECT_EQ(Text("lb_laenge"), "40,00");
    EXPECT_EQ(Text("lb_gewicht"), "650,00");
    EXPECT_EQ(Text("lb_rekord"), "Barsch\nLänge: 40,00 cm\nGewicht: 1200,00 g\nMontag, 04.06.2007\n"
                                 "um 06:30:00 Uhr\nmit ");
    EXPECT_EQ(Stat().SpeciesRecordRow(), 12);
    EXPECT_EQ(Rows("lv_zeit"), QStringList({"12 6-7 Uhr"}));
    EXPECT_EQ(Rows("lv_monat"), QStringList({"12 Juni"}));
    const QStringList gewaesser = Rows("lv_gewaesser");
    ASSERT_EQ(gewaesser.size(), 11);
    EXPECT_EQ(gewaesser.front(), "2 See 1");

    // The legend: row i in colour i, the rows from the eleventh on in the
    // last colour, the other cells white.
    Stat().show();
    TallyListView* list = List("lv_gewaesser");
    auto swatch = [&](int row, int column) {
        list->scrollToItem(list->item(row, 0));
        const QRect cell = list->visualItemRect(list->item(row, column));
        return list->viewport()->grab().toImage().pixel(cell.center()) & 0xffffff;
    };
    list->clearSelection();
    for (int row : {0, 9, 10}) {
        const PieColour colour = LegendColour(std::size_t(row));
        EXPECT_EQ(swatch(row, 0), qRgb(colour.red, colour.green, colour.blue) & 0xffffff) << row;
    }
    EXPECT_EQ(swatch(10, 0), qRgb(0, 64, 64) & 0xffffff);
    EXPECT_EQ(swatch(3, 1), qRgb(255, 255, 255) & 0xffffff);

    // Each chart is drawn at its own size; the moon list is empty, so its
    // chart is white.
    EXPECT_EQ(Chart("Image3").size(), QSize(158, 169));
    EXPECT_EQ(Chart("Image3").pixel(79, 84) & 0xffffff, 0x000000u); // the centre
    EXPECT_EQ(Chart("Image6").pixel(80, 40) & 0xffffff, qRgb(255, 0, 0) & 0xffffff);
    EXPECT_EQ(Chart("Image2").pixel(79, 72) & 0xffffff, 0xffffffu);

    // Opening again keeps the results and only refills the years.
    Stat().Open(TfrmStatistik::kNormal);
    EXPECT_EQ(Combo("cb_fischjahr")->currentIndex(), -1);
    EXPECT_EQ(Text("lb_gefangeneFische"), "12");
    EXPECT_EQ(List("lv_gewaesser")->rowCount(), 11);
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
    EXPECT_EQ(Text("lb_koederrekord"),
              "Hecht\nLänge: 0,00 cm\nGewicht: 2000,00 g\ngefangen am Dienstag, 01.05.2007\n"
              "um 10:00:00 Uhr");
    EXPECT_EQ(Rows("lv_verhalten"), QStringList());
    EXPECT_EQ(Rows("lv_koedermonat"), QStringList({"2 Mai"}));

    // A bait that was not used in that year: nothing counted, no record.
    Choose("cb_koederjahr", "2006", &TfrmStatistik::cb_koederjahrChange);
    EXPECT_EQ(Text("lb_koedergefangenefische"), "1");
    Choose("cb_koeder", "Salmo", &TfrmStatistik::cb_koederChange);
    for (const char* total : {"lb_koedergefangenefische", "lb_koederlaenge", "lb_koedergewicht"}) {
        EXPECT_EQ(Text(total), "0") << total;
    }
    EXPECT_EQ(Text("lb_koederrekord"), "Kein Fang mit Gewicht");
    EXPECT_EQ(Stat().BaitRecordRow(), 0);
    EXPECT_EQ(List("lv_koedermonat")->rowCount(), 0);
    EXPECT_EQ(Chart("Image12").pixel(79, 59) & 0xffffff, 0xffffffu);
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
    const qint64 chart = Stat().findChild<QLabel*>("Image1")->pixmap().cacheKey();
    ASSERT_EQ(Rows("lv_koeder"), QStringList({"1 Blinker"}));

    Choose("cb_fischjahr", "- Alle -", &TfrmStatistik::cb_fischjahrChange);
    EXPECT_EQ(Errors(), QStringList({"'schwer' ist kein gültiger Gleitkommawert"}));
    EXPECT_EQ(Text("lb_gefangeneFische"), "1");
    EXPECT_EQ(Text("lb_gewicht"), "2000,00");
    EXPECT_EQ(Text("lb_rekord"), record);
    EXPECT_EQ(Rows("lv_koeder"), QStringList({"1 Blinker"}));
    EXPECT_EQ(Stat().findChild<QLabel*>("Image1")->pixmap().cacheKey(), chart);
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
    const qint64 chart = Stat().findChild<QLabel*>("Image13")->pixmap().cacheKey();

    ASSERT_TRUE(DB().GoToRow(2));
    DB().SetData("Lufttemp", "warm");
    Choose("cb_wetterfischart", "Hecht", &TfrmStatistik::cb_wetterfischartChange);
    EXPECT_EQ(Errors(), QStringList({"'warm' ist kein gültiger Gleitkommawert"}));
    EXPECT_EQ(Rows("lv_wetterltemp"), before);

    DB().SetData("Lufttemp", "14");
    DB().SetData("Fangdatum", "31.02.2007");
    Choose("cb_wetterfischart", "Barsch", &TfrmStatistik::cb_wetterfischartChange);
    EXPECT_EQ(Errors().size(), 2);
    EXPECT_EQ(Errors().last(), "'31.02.2007' ist kein gültiges Datum");
    for (const char* list :
         {"lv_wetterltemp", "lv_wetterwtemp", "lv_wetterwindrichtung", "lv_wetterwindstaerke",
          "lv_wetterwasserstand", "lv_wettertruebung", "lv_wetterluftdruck"}) {
        EXPECT_EQ(List(list)->rowCount(), 0) << list;
    }
    EXPECT_EQ(Stat().findChild<QLabel*>("Image13")->pixmap().cacheKey(), chart);
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
    QStringList headings;
    modal_.On("frmFangempfehlung", [&](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Fangempfehlung");
        auto* list = window.findChild<QTableWidget*>("lv_empfehlung");
        for (int c = 0; c < list->columnCount(); ++c) {
            headings << list->horizontalHeaderItem(c)->text();
        }
        for (int r = 0; r < list->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c) {
                cells << list->item(r, c)->text();
            }
            lines << cells.join(";");
        }
        window.findChild<QPushButton*>("BitBtn1")->click();
    });
    StatistikItem("Wann angeln gehen?")->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmFangempfehlung"}));
    EXPECT_FALSE(Stat().isVisible());
    EXPECT_EQ(headings, QStringList({"Monat:", "Fischart:", "Uhrzeit:", "Köder:", "Verhalten:",
                                     "Farbe:", "Länge(cm):"}));
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], "Januar;Barsch;0 Uhr;Spinner;schwimmend;Gelb;");
    EXPECT_EQ(lines[1], "Februar;;;;;;");
    EXPECT_EQ(lines[4], "Mai;Hecht;6 Uhr;Wobbler;schwimmend;Rot;");
    EXPECT_EQ(lines[11], "Dezember;;;;;;");
    // Without a bait length list there is nothing to name.
    EXPECT_TRUE(Errors().isEmpty());

    // A catch date that is not valid: the message, and the statistics
    // window opens normally.
    Stat().Open(TfrmStatistik::kNormal);
    ASSERT_EQ(Combo("cb_fischjahr")->count(), 4);
    ASSERT_TRUE(DB().GoToRow(3));
    DB().SetData("Fangdatum", "12.13.2007");
    modal_.Clear();
    lines.clear();
    StatistikItem("Wann angeln gehen?")->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmStatistik"}));
    ASSERT_FALSE(Errors().isEmpty());
    EXPECT_EQ(Errors().front(), "'12.13.2007' ist kein gültiges Datum");
    EXPECT_TRUE(lines.isEmpty());
    // Opening reads the years too and stops at the same date: no years of
    // an earlier opening stay behind to be chosen.
    EXPECT_EQ(Errors().size(), 2);
    EXPECT_EQ(Combo("cb_fischjahr")->count(), 0);
    EXPECT_EQ(Stat().Tag(), TfrmStatistik::kNormal);
}

} // namespace
} // namespace zv::test
