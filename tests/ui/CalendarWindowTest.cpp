// The fishing calendar and its day window, opened from the main window.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "calendar/ui/MonthCellDelegate.h"
#include "calendar/ui/TfrmKalender.h"
#include "calendar/ui/TfrmKalenderDetails.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <QAction>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>

namespace zv::test {
namespace {

std::string FishingDate(int dayOfMarch) {
    return (dayOfMarch < 10 ? "0" : "") + std::to_string(dayOfMarch) + ".03.2004";
}

class CalendarWindowTest : public ProgramTest {
protected:
    CalendarWindowTest() : clock_(EncodeDate(2004, 3, 20) + 0.5) { SetCurrentClock(&clock_); }
    ~CalendarWindowTest() override { SetCurrentClock(nullptr); }

    // Both databases in the program folder, named in the settings.
    void UseTables(const std::vector<CatchRow>& catches, const std::vector<CatchRow>& days) {
        WriteCatchDatabase(Folder() / "Fang.f", catches);
        std::unique_ptr<TMlbc> cal = MakeEmptyTable(CalendarFields());
        for (const CatchRow& row : days) {
            cal->AppendRow();
            for (const auto& [field, value] : row) {
                ASSERT_TRUE(cal->SetData(field, value)) << field;
            }
        }
        ASSERT_TRUE(cal->SaveToFile(PathToUtf8(Folder() / "Tage.cal")));
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"),
                       "Kalender=" + PathToUtf8(Folder() / "Tage.cal")});
    }
    // March 2004 (the 1st is a Monday): three catches on the 17th, one on
    // the 4th, nothing caught on the 5th, catches and a fishing day on the 9th.
    void UseMarch() {
        UseTables({{{"Fangdatum", "17.03.2004"}, {"Fischart", "Hecht"}, {"Gewaesser", "Rhein"}},
                   {{"Fangdatum", "17.03.2004"}, {"Fischart", "Barsch"}},
                   {{"Fangdatum", "04.03.2004"},
                    {"Fischart", "Zander"},
                    {"Laenge", "55,5"},
                    {"Angelbeginn", "22:30:00"},
                    {"Angelende", "01:15:00"}},
                   {{"Fangdatum", "17.03.2004"}, {"Fischart", "Aal"}, {"Gewaesser", "Kanal"}},
                   {{"Fangdatum", "09.03.2004"}, {"Fischart", "Döbel"}}},
                  {{{"Datum", "05.03.2004"}, {"Gewaesser", "Möhnesee"}, {"Kommentar", "Wind"}},
                   {{"Datum", "09.03.2004"}}});
    }
    TfrmKalender& Calendar() {
        return *main_->Forms().Get<TfrmKalender>(QStringLiteral("TfrmKalender"));
    }
    QDialog& Day() { return *main_->Forms().Get<QDialog>(QStringLiteral("TfrmKalenderDetails")); }
    QTableWidget& Grid() { return *Calendar().findChild<QTableWidget*>("StringGrid1"); }
    QString Cell(int row, int column) { return Grid().item(row, column)->text(); }
    // The cell of a day of March 2004.
    static std::pair<int, int> March(int day) { return {1 + (day - 1) / 7, (day - 1) % 7}; }
    QString Shown() {
        return Calendar().findChild<QLineEdit*>("Edit1")->text() + " " +
               QString::number(Calendar().findChild<QSpinBox*>("SpinEdit1")->value());
    }
    QStringList Catches() {
        QStringList rows;
        auto* list = Day().findChild<QTreeWidget*>("ListView1");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            rows << list->topLevelItem(i)->text(0) + ":" + list->topLevelItem(i)->text(1);
        }
        return rows;
    }
    QString Label(const char* name) { return Day().findChild<QLabel*>(name)->text(); }

    FixedClock clock_;
};

