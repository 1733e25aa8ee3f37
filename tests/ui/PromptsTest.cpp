#include "UiTestSupport.h"

#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/FileFilter.h"
#include "widgets/ModalShow.h"
#include "widgets/PendingForm.h"
#include "widgets/QtPrompts.h"
#include "widgets/QtTranslations.h"
#include "widgets/ScriptedPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

namespace zv::test {
namespace {

TEST(FileFilter, SplitsNamePatternPairsAndTrimsBlanks) {
    const auto entries =
        ParseFileFilter("Zelvorin Datenbank (*.f) | *.f| Zelvorin Datenbank (*.fdb) | *.fdb");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Zelvorin Datenbank (*.f)");
    EXPECT_EQ(entries[0].patterns, "*.f");
    EXPECT_EQ(entries[1].name, "Zelvorin Datenbank (*.fdb)");
    EXPECT_EQ(entries[1].patterns, "*.fdb");
}

TEST(FileFilter, ShowsEveryPatternOnceInQtsForm) {
    // Names showing their patterns keep them once, written as the entry has
    // them; others get them appended.
    const QStringList qt = QtNameFilters(
        ParseFileFilter("Zelvorin Kalender (*.cal) | *.cal|Bilder|*.jpg;*.jpeg|"
                        "Alle (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|"
                        "JPEG-Grafikdatei (*.jpg)|*.jpg;*.jpeg|Sicherung (alt)|*.zip"));
    EXPECT_EQ(qt, QStringList({"Zelvorin Kalender (*.cal)", "Bilder (*.jpg *.jpeg)",
                               "Alle (*.jpg *.jpeg *.bmp)", "JPEG-Grafikdatei (*.jpg *.jpeg)",
                               "Sicherung (alt) (*.zip)"}));
}

TEST(FileFilter, MatchesOnTheFileNameOnly) {
    const auto entries = ParseFileFilter("Bilder|*.jpg;*.jpeg");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(MatchesFilterEntry(entries[0], "/home/a.b/Hecht.JPG"));
    EXPECT_TRUE(MatchesFilterEntry(entries[0], "x.jpeg"));
    EXPECT_FALSE(MatchesFilterEntry(entries[0], "/tmp/x.jpg/Hecht.f"));
}

TEST(ScriptedPromptsTest, RecordsAndAnswersInOrderThenFallsBackToCancel) {
    ScriptedPrompts prompts;
    EXPECT_EQ(&CurrentPrompts(), &prompts);
    prompts.AnswerYesNo(true);
    prompts.AnswerYesNoCancel(PromptAnswer::No);
    prompts.AnswerOpenFile(FileChoice{"/tmp/a.fdb", 2});

    EXPECT_TRUE(CurrentPrompts().ConfirmYesNo("Löschen?"));
    EXPECT_FALSE(CurrentPrompts().ConfirmYesNo("Noch einmal?")); // nothing queued
    EXPECT_EQ(CurrentPrompts().ConfirmYesNoCancel("Speichern?"), PromptAnswer::No);
    FileDialogOptions options;
    options.title = "Datenbank öffnen";
    const auto choice = CurrentPrompts().OpenFile(options);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->filterIndex, 2);
    EXPECT_FALSE(CurrentPrompts().SaveFile(options).has_value());
    CurrentPrompts().Information("Fertig");

    EXPECT_EQ(prompts.Unanswered(), 2);
    EXPECT_EQ(prompts.Texts(PromptKind::ConfirmYesNo), QStringList({"Löschen?", "Noch einmal?"}));
    EXPECT_EQ(prompts.Texts(PromptKind::Information), QStringList({"Fertig"}));
    ASSERT_EQ(prompts.Shown().size(), 6u);
    EXPECT_EQ(prompts.Shown()[3].kind, PromptKind::OpenFile);
    EXPECT_EQ(prompts.Shown()[3].file.title, "Datenbank öffnen");
}

// The question's preselected button is the one Enter presses: "Nein" where
// the answer replaces much.
TEST(QtPromptsTest, EnterPressesThePreselectedButton) {
    for (const PromptAnswer preselected : {PromptAnswer::Yes, PromptAnswer::No}) {
        QString focused;
        QTimer::singleShot(0, [&focused] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            focused = box->defaultButton()->text();
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
        });
        const bool yes = QtPrompts().ConfirmYesNo("Ersetzen?", preselected);
        EXPECT_EQ(yes, preselected == PromptAnswer::Yes);
        EXPECT_EQ(focused, yes ? "Ja" : "Nein");
    }
}

