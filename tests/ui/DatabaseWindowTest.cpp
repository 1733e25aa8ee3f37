#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "storage/IniFile.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/ui/TfrmDatenbank.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include <functional>

namespace zv::test {
namespace {

std::string Joined(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        line += (line.empty() ? "" : ";") + field;
    }
    return line;
}

class DatabaseWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        other_ = std::make_unique<TempFolder>();
        WriteCatchDatabase(
            Folder() / "Fang.f",
            {{{"Fangdatum", "01.02.2003"}, {"Faenger", "Jan"}, {"Fischart", "Hecht"}}});
        WriteCostDatabase(Folder() / "Kosten.a", {{{"Gesamtpreis", "5"}}});
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"),
                       "Angelkosten=" + PathToUtf8(Folder() / "Kosten.a"),
                       "Kalender=" + PathToUtf8(Folder() / "Tage.cal")});
    }

    // Opens the database window from its menu item and runs `action` in it.
    void InWindow(const std::function<void(TfrmDatenbank&)>& action) {
        modal_.On("frmDatenbank",
                  [action](QDialog& dialog) { action(dynamic_cast<TfrmDatenbank&>(dialog)); });
        main_->findChild<QAction*>("Datenbankauswhlen1")->trigger();
    }
    static QLineEdit* Field(QDialog& dialog, const char* name) {
        return dialog.findChild<QLineEdit*>(name);
    }
    std::string Setting(const char* key) const {
        return IniFile(Folder() / "Zelvorin.ini").ReadString("Datenbank", key);
    }
    int ListRows() const { return main_->findChild<QTableView*>("ListView1")->model()->rowCount(); }

    std::unique_ptr<TempFolder> other_;
};

TEST_F(DatabaseWindowTest, ShowsTheThreePathsAndSavingUnchangedKeepsTheSettings) {
    Start();
    const std::string before = ReadWholeFile(Folder() / "Zelvorin.ini");
    QStringList shown;
    QStringList tabs;
    QStringList hints;
    InWindow([&](TfrmDatenbank& window) {
        shown << Field(window, "ed_zelvorindb")->text() << Field(window, "ed_angelkostendb")->text()
              << Field(window, "ed_caldb")->text();
        auto* pages = window.findChild<QTabWidget*>("PageControl1");
        for (int i = 0; i < pages->count(); ++i) {
            tabs << pages->tabText(i) + "/" + pages->widget(i)->objectName();
        }
        for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4",
                                 "SpeedButton5", "SpeedButton6"}) {
            hints << window.findChild<QToolButton*>(name)->toolTip();
        }
        window.SpeichernClick();
    });
    EXPECT_EQ(shown, QStringList({QString::fromStdString(PathToUtf8(Folder() / "Fang.f")),
                                  QString::fromStdString(PathToUtf8(Folder() / "Kosten.a")),
                                  QString::fromStdString(PathToUtf8(Folder() / "Tage.cal"))}));
    EXPECT_EQ(tabs,
              QStringList({"Zelvorin/Zelvorin", "Angelkosten/Angelkosten", "Kalender/TabSheet1"}));
    EXPECT_EQ(hints, QStringList({"Datenbank öffnen", "Datenbank erstellen", "Datenbank erstellen",
                                  "Datenbank öffnen", "Datenbank öffnen", "Datenbank erstellen"}));
    EXPECT_EQ(ReadWholeFile(Folder() / "Zelvorin.ini"), before);
    EXPECT_EQ(modal_.Shown(), QStringList({"frmDatenbank"}));
}

