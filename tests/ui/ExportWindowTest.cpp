#include "UiTestSupport.h"

#include "../exporting/SpreadsheetReader.h"
#include "app/TfrmMain.h"
#include "base/AtomicFile.h"
#include "exporting/ui/TfrmExportieren.h"
#include "storage/Schemas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace zv::test {
namespace {

class ExportWindowTest : public ProgramTest {
protected:
    // Three catches of two anglers, one purchase; no calendar database.
    void SetUp() override {
        WriteCatchDatabase(
            Folder() / "Fang.f",
            {{{"Fangdatum", "05.06.2007"}, {"Faenger", "Jan"}, {"Fischart", "Hecht"}},
             {{"Fangdatum", "07.06.2007"}, {"Faenger", "Eva"}, {"Fischart", "Aal"}},
             {{"Fangdatum", "09.06.2007"}, {"Faenger", "Jan"}, {"Fischart", "Zander"}}});
        WriteCostDatabase(Folder() / "Kosten.a",
                          {{{"Artikel", "Wobbler"}, {"Gesamtpreis", "12,50"}}});
        WriteTextFile(Folder() / "DATs" / "Faenger.dat", {"Jan", "Eva"});
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"),
                       "Angelkosten=" + PathToUtf8(Folder() / "Kosten.a")});
    }

    // Opens "Datei" → "Exportieren…", picks the table and the box, and
    // presses "Exportieren…".
    void Export(const char* radio, bool listedOnly) {
        modal_.On(QStringLiteral("frmExportieren"), [&](QDialog& dialog) {
            dialog.findChild<QRadioButton*>(radio)->setChecked(true);
            dialog.findChild<QCheckBox*>("cb_angezeigt")->setChecked(listedOnly);
            dialog.findChild<QPushButton*>("btn_exportieren")->click();
        });
        main_->findChild<QAction*>("Exportieren1")->trigger();
    }
    FileChoice Choice(const std::string& name, int filterIndex = 1) {
        return FileChoice{QString::fromStdString(PathToUtf8(out_.Path() / name)), filterIndex};
    }

    TempFolder out_;
};

TEST_F(ExportWindowTest, TheChosenTableGoesToTheFormatOfTheNameOrElseTheFilter) {
    struct Case {
        const char* radio;
        FileChoice choice;
        const char* written;
        std::size_t records; // with the header
        const char* firstField;
    };
    Start();
    const Case cases[] = {
        {"rb_faenge", Choice("alle.csv", 1), "alle.csv", 4, "Fangdatum"},
        {"rb_angelkosten", Choice("kosten", 2), "kosten.csv", 2, "Kaufdatum"},
        {"rb_faenge", Choice("fänge", 1), "fänge.xlsx", 0, nullptr},
    };
    for (const Case& c : cases) {
        prompts_.AnswerSaveFile(c.choice);
        Export(c.radio, false);
        const std::filesystem::path file = out_.Path() / c.written;
        ASSERT_TRUE(std::filesystem::is_regular_file(file)) << c.written;
        if (c.firstField != nullptr) {
            const CsvFile csv = ReadCsv(file);
            ASSERT_EQ(csv.records.size(), c.records) << c.written;
            EXPECT_EQ(csv.records[0][0], c.firstField);
        } else {
            EXPECT_EQ(ReadXlsx(file).sheetNames, std::vector<std::string>{"Fänge"});
        }
    }
    const QStringList told = prompts_.Texts(PromptKind::Information);
    ASSERT_EQ(told.size(), 3);
    EXPECT_TRUE(told[1].contains(QStringLiteral("1 Zeile Angelkosten wurde")))
        << told[1].toStdString();
    const FileDialogOptions& dialog = prompts_.Shown().front().file;
    EXPECT_EQ(dialog.fileName, QStringLiteral("Fänge.xlsx"));
}

TEST_F(ExportWindowTest, OnlyTheListedCatchesWhenTheBoxIsTicked) {
    TfrmMain& main = Start();
    auto* angler = main.findChild<QComboBox*>("cb_faenger");
    angler->setCurrentIndex(angler->findText(QStringLiteral("Jan")));
    main.cb_faengerChange();
    prompts_.AnswerSaveFile(Choice("jan.csv"));
    Export("rb_faenge", true);

    const CsvFile csv = ReadCsv(out_.Path() / "jan.csv");
    ASSERT_EQ(csv.records.size(), 3u);
    const int angler_ = 4; // Faenger
    EXPECT_EQ(csv.records[1][angler_], "Jan");
    EXPECT_EQ(csv.records[2][angler_], "Jan");
    EXPECT_EQ(csv.records[1][0], "05.06.2007") << "in the table's order";

    auto& window = *main.Forms().Get<TfrmExportieren>(QStringLiteral("TfrmExportieren"));
    window.findChild<QRadioButton*>("rb_angelkosten")->setChecked(true);
    EXPECT_FALSE(window.findChild<QCheckBox*>("cb_angezeigt")->isEnabled());
    window.findChild<QRadioButton*>("rb_faenge")->setChecked(true);
    RenderToPng(window, "export_window");
}

TEST_F(ExportWindowTest, WhatCannotBeExportedIsSaidAndNothingWritten) {
    Start();
    Export("rb_angeltage", false); // no calendar database
    prompts_.AnswerSaveFile(Choice("fehlt/aus.csv"));
    Export("rb_faenge", false);
    EXPECT_TRUE(
        prompts_.Texts(PromptKind::Information)
            .contains(QStringLiteral(
                "Es ist keine Kalenderdatenbank geöffnet; es gibt nichts zu exportieren.")));
    const QStringList errors = prompts_.Texts(PromptKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QString::fromStdString(PathToUtf8(out_.Path() / "fehlt"))))
        << errors[0].toStdString();
    EXPECT_TRUE(std::filesystem::is_empty(out_.Path()));
}

} // namespace
} // namespace zv::test
