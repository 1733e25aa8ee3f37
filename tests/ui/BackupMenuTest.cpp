#include "UiTestSupport.h"

#include "backup/ArchiveReader.h"
#include "backup/Backup.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "storage/Workspace.h"
#include "widgets/QtPrompts.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>

#include <set>

namespace zv::test {
namespace {

// Every file and folder below `root`, as paths relative to it.
std::set<std::string> TreeBelow(const std::filesystem::path& root) {
    std::set<std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        tree.insert(std::filesystem::relative(entry.path(), root).generic_string());
    }
    return tree;
}

class BackupMenuTest : public ProgramTest {
protected:
    // What the progress dialog showed when the work closed it.
    struct ProgressSeen {
        QString label;
        int value = -1;
    };

    BackupMenuTest() {
        RunProgress(TfrmMain::kBackupProgressName, false);
        RunProgress(TfrmMain::kRestoreProgressName, false);
    }
    // Lets the progress dialog `name` run to its end; `cancel`: presses
    // "Abbrechen" before the work has begun.
    void RunProgress(const char* name, bool cancel) {
        modal_.On(name, [this, cancel, name](QDialog& dialog) {
            auto& progress = static_cast<QProgressDialog&>(dialog);
            if (cancel) {
                progress.findChild<QPushButton*>()->click();
            }
            WaitUntilClosed(progress);
            seen_ = {progress.labelText(), progress.value()};
            // As the angler sees it at the end: tests/ui/screens/<name>.png.
            progress.show();
            RenderToPng(progress, std::string(name) + (cancel ? "_cancelled" : ""));
            progress.hide();
        });
    }

    // Renders a message box as the angler sees it to tests/ui/screens/<png>.png.
    void RenderBox(QMessageBox::Icon icon, const QString& text, const char* png) {
        std::unique_ptr<QMessageBox> box = CreateOkBox(icon, text, main_.get());
        box->show(); // lays the box out
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(RenderToPng(*box, png).string())));
        box->hide();
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_GT(colours.size(), 8u) << png;
    }
    void Choose(const char* item) { main_->findChild<QAction*>(item)->trigger(); }
    static FileChoice Choice(const std::filesystem::path& path) {
        return FileChoice{QString::fromStdString(PathToUtf8(path)), 1};
    }
    // A program folder with two catches of Jan, a purchase and a picture.
    static void WriteSampleData(const std::filesystem::path& folder) {
        WriteCatchDatabase(
            folder / "Fang.f",
            {{{"Fangdatum", "05.06.2007"}, {"Faenger", "Jan"}, {"Fischart", "Hecht"}},
             {{"Fangdatum", "07.06.2007"}, {"Faenger", "Jan"}, {"Fischart", "Aal"}}});
        WriteCostDatabase(folder / "Kosten.a", {{{"Gesamtpreis", "12,5"}}});
        WriteTextFile(folder / "DATs" / "Faenger.dat", {"Jan"});
        WriteJpeg(folder / "img" / "hecht1.jpg", 64, 48, 40, 120, 60);
        WriteTextFile(folder / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(folder / "Fang.f"),
                       "Angelkosten=" + PathToUtf8(folder / "Kosten.a")});
    }
    // A backup of the sample data, written to <out>/sicherung.zip.
    static std::filesystem::path WriteSampleBackup(const TempFolder& out) {
        TempFolder original;
        WriteSampleData(original.Path());
        Workspace source(original.Path());
        source.Open();
        const std::filesystem::path archive = out.Path() / "sicherung.zip";
        EXPECT_TRUE(CreateBackup(source, archive).ok);
        return archive;
    }

    ProgressSeen seen_;
};