TEST_F(DatabaseWindowTest, CreatesEachKindWithExactlyTheHeaderOfItsSchema) {
    Start();
    const std::filesystem::path costs = other_->Path() / "Neu.a";
    const std::filesystem::path catches = other_->Path() / "Neu.f";
    const std::filesystem::path days = other_->Path() / "Neu.cal";
    prompts_.AnswerSaveFile(FileChoice{QString::fromStdString(PathToUtf8(costs)), 1});
    prompts_.AnswerSaveFile(FileChoice{QString::fromStdString(PathToUtf8(catches)), 1});
    prompts_.AnswerSaveFile(FileChoice{QString::fromStdString(PathToUtf8(days)), 1});
    QStringList fields;
    InWindow([&](TfrmDatenbank& window) {
        window.findChild<QToolButton*>("SpeedButton3")->click();
        window.findChild<QToolButton*>("SpeedButton2")->click();
        window.findChild<QToolButton*>("SpeedButton6")->click();
        window.SpeedButton2Click(); // cancelled: nothing changes
        fields << Field(window, "ed_zelvorindb")->text()
               << Field(window, "ed_angelkostendb")->text() << Field(window, "ed_caldb")->text();
        window.AbbrechenClick();
    });
    EXPECT_EQ(ReadLines(catches), std::vector<std::string>{Joined(CatchFields())});
    EXPECT_EQ(ReadLines(costs), std::vector<std::string>{Joined(CostFields())});
    EXPECT_EQ(ReadLines(days), std::vector<std::string>{Joined(CalendarFields())});
    EXPECT_EQ(ReadWholeFile(catches).substr(ReadWholeFile(catches).size() - 2), "\r\n");
    EXPECT_EQ(fields, QStringList({QString::fromStdString(PathToUtf8(catches)),
                                   QString::fromStdString(PathToUtf8(costs)),
                                   QString::fromStdString(PathToUtf8(days))}));
    const auto& shown = prompts_.Shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].file.title, "Datenbank speichern");
    EXPECT_EQ(shown[0].file.filter, "Angelkosten Datenbank (*.a) | *.a");
    EXPECT_EQ(shown[0].file.defaultExt, ".a");
    EXPECT_EQ(shown[1].file.filter, "Zelvorin Datenbank (*.f) | *.f");
    EXPECT_EQ(shown[1].file.defaultExt, ".f");
    EXPECT_EQ(shown[2].file.filter, "Zelvorin Kalender (*.cal) | *.cal");
    EXPECT_EQ(shown[2].file.defaultExt, ".cal");
    EXPECT_EQ(shown[1].file.initialDir, QString::fromStdString(PathToUtf8(Folder())));
    // "Abbrechen" left the settings as they were.
    EXPECT_EQ(Setting("Zelvorin"), PathToUtf8(Folder() / "Fang.f"));
}

TEST_F(DatabaseWindowTest, SecondFilterEntryConvertsAndSpeichernOpensTheResult) {
    auto legacy = MakeEmptyTable({"Fangdatum", "Faenger", "Fischart", "Uferdistanz", "Bild"});
    const char* const rows[][3] = {{"03.04.2001", "Ole", "Karpfen"},
                                   {"05.04.2001", "Ole", "Schleie"}};
    for (const auto& row : rows) {
        legacy->AppendRow();
        legacy->SetData("Fangdatum", row[0]);
        legacy->SetData("Faenger", row[1]);
        legacy->SetData("Fischart", row[2]);
        legacy->SetData("Uferdistanz", "12");
    }
    const std::filesystem::path old = other_->Path() / "Alt.fdb";
    ASSERT_TRUE(legacy->SaveToFile(PathToUtf8(old)));
    const std::filesystem::path target = Folder() / "Alt.f";
    Start();
    EXPECT_EQ(ListRows(), 1);

    prompts_.AnswerOpenFile(FileChoice{QString::fromStdString(PathToUtf8(old)), 2});
    prompts_.AnswerSaveFile(FileChoice{QString::fromStdString(PathToUtf8(target)), 1});
    QString field;
    InWindow([&](TfrmDatenbank& window) {
        window.findChild<QToolButton*>("SpeedButton1")->click();
        field = Field(window, "ed_zelvorindb")->text();
        window.findChild<QPushButton*>("Speichern")->click();
    });
    const auto& shown = prompts_.Shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, PromptKind::OpenFile);
    EXPECT_EQ(shown[0].file.title, "Datenbank öffnen");
    EXPECT_EQ(shown[0].file.filter,
              "Zelvorin Datenbank (*.f) | *.f| Zelvorin Datenbank (*.fdb) | *.fdb");
    EXPECT_EQ(shown[1].kind, PromptKind::SaveFile);

    EXPECT_EQ(field, QString::fromStdString(PathToUtf8(target)));
    ASSERT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(ReadLines(target)[0], Joined(CatchFields()));
    EXPECT_EQ(Setting("Zelvorin"), PathToUtf8(target));
    EXPECT_EQ(main_->GetWorkspace().CatchPath(), PathToUtf8(target));
    EXPECT_EQ(main_->GetWorkspace().DB().GetData("Distanz"), "12");
    EXPECT_EQ(ListRows(), 2);
    // The value lists were rebuilt from the new catches, and the angler
    // filter follows them.
    EXPECT_EQ(ReadLines(Folder() / "DATs" / "Fischarten.dat"),
              (std::vector<std::string>{"Karpfen", "Schleie"}));
    auto* angler = main_->findChild<QComboBox*>("cb_faenger");
    ASSERT_EQ(angler->count(), 2);
    EXPECT_EQ(angler->itemText(1), "Ole");
    EXPECT_TRUE(prompts_.Texts(PromptKind::Error).isEmpty());
}

