#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "reports/HtmlCatchSheet.h"
#include "reports/ReportWriter.h"
#include "reports/ui/TfrmAuswerten.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>

namespace zv::test {
namespace {

class ReportWindowTest : public ProgramTest {
protected:
    ReportWindowTest() { SetCurrentClock(&clock_); }
    ~ReportWindowTest() override { SetCurrentClock(nullptr); }

    void UseDatabases(const std::vector<CatchRow>& catches,
                      const std::vector<std::map<std::string, std::string>>& costs) {
        WriteCatchDatabase(Folder() / "Fang.f", catches);
        WriteCostDatabase(Folder() / "Kosten.a", costs);
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"),
                       "Angelkosten=" + PathToUtf8(Folder() / "Kosten.a")});
    }
    TfrmAuswerten& Window() const {
        return *main_->Forms().Get<TfrmAuswerten>(QStringLiteral("TfrmAuswerten"));
    }
    QComboBox* Combo(const char* name) const { return Window().findChild<QComboBox*>(name); }
    QStringList Items(const char* name) const {
        QStringList items;
        for (int i = 0; i < Combo(name)->count(); ++i) {
            items << Combo(name)->itemText(i);
        }
        return items;
    }
    void Trigger(const char* action) { main_->findChild<QAction*>(action)->trigger(); }
    // Answers the save dialog with a file of the program folder.
    std::filesystem::path SaveAs(const char* name) {
        const std::filesystem::path path = Folder() / name;
        prompts_.AnswerSaveFile(FileChoice{ToQ(PathToUtf8(path)), 1});
        return path;
    }

    FixedClock clock_{EncodeDate(2009, 3, 1)};
};

// What qpdf and pdftotext make of a written report: empty when qpdf finds
// nothing wrong and the text holds every expected piece, else what failed.
std::string CheckFromOutside(const std::filesystem::path& pdf,
                             const std::vector<std::string>& texts) {
    const std::string quoted = "'" + pdf.string() + "'";
    if (std::system(("qpdf --check " + quoted + " >/dev/null").c_str()) != 0) {
        return "qpdf --check fails";
    }
    const std::string text = pdf.string() + ".txt";
    if (std::system(("pdftotext -enc UTF-8 " + quoted + " '" + text + "'").c_str()) != 0) {
        return "pdftotext fails";
    }
    const std::string content = ReadWholeFile(text);
    for (const std::string& expected : texts) {
        if (content.find(expected) == std::string::npos) {
            return "no \"" + expected + "\" in " + content;
        }
    }
    return {};
}

const std::vector<CatchRow> kCatches = {
    {{"Fangdatum", "05.06.2007"}, {"Faenger", "Uwe"}, {"Fischart", "Hecht"}},
    {{"Fangdatum", "06.06.2008"}, {"Faenger", "Jan"}, {"Fischart", "Zander"}},
    {{"Fangdatum", "07.06.2008"}, {"Faenger", "Uwe"}, {"Fischart", "Aal"}}};

TEST_F(ReportWindowTest, EmptyTablesHaveNothingToReport) {
    UseDatabases({}, {});
    Start();
    for (const char* action : {"Zelvorin1", "Angelkosten2", "Jahreszusammenfassung1"}) {
        Trigger(action);
    }
    EXPECT_EQ(prompts_.Texts(PromptKind::Message),
              QStringList(3, QStringLiteral("Keine Daten zum Auswerten")));
    EXPECT_TRUE(modal_.Shown().isEmpty());
    EXPECT_TRUE(prompts_.Texts(PromptKind::SaveFile).isEmpty());
}

