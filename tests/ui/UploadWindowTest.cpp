// The online statistics windows: the explanation, the upload window with
// its check list, and the upload from "Starten" against a loopback server.

#include "UiTestSupport.h"

#include "../statistics/LoopbackHttpServer.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "statistics/ui/TfrmOSabgleichen.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

#include <functional>
#include <optional>

namespace zv::test {
namespace {

const CatchRow kCatch = {{"Fangdatum", "07.05.2007"}, {"Fangzeit", "06:40:00"},
                         {"Faenger", "Max"},          {"Fischart", "Hecht"},
                         {"Gewaesser", "Rhein"},      {"Stelle", "Buhne 3"}};
const std::string kUploadName = "81220071545120.dat";

// Lets the transfer run until its progress dialog closes. The bound only
// keeps a broken transfer from hanging the test program.
void WaitUntilClosed(QDialog& dialog) {
    QElapsedTimer timer;
    timer.start();
    while (dialog.isVisible() && timer.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

QPushButton* Button(QDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(name);
}

class UploadWindowTest : public ProgramTest {
protected:
    void SetUp() override {
        clock_.emplace(EncodeDate(2007, 12, 8) + EncodeTime(15, 4, 5, 120));
        SetCurrentClock(&*clock_);
    }
    void TearDown() override {
        ProgramTest::TearDown();
        SetCurrentClock(nullptr);
    }

    // A catch database with these rows and the upload server in the settings.
    void Prepare(const std::vector<CatchRow>& rows, const std::string& server) {
        WriteCatchDatabase(Folder() / "Fang.f", rows);
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"), "[Online]",
                       "Server=" + server});
    }

    // Extras → "Internet Statistiken" → "Einträge abgleichen", then `action`
    // in the upload window.
    void InUploadWindow(const std::function<void(QDialog&)>& action) {
        modal_.On("frmInternet", [](QDialog& dialog) { Button(dialog, "BitBtn1")->click(); });
        modal_.On("frmOSabgleichen", action);
        main_->findChild<QAction*>("Internetabgleich1")->trigger();
    }

    static QListWidget* CheckList(QDialog& dialog) {
        return dialog.findChild<QListWidget*>("CheckListBox1");
    }

    bool UploadFileExists() const { return std::filesystem::exists(Folder() / kUploadName); }

    std::optional<FixedClock> clock_;
};

TEST_F(UploadWindowTest, InternetWindowAnnouncesTheViewAndOpensTheUpload) {
    Start();
    QSize internetSize;
    QSize uploadSize;
    modal_.On("frmInternet", [&](QDialog& dialog) {
        internetSize = dialog.size();
        Button(dialog, "BitBtn2")->click();
        Button(dialog, "BitBtn1")->click();
    });
    modal_.On("frmOSabgleichen", [&](QDialog& dialog) { uploadSize = dialog.size(); });
    main_->findChild<QAction*>("Internetabgleich1")->trigger();

    EXPECT_EQ(prompts_.Texts(PromptKind::Information),
              QStringList({"Erst in der finalen Version verfügbar"}));
    EXPECT_EQ(modal_.Shown(), QStringList({"frmInternet", "frmOSabgleichen"}));
    EXPECT_EQ(internetSize, QSize(398, 331));
    EXPECT_EQ(uploadSize, QSize(354, 214));
}

TEST_F(UploadWindowTest, ListsTheSentFieldsAndKeepsTheTicksBetweenOpenings) {
    Start();
    QStringList listed;
    InUploadWindow([&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("ListBox1");
        for (int i = 0; i < list->count(); ++i) {
            listed << list->item(i)->text();
        }
        QListWidget* ticks = CheckList(dialog);
        ASSERT_EQ(ticks->count(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(ticks->item(i)->checkState(), Qt::Unchecked) << i;
        }
        ticks->item(2)->setCheckState(Qt::Checked);
        Button(dialog, "BitBtn2")->click();
    });
    EXPECT_EQ(listed.size(), 21);
    EXPECT_EQ(listed.first(), "Fangdatum");
    EXPECT_EQ(listed.last(), "");

    QStringList ticked;
    InUploadWindow([&](QDialog& dialog) {
        QListWidget* ticks = CheckList(dialog);
        for (int i = 0; i < ticks->count(); ++i) {
            if (ticks->item(i)->checkState() == Qt::Checked) {
                ticked << ticks->item(i)->text();
            }
        }
    });
    EXPECT_EQ(ticked, QStringList({"Stelle"}));
}

TEST_F(UploadWindowTest, StartenSendsTheCatchesThenDeletesTheFileAndCloses) {
    LoopbackHttpServer server;
    Prepare({kCatch}, server.HostPort());
    Start();
    bool stillOpen = true;
    bool startEnabled = false;
    modal_.On(TfrmOSabgleichen::kProgressName, WaitUntilClosed);
    InUploadWindow([&](QDialog& dialog) {
        CheckList(dialog)->item(2)->setCheckState(Qt::Checked);
        Button(dialog, "BitBtn1")->click();
        stillOpen = dialog.isVisible();
        startEnabled = Button(dialog, "BitBtn1")->isEnabled();
    });

    EXPECT_FALSE(stillOpen);
    EXPECT_TRUE(startEnabled);
    EXPECT_EQ(prompts_.Texts(PromptKind::Information),
              QStringList({"Ein Eintrag wurde übertragen."}));
    EXPECT_FALSE(UploadFileExists());
    const std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string body = SplitRequest(requests[0]).body;
    EXPECT_NE(body.find("filename=\"" + PathToUtf8(Folder() / kUploadName) + "\""),
              std::string::npos);
    EXPECT_NE(
        body.find("\r\n\r\n2007-5-7;06:40:00;Hecht" + std::string(20, ';') + "Buhne 3\r\n\r\n"),
        std::string::npos)
        << body;
}

TEST_F(UploadWindowTest, FailedUploadKeepsTheWindowOpenAndStartenUsable) {
    enum class Trouble { ServerError, Refused, Cancel, BadDate };
    struct Case {
        const char* name;
        Trouble trouble;
        const char* message; // part of the error shown
        bool fileKept;
    };
    const Case cases[] = {
        {"a 500 reply", Trouble::ServerError, "HTTP 500 Internal Server Error", true},
        {"a refused connection", Trouble::Refused, "Keine Verbindung zum Server", true},
        {"a cancel", Trouble::Cancel, "Die Übertragung wurde abgebrochen.", true},
        {"a bad date", Trouble::BadDate, "'31.02.2007' ist kein gültiges Datum", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Folder() / kUploadName);
        prompts_.Clear();
        std::optional<LoopbackHttpServer> server;
        std::optional<RefusingPort> refusing;
        std::string target;
        switch (c.trouble) {
        case Trouble::ServerError:
            target = server.emplace(500, "Internal Server Error").HostPort();
            break;
        case Trouble::Refused:
            target = refusing.emplace().HostPort();
            break;
        case Trouble::Cancel:
            target = server.emplace(200, "OK", "", LoopbackHttpServer::Mode::Silent).HostPort();
            break;
        case Trouble::BadDate:
            target = server.emplace().HostPort();
            break;
        }
        CatchRow bad = kCatch;
        bad["Fangdatum"] = "31.02.2007";
        Prepare(c.trouble == Trouble::BadDate ? std::vector<CatchRow>{kCatch, bad}
                                              : std::vector<CatchRow>{kCatch},
                target);
        Start();
        modal_.On(TfrmOSabgleichen::kProgressName, [&](QDialog& dialog) {
            if (c.trouble == Trouble::Cancel) {
                dialog.findChild<QPushButton*>()->click();
            }
            WaitUntilClosed(dialog);
        });
        bool stillOpen = false;
        bool startEnabled = false;
        InUploadWindow([&](QDialog& dialog) {
            Button(dialog, "BitBtn1")->click();
            stillOpen = dialog.isVisible();
            startEnabled = Button(dialog, "BitBtn1")->isEnabled();
        });

        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(startEnabled);
        const QStringList errors = prompts_.Texts(PromptKind::Error);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QString::fromUtf8(c.message))) << errors[0].toStdString();
        EXPECT_EQ(UploadFileExists(), c.fileKept);
        if (c.trouble == Trouble::BadDate) {
            EXPECT_TRUE(server->Requests().empty());
        }
        ProgramTest::TearDown();
    }
}

} // namespace
} // namespace zv::test