TEST_F(DatabaseWindowTest, FirstFilterEntryOnlyTakesThePath) {
    auto table = MakeEmptyTable(CatchFields());
    table->AppendRow();
    table->SetData("Fangdatum", "09.09.2009");
    table->AppendRow();
    table->SetData("Fangdatum", "10.09.2009");
    const std::filesystem::path named = other_->Path() / "Anders.fdb";
    ASSERT_TRUE(table->SaveToFile(PathToUtf8(named)));
    Start();
    prompts_.AnswerOpenFile(FileChoice{QString::fromStdString(PathToUtf8(named)), 1});
    InWindow([&](TfrmDatenbank& window) {
        window.SpeedButton1Click();
        EXPECT_EQ(Field(window, "ed_zelvorindb")->text().toStdString(), PathToUtf8(named));
        window.SpeichernClick();
    });
    EXPECT_EQ(prompts_.Texts(PromptKind::SaveFile).size(), 0);
    EXPECT_FALSE(std::filesystem::exists(Folder() / "Anders.f"));
    EXPECT_EQ(main_->GetWorkspace().CatchPath(), PathToUtf8(named));
    EXPECT_EQ(ListRows(), 2);
}

TEST_F(DatabaseWindowTest, MissingFileIsWrittenToTheSettingsButNotLoaded) {
    Start();
    const std::string missing = PathToUtf8(other_->Path() / "gibtsnicht.cal");
    const std::string missingCatch = PathToUtf8(other_->Path() / "weg.f");
    InWindow([&](TfrmDatenbank& window) {
        Field(window, "ed_caldb")->setText(QString::fromStdString(missing));
        Field(window, "ed_zelvorindb")->setText(QString::fromStdString(missingCatch));
        window.SpeichernClick();
    });
    EXPECT_EQ(Setting("Kalender"), missing);
    EXPECT_EQ(Setting("Zelvorin"), missingCatch);
    EXPECT_EQ(main_->GetWorkspace().CatchPath(), PathToUtf8(Folder() / "Fang.f"));
    EXPECT_EQ(main_->GetWorkspace().DB().RowCount(), 1);
    EXPECT_TRUE(main_->GetWorkspace().CalendarPath().empty());
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(DatabaseWindowTest, UnsavedEditsAreLostAndThePageLeftOpenStays) {
    Start();
    int pageOnReturn = -1;
    InWindow([&](TfrmDatenbank& window) {
        Field(window, "ed_zelvorindb")->setText("/irgendwo/anders.f");
        window.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(2);
        window.AbbrechenClick();
    });
    QString field;
    InWindow([&](TfrmDatenbank& window) {
        field = Field(window, "ed_zelvorindb")->text();
        pageOnReturn = window.findChild<QTabWidget*>("PageControl1")->currentIndex();
        window.AbbrechenClick();
    });
    EXPECT_EQ(field.toStdString(), PathToUtf8(Folder() / "Fang.f"));
    EXPECT_EQ(pageOnReturn, 2);
    EXPECT_EQ(Setting("Zelvorin"), PathToUtf8(Folder() / "Fang.f"));
}

TEST_F(DatabaseWindowTest, AfterSwitchingDeleteSavesIntoTheNewFileAndCostsFollow) {
    const std::filesystem::path newCatches = other_->Path() / "Zwei.f";
    const std::filesystem::path newCosts = other_->Path() / "Zwei.a";
    WriteCatchDatabase(newCatches, {{{"Fangdatum", "01.01.2020"}}, {{"Fangdatum", "02.01.2020"}}});
    WriteCostDatabase(newCosts, {{{"Gesamtpreis", "19,99"}, {"Versandkosten", "3"}}});
    Start();
    EXPECT_EQ(main_->findChild<QLabel*>("lb_angelkosten")->text(), "5,00 €");
    InWindow([&](TfrmDatenbank& window) {
        Field(window, "ed_zelvorindb")->setText(QString::fromStdString(PathToUtf8(newCatches)));
        Field(window, "ed_angelkostendb")->setText(QString::fromStdString(PathToUtf8(newCosts)));
        window.SpeichernClick();
    });
    EXPECT_EQ(main_->findChild<QLabel*>("lb_angelkosten")->text(), "22,99 €");
    main_->SelectListRow(0);
    prompts_.AnswerYesNo(true);
    main_->Lschen1Click();
    EXPECT_EQ(ReadLines(newCatches).size(), 2u);
    EXPECT_EQ(ReadLines(Folder() / "Fang.f").size(), 2u); // the old file is untouched
}

} // namespace
} // namespace zv::test
