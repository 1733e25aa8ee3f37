// The fishing calendar and its day window, opened from the main window.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "calendar/ui/TfrmKalender.h"
#include "calendar/ui/TfrmKalenderDetails.h"
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

class CalendarWindowTest : public ProgramTest {
protected:
    CalendarWindowTest() : clock_(EncodeDate(2004, 3, 20) + 0.5) { SetCurrentClock(&clock_); }
    ~CalendarWindowTest() override { SetCurrentClock(nullptr); }

    // Both databases in the program folder, named in the settings.
    void UseTables(const std::vector<CatchRow>& catches, const std::vector<CatchRow>& days) {
        WriteCatchDatabase(Folder() / "Fang.f", catches);
        WriteCalendarDatabase(Folder() / "Tage.cal", days);
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"),
                       "Kalender=" + PathToUtf8(Folder() / "Tage.cal")});
    }
    TfrmKalender& Calendar() {
        return *main_->Forms().Get<TfrmKalender>(QStringLiteral("TfrmKalender"));
    }
    QDialog& Day() { return *main_->Forms().Get<QDialog>(QStringLiteral("TfrmKalenderDetails")); }
    QTableWidget& Grid() { return *Calendar().findChild<QTableWidget*>("StringGrid1"); }
    // The text of a cell, or of a day of March 2004 (the 1st is a Monday).
    QString Cell(int row, int column) { return Grid().item(row, column)->text(); }
    static std::pair<int, int> March(int day) { return {1 + (day - 1) / 7, (day - 1) % 7}; }
    void DoubleClick(int dayOfMarch) {
        Calendar().StringGrid1DblClick(March(dayOfMarch).first, March(dayOfMarch).second);
    }
    QString Shown() {
        return Calendar().findChild<QLineEdit*>("Edit1")->text() + " " +
               QString::number(Calendar().findChild<QSpinBox*>("SpinEdit1")->value());
    }
    QString Label(const char* name) { return Day().findChild<QLabel*>(name)->text(); }

    FixedClock clock_;
};

TEST_F(CalendarWindowTest, BusyMonthIsPaintedInItsColoursAndFilledAnewAtEveryShowing) {
    const CatchRow conditions = {{"Angelbeginn", "05:30:00"},
                                 {"Angelende", "09:45:00"},
                                 {"Mondphase", "Zunehmender Mond"},
                                 {"Wetter", "bewölkt"},
                                 {"Luftdruck", "1012"},
                                 {"Wassertemp", "9"},
                                 {"Lufttemp", "12"},
                                 {"Windrichtung", "SW"},
                                 {"Windstaerke", "Schwache Brise"},
                                 {"Wasserstand", "normal"},
                                 {"Wassertruebung", "leicht trüb"},
                                 {"Stelle", "Buhne 4"},
                                 {"Kommentar", "Bisse nur in der Dämmerung,\r\ndann Ruhe."}};
    std::vector<CatchRow> catches;
    const char* species[] = {"Hecht", "Barsch", "Zander", "Aal", "Forelle"};
    for (int day = 1; day <= 31; day += 2) {
        for (int i = 0; i < day % 5 + 1; ++i) { // three catches on the 17th
            CatchRow row = conditions;
            row.insert({{"Fangdatum", (day < 10 ? "0" : "") + std::to_string(day) + ".03.2004"},
                        {"Fischart", species[(day + i) % 5]},
                        {"Gewaesser", day % 3 ? "Rhein" : "Möhnesee"},
                        {"Faenger", i % 2 ? "Eva Brandt" : "Jan Kowalski"},
                        {"Laenge", std::to_string(30 + day + i)},
                        {"Gewicht", std::to_string(400 + 37 * day)}});
            catches.push_back(row);
        }
    }
    UseTables(catches, {{{"Datum", "08.03.2004"}}, {{"Datum", "22.03.2004"}}});
    TfrmMain& main = Start();
    Grid().setCurrentCell(3, 3); // the 18th, not fished
    QImage month;
    QStringList seen;
    modal_.On("frmKalender", [&](QDialog& dialog) {
        seen << Shown() + " " +
                    Calendar().findChild<QLineEdit*>("Edit1")->property("Tag").toString() + " " +
                    Cell(March(17).first, March(17).second);
        if (month.isNull()) {
            month = QImage(QString::fromStdString(RenderToPng(dialog, "calendar_month").string()));
            DoubleClick(17);
        }
    });
    modal_.On("frmKalenderDetails", [&](QDialog& dialog) { RenderToPng(dialog, "calendar_day"); });
    main.findChild<QAction*>("Kalendar1")->trigger();
    // Another catch that day, and the calendar moved away meanwhile: the
    // next showing is the current month again, counted anew.
    main.GetWorkspace().DB().AppendRow();
    main.GetWorkspace().DB().SetData("Fangdatum", "17.03.2004");
    Calendar().Januar1Click(6);
    main.findChild<QPushButton*>("SpeedButton1")->click();
    EXPECT_EQ(seen,
              QStringList({"März 2004 3 17 \r\n\r\n3 Fische", "März 2004 3 17 \r\n\r\n4 Fische"}));
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKalender", "frmKalenderDetails", "frmKalender"}));

    // The colour in the lower right corner of a cell, away from its text.
    const std::pair<std::pair<int, int>, const char*> cells[] = {
        {{0, 4}, "#d2d2d2"},    // header
        {March(17), "#b8dfc2"}, // catches
        {March(22), "#f3b3b3"}, // nothing caught
        {March(18), "#c6d3ef"}, // selected
        {March(20), "#ffffff"}, // not fished
    };
    for (const auto& [cell, colour] : cells) {
        const QRect rect = Grid().visualRect(Grid().model()->index(cell.first, cell.second));
        const QPoint at =
            Grid().viewport()->mapTo(&Calendar(), rect.bottomRight() + QPoint(-6, -4));
        EXPECT_EQ(QColor(month.pixel(at)).name(), colour);
    }
}

