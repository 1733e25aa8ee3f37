#include "UiTestSupport.h"

#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/FileFilter.h"
#include "widgets/ModalShow.h"
#include "widgets/PendingForm.h"
#include "widgets/ScriptedPrompts.h"

#include <QDialog>
#include <QPushButton>

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

    // Names that show their pattern stay as they are; others get it appended
    // so Qt can read it, with ";" lists turned into Qt's blank-separated form.
    const QStringList qt =
        QtNameFilters(ParseFileFilter("Zelvorin Kalender (*.cal) | *.cal|Bilder|*.jpg;*.jpeg"));
    EXPECT_EQ(qt, QStringList({"Zelvorin Kalender (*.cal)", "Bilder (*.jpg *.jpeg)"}));
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

} // namespace
} // namespace zv::test