// Cancel writes nothing; success, success with a file left out for another
// of the same name and failure each show their message, rendered as the
// angler sees it (tests/ui/screens/backup_*.png).
TEST_F(BackupMenuTest, BackupIsWrittenToTheChosenZipAndItsOutcomeShown) {
    WriteSampleData(Folder());
    Start();
    TempFolder out;
    const std::filesystem::path archive = out.Path() / "sicherung.zip";
    prompts_.AnswerSaveFile(std::nullopt);
    prompts_.AnswerSaveFile(Choice(archive));
    prompts_.AnswerSaveFile(Choice(archive));
    prompts_.AnswerSaveFile(Choice(out.Path() / "fehlt" / "sicherung.zip"));
    prompts_.AnswerSaveFile(Choice(Folder() / "Fang.f"));
    const std::string catches = ReadWholeFile(Folder() / "Fang.f");

    Choose("Backuperstellen1"); // cancelled
    EXPECT_FALSE(std::filesystem::exists(archive));
    EXPECT_EQ(prompts_.Shown().size(), 1u);
    Choose("Backuperstellen1");
    ASSERT_TRUE(std::filesystem::is_regular_file(archive));
    WriteJpeg(Folder() / "hecht1.jpg", 64, 48, 200, 200, 220);
    Choose("Backuperstellen1");
    Choose("Backuperstellen1");
    Choose("Backuperstellen1"); // over the catch database: refused

    const FileDialogOptions& dialog = prompts_.Shown().front().file;
    EXPECT_EQ(dialog.filter, "Zip|*.zip");
    EXPECT_EQ(dialog.defaultExt, ".zip");
    const QStringList information = prompts_.Texts(PromptKind::Information);
    const QStringList warnings = prompts_.Texts(PromptKind::Warning);
    const QStringList errors = prompts_.Texts(PromptKind::Error);
    ASSERT_EQ(information.size(), 1);
    ASSERT_EQ(warnings.size(), 1);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(information[0].contains("5 Dateien wurden")) << information[0].toStdString();
    EXPECT_TRUE(errors[1].contains(QString::fromUtf8("gehört selbst"))) << errors[1].toStdString();
    EXPECT_EQ(ReadWholeFile(Folder() / "Fang.f"), catches);
    const struct {
        QMessageBox::Icon icon;
        QString text;
        const char* png;
    } boxes[] = {{QMessageBox::Information, information[0], "backup_success"},
                 {QMessageBox::Warning, warnings[0], "backup_left_out"},
                 {QMessageBox::Critical, errors[0], "backup_failure"}};
    for (const auto& box : boxes) {
        RenderBox(box.icon, box.text, box.png);
    }
}

// "Backup laden" asks first, "Nein" preselected; "Ja" saves the current
// data into the program folder, restores and names that safety backup.
TEST_F(BackupMenuTest, RestoreAsksKeepsTheFormerDataAndShowsTheRestoredOnes) {
    TempFolder out;
    const std::filesystem::path archive = WriteSampleBackup(out);
    WriteCostDatabase(Folder() / "Angelkosten.a", {{{"Gesamtpreis", "1"}}});
    WriteTextFile(Folder() / "Zelvorin.ini",
                  {"[Datenbank]", "Angelkosten=" + PathToUtf8(Folder() / "Angelkosten.a")});
    const FixedClock clock(EncodeDate(2024, 5, 1) + EncodeTime(7, 8, 9));
    SetCurrentClock(&clock);
    TfrmMain& main = Start();
    auto* list = main.findChild<QTableView*>("ListView1");
    prompts_.AnswerOpenFile(Choice(archive));
    prompts_.AnswerYesNo(false);
    prompts_.AnswerOpenFile(Choice(archive));
    prompts_.AnswerYesNo(true);

    Choose("Backup1"); // "Nein": nothing changes
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(prompts_.Texts(PromptKind::Information).size(), 0);
    Choose("Backup1");
    SetCurrentClock(nullptr);

    const QString question = QString::fromUtf8(
        "Alle aktuellen Daten werden durch die Daten aus dem Backup ersetzt. Fortfahren?");
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNo), QStringList(2, question));
    for (const ShownPrompt& shown : prompts_.Shown()) {
        if (shown.kind == PromptKind::ConfirmYesNo) {
            EXPECT_EQ(shown.preselected, PromptAnswer::No);
        }
    }
    const std::filesystem::path safety =
        Folder() / "Sicherung vor dem Laden 2024-05-01 07-08-09.zip";
    ArchiveReader kept;
    ASSERT_TRUE(kept.Open(safety)) << kept.Error();
    ASSERT_EQ(kept.Entries().size(), 2u); // the settings and the cost database
    EXPECT_EQ(kept.Entries()[1].name, "Angelkosten.a");
    const QStringList shown = prompts_.Texts(PromptKind::Information);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QString::fromStdString(PathToUtf8(safety))))
        << shown[0].toStdString();
    RenderBox(QMessageBox::Information, shown[0], "restore_success");
    EXPECT_EQ(list->model()->rowCount(), 2);
    QComboBox* anglers = main.findChild<QComboBox*>("cb_faenger");
    EXPECT_GE(anglers->findText("Jan"), 0);
    EXPECT_EQ(main.findChild<QLabel*>("lb_angelkosten")->text(), "12,50 €");
    EXPECT_TRUE(std::filesystem::exists(Folder() / "img" / "hecht1.jpg"));
}