TEST_F(ReportWindowTest, CatchBookOffersTheCatchersAndTheirYearsAndWritesTheChoice) {
    UseDatabases(kCatches, {});
    WriteTextFile(Folder() / "DATs" / "Faenger.dat", {"Uwe", "Jan"});
    Start();
    const std::filesystem::path target = SaveAs("Fangbuch.pdf");
    bool stillOpen = true;
    modal_.On("frmAuswerten", [&](QDialog& dialog) {
        EXPECT_TRUE(dialog.findChild<QFrame*>("Panel1")->isVisible());
        EXPECT_EQ(dialog.findChild<QFrame*>("Panel2")->x(), 264);
        EXPECT_EQ(Items("cb_faenger"), QStringList({"-Alle-", "Uwe", "Jan"}));
        EXPECT_EQ(Items("cb_jahr"), QStringList({"-Alle-", "2008", "2007"}));
        RenderToPng(dialog, "report_window_catch_book");
        Combo("cb_faenger")->setCurrentText("Jan");
        EXPECT_EQ(Items("cb_jahr"), QStringList({"-Alle-", "2008"}));
        Combo("cb_faenger")->setCurrentText("Uwe");
        Combo("cb_jahr")->setCurrentText("2008");
        dialog.findChild<QPushButton*>("BitBtn2")->click();
        stillOpen = dialog.isVisible();
    });
    Trigger("Zelvorin1");
    EXPECT_EQ(modal_.Shown(), QStringList({"frmAuswerten"}));
    EXPECT_FALSE(stillOpen);
    ASSERT_EQ(prompts_.Shown().size(), 1u) << prompts_.Shown()[1].text.toStdString();
    const FileDialogOptions& options = prompts_.Shown()[0].file;
    EXPECT_EQ(options.filter, "PDF Files|*.pdf|All Files|*.*");
    EXPECT_EQ(options.defaultExt, ".pdf");
    EXPECT_EQ(Window().Writer().SelectedRows(), std::vector<int>{3});
    EXPECT_EQ(CheckFromOutside(target, {"2008", "Aal"}), "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportWindowTest, CostListMovesTheYearPanelAndAnEmptyYearSaysSo) {
    UseDatabases({}, {{{"Kaufdatum", "05.06.2007"}, {"Artikel", "Rute"}, {"Gesamtpreis", "30"}}});
    Start();
    modal_.On("frmAuswerten", [&](QDialog& dialog) {
        EXPECT_FALSE(dialog.findChild<QFrame*>("Panel1")->isVisible());
        EXPECT_EQ(dialog.findChild<QFrame*>("Panel2")->x(), 104);
        EXPECT_EQ(Items("cb_jahr"), QStringList({"-Alle-", "2009", "2008", "2007"}));
        RenderToPng(dialog, "report_window_cost_list");
        Combo("cb_jahr")->setCurrentText("2008");
        dialog.findChild<QPushButton*>("BitBtn2")->click();
        EXPECT_TRUE(dialog.isVisible());
    });
    Trigger("Angelkosten2");
    EXPECT_EQ(prompts_.Texts(PromptKind::Information), QStringList(ToQ(kNoSelectedData)));
    EXPECT_TRUE(prompts_.Texts(PromptKind::SaveFile).isEmpty());
}

TEST_F(ReportWindowTest, YearSummaryIsWrittenWithoutShowingTheWindow) {
    UseDatabases({}, {{{"Kaufdatum", "05.06.2008"}, {"Gesamtpreis", "80"}},
                      {{"Kaufdatum", "05.06.2009"}, {"Gesamtpreis", "100"}}});
    Start();
    const std::filesystem::path target = SaveAs("Jahre.pdf");
    Trigger("Jahreszusammenfassung1");
    EXPECT_TRUE(modal_.Shown().isEmpty());
    EXPECT_EQ(prompts_.Texts(PromptKind::SaveFile).size(), 1);
    EXPECT_EQ(CheckFromOutside(target, {"2009", "100,00 €", "20,00 €", "25,00 %"}), "");
    EXPECT_FALSE(Window().isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportWindowTest, CancelAndFailureWriteNothingAndKeepTheWindowOpen) {
    std::vector<CatchRow> catches(7, CatchRow{{"Fischart", "Hecht"}});
    UseDatabases(catches, {{{"Kaufdatum", "05.06.2007"}, {"Gesamtpreis", "x"}}});
    Start();
    const std::filesystem::path book = SaveAs("Fangbuch.pdf");
    WriteTextFile(book, {"alter Bericht"});
    int pagesWhenCancelled = -1;
    modal_.On("frmAuswerten", [&](QDialog& dialog) {
        // Press "Abbrechen" in the progress dialog as soon as events flow.
        QTimer::singleShot(0, &dialog, [&] {
            auto* progress = QApplication::activeModalWidget()
                                 ? qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())
                                 : nullptr;
            ASSERT_NE(progress, nullptr);
            EXPECT_EQ(progress->maximum(), 3);
            pagesWhenCancelled = progress->value();
            RenderToPng(*progress, "report_progress");
            progress->cancel();
        });
        dialog.findChild<QPushButton*>("BitBtn2")->click();
        EXPECT_TRUE(dialog.isVisible());
    });
    Trigger("Zelvorin1");
    EXPECT_GE(pagesWhenCancelled, 0);
    EXPECT_LT(pagesWhenCancelled, 3);
    EXPECT_EQ(ReadLines(book), std::vector<std::string>{"alter Bericht"});
    EXPECT_TRUE(prompts_.Texts(PromptKind::Error).isEmpty());

    const std::filesystem::path costs = SaveAs("Kosten.pdf");
    modal_.On("frmAuswerten", [&](QDialog& dialog) {
        dialog.findChild<QPushButton*>("BitBtn2")->click();
        EXPECT_TRUE(dialog.isVisible());
    });
    Trigger("Angelkosten2");
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList(QStringLiteral("'x' ist kein gültiger Gleitkommawert\n") +
                          ToQ(kNothingWritten)));
    EXPECT_FALSE(std::filesystem::exists(costs));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportWindowTest, CatchSheetIsWrittenWhereTheUserSaysAndAFailureIsShown) {
    UseDatabases(kCatches, {});
    TfrmMain& main = Start();
    const std::filesystem::path sheet = SaveAs("Fangliste.html");
    prompts_.AnswerSaveFile(std::nullopt);
    prompts_.AnswerSaveFile(FileChoice{ToQ(PathToUtf8(Folder() / "fehlt" / "x.html")), 1});
    for (int i = 0; i < 3; ++i) {
        Trigger("Fanglisteerstellen1");
    }
    const FileDialogOptions& options = prompts_.Shown()[0].file;
    EXPECT_EQ(options.filter, "html|*.html");
    EXPECT_EQ(options.defaultExt, ".html");
    EXPECT_TRUE(options.fileName.isEmpty());
    EXPECT_EQ(ReadLines(sheet), BuildCatchSheet(main.GetWorkspace().DB()));
    EXPECT_TRUE(prompts_.Texts(PromptKind::Information).isEmpty());
    const QStringList errors = prompts_.Texts(PromptKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(ToQ(PathToUtf8(Folder() / "fehlt" / "x.html"))))
        << errors[0].toStdString();
}

TEST_F(ReportWindowTest, CatchSheetWithoutACatchDatabaseSaysWhyItHasNoRows) {
    TfrmMain& main = Start();
    const std::filesystem::path sheet = SaveAs("Fangliste.html");
    Trigger("Fanglisteerstellen1");
    EXPECT_EQ(prompts_.Texts(PromptKind::Information).size(), 1);
    EXPECT_EQ(ReadLines(sheet), BuildCatchSheet(main.GetWorkspace().DB()));
}

} // namespace
} // namespace zv::test