TEST_F(CalendarWindowTest, OpensOnTheCurrentMonthAndFillsAnewAtEveryShowing) {
    UseMarch();
    TfrmMain& main = Start();
    QStringList seen;
    modal_.On("frmKalender", [&](QDialog&) {
        const auto [row, column] = March(17);
        seen << Shown() + " " +
                    Calendar().findChild<QLineEdit*>("Edit1")->property("Tag").toString() + " " +
                    Cell(row, column);
    });
    main.findChild<QAction*>("Kalendar1")->trigger();
    // Another catch that day, and the calendar moved away meanwhile: the
    // next showing is the current month again, counted anew.
    main.GetWorkspace().DB().AppendRow();
    main.GetWorkspace().DB().SetData("Fangdatum", "17.03.2004");
    Calendar().Januar1Click(6);
    main.findChild<QPushButton*>("SpeedButton1")->click();
    EXPECT_EQ(seen,
              QStringList({"März 2004 3 17 \r\n\r\n3 Fische", "März 2004 3 17 \r\n\r\n4 Fische"}));
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKalender", "frmKalender"}));
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(CalendarWindowTest, MonthMenuYearBoxAndArrowsStepAcrossTheYears) {
    Start();
    TfrmKalender& calendar = Calendar();
    calendar.FormShow();
    struct Case {
        const char* menuItem;
        int year;
        const char* arrow;
        QString expected;
        std::pair<int, int> firstDay; // where the 1st of the new month sits
    };
    const Case cases[] = {
        {"Januar1", 2004, "BitBtn2", "Dezember 2003", {1, 0}},
        {"Dezember1", 2004, "BitBtn3", "Januar 2005", {1, 5}},
        {"Mrz1", 2004, "BitBtn3", "April 2004", {1, 3}},
        {"Juli1", 2004, "BitBtn2", "Juni 2004", {1, 1}},
    };
    for (const Case& c : cases) {
        calendar.findChild<QSpinBox*>("SpinEdit1")->setValue(c.year);
        calendar.findChild<QAction*>(c.menuItem)->trigger();
        calendar.findChild<QPushButton*>(c.arrow)->click();
        EXPECT_EQ(Shown(), c.expected);
        EXPECT_EQ(Cell(c.firstDay.first, c.firstDay.second), "1 ") << c.expected.toStdString();
    }
    // The year box alone refills the month for its year: 1 February 2004 is
    // a Sunday, 1 February 2005 a Tuesday.
    calendar.findChild<QAction*>("Februar1")->trigger();
    calendar.findChild<QSpinBox*>("SpinEdit1")->setValue(2005);
    EXPECT_EQ(Cell(1, 1), "1 ");
    EXPECT_EQ(Cell(1, 6), "6 ");
}

TEST_F(CalendarWindowTest, OnlyFishedDaysOpenTheDayWindowWithThatDayAlone) {
    UseMarch();
    Start();
    TfrmKalender& calendar = Calendar();
    calendar.FormShow();
    QStringList days;
    modal_.On("frmKalenderDetails", [&](QDialog&) {
        days << Label("lb_datum") + " | " + Label("lb_gewaesser") + " | " + Catches().join(",");
    });
    auto doubleClick = [&](std::pair<int, int> cell) {
        calendar.StringGrid1DblClick(cell.first, cell.second);
    };
    doubleClick(March(18)); // unmarked day
    doubleClick({0, 2});    // header
    doubleClick({6, 3});    // empty cell after the 31st
    EXPECT_TRUE(modal_.Shown().isEmpty());

    doubleClick(March(17));
    doubleClick(March(4));
    doubleClick(March(5));
    doubleClick(March(9)); // catches and a fishing day: the catches
    EXPECT_EQ(days, QStringList({"Mittwoch, 17.03.2004 | Kanal | 1:Hecht,2:Barsch,4:Aal",
                                 "Donnerstag, 04.03.2004 |  | 3:Zander",
                                 "Freitag, 05.03.2004 | Möhnesee | ",
                                 "Dienstag, 09.03.2004 |  | 5:Döbel"}));
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(CalendarWindowTest, DayWindowShowsTheFishingTimeAndOpensACatchsDetails) {
    UseMarch();
    Start();
    TfrmKalender& calendar = Calendar();
    calendar.FormShow();
    QString fishingTime;
    QString details;
    modal_.On("frmKalenderDetails", [&](QDialog& dialog) {
        fishingTime = Label("lb_angelzeit");
        auto* list = dialog.findChild<QTreeWidget*>("ListView1");
        list->setCurrentItem(list->topLevelItem(0));
        static_cast<TfrmKalenderDetails&>(dialog).ListView1DblClick();
    });
    modal_.On("frmDetails", [&](QDialog& dialog) {
        details = dialog.findChild<QLabel*>("lb_fischart")->text() + " " +
                  dialog.findChild<QLabel*>("lb_laenge")->text();
    });
    const auto [row, column] = March(4);
    calendar.StringGrid1DblClick(row, column);
    EXPECT_EQ(fishingTime, "22:30 Uhr - 01:15 Uhr = 02:45 Stunden");
    EXPECT_EQ(details, "Zander 55,5 cm");
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKalenderDetails", "frmDetails"}));
}

TEST_F(CalendarWindowTest, ABadDateStopsTheFillWithItsMessageAndLeavesTheDayNumbers) {
    UseTables({{{"Fangdatum", "17.03.2004"}}, {{"Fangdatum", "32.03.2004"}}}, {});
    TfrmMain& main = Start();
    main.findChild<QAction*>("Kalendar1")->trigger();
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList({"'32.03.2004' ist kein gültiges Datum"}));
    const auto [row, column] = March(17);
    EXPECT_EQ(Cell(row, column), "17 ");
    EXPECT_EQ(Cell(0, 0), "Mo ");
}

TEST_F(CalendarWindowTest, BusyMonthIsPaintedInItsColours) {
    std::vector<CatchRow> catches;
    const char* species[] = {"Hecht", "Barsch", "Zander", "Aal", "Forelle"};
    for (int day = 1; day <= 31; day += 2) {
        for (int i = 0; i < day % 5 + 1; ++i) {
            catches.push_back({{"Fangdatum", FishingDate(day)},
                               {"Fischart", species[(day + i) % 5]},
                               {"Gewaesser", day % 3 ? "Rhein" : "Möhnesee"},
                               {"Faenger", i % 2 ? "Eva Brandt" : "Jan Kowalski"},
                               {"Laenge", std::to_string(30 + day + i)},
                               {"Gewicht", std::to_string(400 + 37 * day)},
                               {"Angelbeginn", "05:30:00"},
                               {"Angelende", "09:45:00"},
                               {"Mondphase", "Zunehmender Mond"},
                               {"Wetter", "bewölkt"},
                               {"Luftdruck", "1012"},
                               {"Wassertemp", "9"},
                               {"Lufttemp", "12"},
                               {"Windrichtung", "SW"},
                               {"Windstaerke", "Schwache Brise"},
                               {"Wassertruebung", "leicht trüb"},
                               {"Wasserstand", "normal"},
                               {"Stelle", "Buhne 4"},
                               {"Kommentar", "Bisse nur in der Dämmerung,\r\ndann Ruhe."}});
        }
    }
    UseTables(catches, {{{"Datum", "08.03.2004"}}, {{"Datum", "22.03.2004"}}});
    Start();
    TfrmKalender& calendar = Calendar();
    Grid().setCurrentCell(3, 3); // the 18th, not fished
    QImage month;
    modal_.On("frmKalender", [&](QDialog& dialog) {
        month = QImage(QString::fromStdString(RenderToPng(dialog, "calendar_month").string()));
        const auto [row, column] = March(17);
        calendar.StringGrid1DblClick(row, column);
    });
    modal_.On("frmKalenderDetails", [&](QDialog& dialog) { RenderToPng(dialog, "calendar_day"); });
    main_->findChild<QAction*>("Kalendar1")->trigger();
    ASSERT_FALSE(month.isNull());
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKalender", "frmKalenderDetails"}));

    // The colour in the lower right corner of a cell, away from its text.
    auto colourAt = [&](int row, int column) {
        const QRect cell = Grid().visualRect(Grid().model()->index(row, column));
        const QPoint at = Grid().viewport()->mapTo(&calendar, cell.bottomRight() + QPoint(-6, -4));
        return QColor(month.pixel(at));
    };
    EXPECT_EQ(colourAt(0, 4), MonthCellDelegate::kHeaderColor);
    EXPECT_EQ(colourAt(March(17).first, March(17).second), MonthCellDelegate::kCatchColor);
    EXPECT_EQ(colourAt(March(22).first, March(22).second), MonthCellDelegate::kNothingCaughtColor);
    EXPECT_EQ(colourAt(March(18).first, March(18).second), MonthCellDelegate::kSelectedColor);
    EXPECT_EQ(colourAt(March(20).first, March(20).second), QColor(Qt::white));
}

} // namespace
} // namespace zv::test