// A name typed without an extension gets that of the file type the angler
// picked, not always the default one.
TEST(QtPromptsTest, ANameWithoutExtensionGetsThatOfThePickedFileType) {
    const TempFolder folder;
    FileDialogOptions options;
    options.filter = QStringLiteral("Excel|*.xlsx|CSV|*.csv|Alle Dateien|*.*");
    options.defaultExt = QStringLiteral(".xlsx");
    options.initialDir = QString::fromStdString(folder.Path().string());
    const struct {
        int picks; // times the angler moves down the file types
        const char* name;
        int filterIndex;
    } cases[] = {{0, "kosten.xlsx", 1}, {1, "kosten.csv", 2}, {2, "kosten.xlsx", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTimer::singleShot(0, [&c] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(types, nullptr);
            for (int i = 0; i < c.picks; ++i) {
                QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                QApplication::sendEvent(types, &down);
            }
            dialog->selectFile(QStringLiteral("kosten"));
            static_cast<QDialog*>(dialog)->accept(); // as "Speichern" does
        });
        const std::optional<FileChoice> choice = QtPrompts().SaveFile(options);
        ASSERT_TRUE(choice.has_value());
        EXPECT_EQ(QFileInfo(choice->path).fileName(), QString::fromUtf8(c.name));
        EXPECT_EQ(choice->filterIndex, c.filterIndex);
    }
}

TEST(ScriptedPromptsTest, RemovesItselfWhenDestroyed) {
    Prompts* scripted = nullptr;
    {
        ScriptedPrompts prompts;
        scripted = &prompts;
        EXPECT_EQ(&CurrentPrompts(), scripted);
    }
    EXPECT_NE(&CurrentPrompts(), scripted);
}

TEST(ErrorBoundaryTest, ShowsTheGermanConversionMessageAndGoesOn) {
    ScriptedPrompts prompts;
    bool after = false;
    Guarded([] { StrToFloatDe("12.5"); });
    Guarded([&] { after = true; });
    Guarded([] { throw std::runtime_error("Platte voll"); });
    Guarded([] { throw 42; });
    EXPECT_TRUE(after);
    const QStringList errors = prompts.Texts(PromptKind::Error);
    ASSERT_EQ(errors.size(), 3);
    EXPECT_EQ(errors[0], "'12.5' ist kein gültiger Gleitkommawert");
    EXPECT_TRUE(errors[1].contains("Platte voll"));
    EXPECT_TRUE(errors[2].contains("unbekannten Fehlers"));
}

TEST(ErrorBoundaryTest, GuardsConnectedHandlers) {
    ScriptedPrompts prompts;
    QPushButton button;
    ConnectGuarded(&button, &QPushButton::clicked, &button,
                   [](bool) { throw EConvertError("'x' ist kein gültiges Datum"); });
    button.click();
    EXPECT_EQ(prompts.Texts(PromptKind::Error), QStringList({"'x' ist kein gültiges Datum"}));
}

TEST(ModalShowTest, ScriptedRunnerShowsOperatesAndHidesWithoutBlocking) {
    ScriptedModal modal;
    PendingForm form("TfrmKarte", "Karte", nullptr);
    bool wasVisible = false;
    modal.On("frmKarte", [&](QDialog& dialog) {
        wasVisible = dialog.isVisible();
        dialog.findChild<QPushButton*>("btn_close")->click();
    });
    EXPECT_EQ(ShowModal(form), QDialog::Rejected);
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Karte");
    EXPECT_EQ(modal.Shown(), QStringList({"frmKarte"}));
}

// Qt's own dialogs (the file dialog's question before a file is replaced,
// the colour dialog, standard buttons) speak German, with the translation
// from Qt's folder or from a copy in the program folder.
TEST(QtTranslations, StandardDialogTextsAreGerman) {
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    TempFolder folder;
    const QString programFolder = QString::fromStdString(folder.Path().string());
    for (const bool copied : {false, true}) {
        if (copied) {
            ASSERT_TRUE(QFile::copy(qtFolder + "/qtbase_de.qm", programFolder + "/qtbase_de.qm"));
        }
        QTranslator* translator = InstallGermanQtTranslations(folder.Path());
        ASSERT_NE(translator, nullptr) << "no German Qt translation installed";
        EXPECT_EQ(QFileInfo(translator->filePath()).absolutePath(),
                  copied ? programFolder : QFileInfo(qtFolder).absoluteFilePath());
        const QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().toStdString(), "Abbrechen");
        EXPECT_EQ(QCoreApplication::translate("QFileDialog",
                                              "%1 already exists.\nDo you want to replace it?")
                      .toStdString(),
                  "Die Datei %1 existiert bereits.\nSoll sie überschrieben werden?");
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace
} // namespace zv::test