TEST_F(CalendarWindowTest, MonthMenuYearBoxAndArrowsStepAcrossTheYears) {
    Start();
    TfrmKalender& calendar = Calendar();
    calendar.FormShow();
    const struct {
        const char* menuItem;
        const char* arrow;
        QString expected;
    } cases[] = {
        {"Januar1", "BitBtn2", "Dezember 2003"},
        {"Dezember1", "BitBtn3", "Januar 2005"},
        {"Mrz1", "BitBtn3", "April 2004"},
        {"Juli1", "BitBtn2", "Juni 2004"},
    };
    for (const auto& c : cases) {
        calendar.findChild<QSpinBox*>("SpinEdit1")->setValue(2004);
        calendar.findChild<QAction*>(c.menuItem)->trigger();
        calendar.findChild<QPushButton*>(c.arrow)->click();
        EXPECT_EQ(Shown(), c.expected);
    }
    EXPECT_EQ(Cell(1, 1), "1 "); // 1 June 2004 is a Tuesday
    // The year box alone refills the month for its year: 1 June 2005 is a
    // Wednesday.
    calendar.findChild<QSpinBox*>("SpinEdit1")->setValue(2005);
    EXPECT_EQ(Cell(1, 2), "1 ");
}

TEST_F(CalendarWindowTest, OnlyFishedDaysOpenTheDayWindowWithThatDayAlone) {
    UseTables({{{"Fangdatum", "17.03.2004"}, {"Fischart", "Hecht"}, {"Gewaesser", "Rhein"}},
               {{"Fangdatum", "17.03.2004"}, {"Fischart", "Barsch"}},
               {{"Fangdatum", "04.03.2004"},
                {"Fischart", "Zander"},
                {"Angelbeginn", "22:30:00"},
                {"Angelende", "01:15:00"}},
               {{"Fangdatum", "17.03.2004"}, {"Fischart", "Aal"}, {"Gewaesser", "Kanal"}},
               {{"Fangdatum", "09.03.2004"}, {"Fischart", "Döbel"}}},
              {{{"Datum", "05.03.2004"}, {"Gewaesser", "Möhnesee"}, {"Kommentar", "Wind"}},
               {{"Datum", "09.03.2004"}}});
    Start();
    Calendar().FormShow();
    QStringList days;
    modal_.On("frmKalenderDetails", [&](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>("ListView1");
        QString line = Label("lb_datum") + " | " + Label("lb_angelzeit") + " | " +
                       Label("lb_gewaesser") + " | " +
                       dialog.findChild<QPlainTextEdit*>("Memo1")->toPlainText() + " |";
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            line += " " + list->topLevelItem(i)->text(0) + ":" + list->topLevelItem(i)->text(1);
        }
        days << line;
        // A double click on the first catch opens its details.
        list->setCurrentItem(list->topLevelItem(0));
        static_cast<TfrmKalenderDetails&>(dialog).ListView1DblClick();
    });
    QStringList details;
    modal_.On("frmDetails", [&](QDialog& dialog) {
        details << dialog.findChild<QLabel*>("lb_fischart")->text();
    });
    for (const std::pair<int, int>& nothing : {March(18), {0, 2}, {6, 3}}) {
        Calendar().StringGrid1DblClick(nothing.first, nothing.second); // unmarked, header, empty
    }
    EXPECT_TRUE(modal_.Shown().isEmpty());

    for (const int day : {17, 4, 5, 9}) { // the 9th has catches and a fishing day
        DoubleClick(day);
    }
    const QString noTime = "00:00 Uhr - 00:00 Uhr = 00:00 Stunden";
    EXPECT_EQ(
        days,
        QStringList(
            {"Mittwoch, 17.03.2004 | " + noTime + " | Kanal |  | 1:Hecht 2:Barsch 4:Aal",
             "Donnerstag, 04.03.2004 | 22:30 Uhr - 01:15 Uhr = 02:45 Stunden |  |  | 3:Zander",
             "Freitag, 05.03.2004 | " + noTime + " | Möhnesee | Wind |",
             "Dienstag, 09.03.2004 | " + noTime + " |  |  | 5:Döbel"}));
    EXPECT_EQ(details, QStringList({"Hecht", "Zander", "Döbel"}));
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(CalendarWindowTest, ABadDateStopsTheFillWithItsMessageAndLeavesTheDayNumbers) {
    UseTables({{{"Fangdatum", "17.03.2004"}}, {{"Fangdatum", "32.03.2004"}}}, {});
    TfrmMain& main = Start();
    main.findChild<QAction*>("Kalendar1")->trigger();
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList({"'32.03.2004' ist kein gültiges Datum"}));
    EXPECT_EQ(Cell(March(17).first, March(17).second), "17 ");
    EXPECT_EQ(Cell(0, 0), "Mo ");
}

} // namespace
} // namespace zv::test
