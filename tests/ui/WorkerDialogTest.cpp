#include "UiTestSupport.h"

#include "widgets/WorkerDialog.h"

#include <stdexcept>

namespace zv::test {
namespace {

// A dialog closed before its work has ended (Escape, the window manager)
// stops the work; the window waits for it either way.
TEST(WorkerDialogTest, ADialogClosedEarlyCancelsItsWork) {
    ScriptedModal modal; // no action: the dialog closes at once
    WorkerDialog progress(nullptr, "Arbeit", QStringLiteral("Arbeit"), QStringLiteral("läuft"),
                          QStringLiteral("wird abgebrochen"));
    bool cancelled = false;

    progress.Run([&] { cancelled = progress.CancelFlag(); });

    EXPECT_TRUE(cancelled);
}

TEST(WorkerDialogTest, WhatTheWorkThrowsReachesTheWindowsThread) {
    ScriptedModal modal;
    modal.On("Arbeit", [](QDialog& dialog) { WaitUntilClosed(dialog); });
    WorkerDialog progress(nullptr, "Arbeit", QStringLiteral("Arbeit"), QStringLiteral("läuft"),
                          QStringLiteral("wird abgebrochen"));

    EXPECT_THROW(progress.Run([] { throw std::runtime_error("Platte voll"); }), std::runtime_error);
}

} // namespace
} // namespace zv::test