TEST_F(BackupMenuTest, AFailedRestoreIsReportedAndTheWindowKeepsItsCatches) {
    WriteSampleData(Folder());
    TfrmMain& main = Start();
    TempFolder out;
    WriteTextFile(out.Path() / "kaputt.zip", {"kein Archiv"});
    prompts_.AnswerOpenFile(Choice(out.Path() / "kaputt.zip"));
    prompts_.AnswerYesNo(true);

    Choose("Backup1");

    const QStringList errors = prompts_.Texts(PromptKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("kaputt.zip")) << errors[0].toStdString();
    RenderBox(QMessageBox::Critical, errors[0], "restore_failure");
    EXPECT_EQ(main.findChild<QTableView*>("ListView1")->model()->rowCount(), 2);
    EXPECT_EQ(main.GetWorkspace().CatchPath(), PathToUtf8(Folder() / "Fang.f"));
}

// Both run behind a progress dialog that names the phase and the file and
// fills its bar by bytes; "Abbrechen" stops them before anything changed.
TEST_F(BackupMenuTest, ProgressDialogsShowThePhaseAndCanBeCancelled) {
    TempFolder out;
    const std::filesystem::path archive = WriteSampleBackup(out);
    const std::filesystem::path another = out.Path() / "neu.zip";
    WriteSampleData(Folder());
    TfrmMain& main = Start();
    const std::string catches = ReadWholeFile(Folder() / "Fang.f");
    const std::set<std::string> before = TreeBelow(Folder());
    const struct {
        const char* item;
        bool cancel;
        const char* label;
        const char* said; // in the information afterwards
    } cases[] = {
        {"Backuperstellen1", false, "Das Backup wird geprüft …", "5 Dateien wurden"},
        {"Backuperstellen1", true, "Das Backup wird abgebrochen …",
         "wurde abgebrochen und nicht gespeichert"},
        {"Backup1", true, "Das Laden wird abgebrochen …",
         "wurde abgebrochen; es wurde nichts geändert"},
        {"Backup1", false, "Das Backup wird geladen: Datei 4 von 4", "4 Dateien wurden"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(another);
        prompts_.Clear();
        prompts_.AnswerSaveFile(Choice(another));
        prompts_.AnswerOpenFile(Choice(archive));
        prompts_.AnswerYesNo(true);
        const bool backup = std::string(c.item) == "Backuperstellen1";
        RunProgress(backup ? TfrmMain::kBackupProgressName : TfrmMain::kRestoreProgressName,
                    c.cancel);
        seen_ = {};

        Choose(c.item);

        EXPECT_EQ(seen_.label, QString::fromUtf8(c.label));
        EXPECT_EQ(seen_.value, c.cancel ? 0 : 1000) << c.label;
        const QStringList said = prompts_.Texts(PromptKind::Information);
        ASSERT_EQ(said.size(), 1) << c.label;
        EXPECT_TRUE(said[0].contains(QString::fromUtf8(c.said))) << said[0].toStdString();
        EXPECT_EQ(std::filesystem::exists(another), backup && !c.cancel) << c.label;
        if (c.cancel) {
            EXPECT_EQ(TreeBelow(Folder()), before) << c.label;
            EXPECT_EQ(ReadWholeFile(Folder() / "Fang.f"), catches) << c.label;
            EXPECT_EQ(main.GetWorkspace().DB().RowCount(), 2) << c.label;
        }
    }
}

} // namespace
} // namespace zv::test
