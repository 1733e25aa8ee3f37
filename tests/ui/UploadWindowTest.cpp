// The online statistics windows: the explanation, the upload window with
// its check list, and the upload from "Starten" against a loopback server.

#include "UiTestSupport.h"

#include "../statistics/LoopbackHttpServer.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "statistics/ui/TfrmOSabgleichen.h"
#include "widgets/UrlOpener.h"

#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include <fstream>
#include <functional>
#include <optional>

namespace zv::test {
namespace {

const CatchRow kCatch = {{"Fangdatum", "07.05.2007"}, {"Fangzeit", "06:40:00"},
                         {"Faenger", "Max"},          {"Fischart", "Hecht"},
                         {"Gewaesser", "Rhein"},      {"Stelle", "Buhne 3"}};
const std::string kUploadName = "81220071545120.dat";

QPushButton* Button(QDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(name);
}

class UploadWindowTest : public ProgramTest {
protected:
    void SetUp() override { SetCurrentClock(&clock_); }
    void TearDown() override {
        ProgramTest::TearDown();
        SetCurrentClock(nullptr);
    }

    // Extras → "Internet Statistiken" → "Einträge abgleichen", then `action`
    // in the upload window.
    void InUploadWindow(const std::function<void(QDialog&)>& action) {
        modal_.On("frmInternet", [](QDialog& dialog) { Button(dialog, "BitBtn1")->click(); });
        modal_.On("frmOSabgleichen", action);
        main_->findChild<QAction*>("Internetabgleich1")->trigger();
    }

    const FixedClock clock_{EncodeDate(2007, 12, 8) + EncodeTime(15, 4, 5, 120)};
};

TEST_F(UploadWindowTest, InternetWindowOpensTheUpload) {
    Start();
    QSize internetSize;
    QSize uploadSize;
    modal_.On("frmInternet", [&](QDialog& dialog) {
        internetSize = dialog.size();
        Button(dialog, "BitBtn1")->click();
    });
    modal_.On("frmOSabgleichen", [&](QDialog& dialog) { uploadSize = dialog.size(); });
    main_->findChild<QAction*>("Internetabgleich1")->trigger();

    EXPECT_EQ(modal_.Shown(), QStringList({"frmInternet", "frmOSabgleichen"}));
    EXPECT_EQ(internetSize, QSize(398, 331));
    EXPECT_EQ(uploadSize, QSize(354, 214));
}

TEST_F(UploadWindowTest, ViewOpensTheStatisticsOnlyWhenTheServerAnswers) {
    struct Case {
        int status; // 0: nothing listens
        const char* reason;
        const char* failure; // a part of the warning; empty when the page opens
    };
    const Case cases[] = {
        {200, "OK", ""},
        {503, "Service Unavailable", "HTTP 503 Service Unavailable"},
        {0, "", "Keine Verbindung zum Server"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        prompts_.Clear();
        std::optional<LoopbackHttpServer> server;
        std::optional<RefusingPort> refusing;
        const std::string target = c.status == 0 ? refusing.emplace().HostPort()
                                                 : server.emplace(c.status, c.reason).HostPort();
        WriteTextFile(Folder() / "Zelvorin.ini", {"[Online]", "Server=" + target});
        Start();
        QList<QUrl> opened;
        SetUrlOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        modal_.On("frmInternet", [](QDialog& dialog) { Button(dialog, "BitBtn2")->click(); });
        main_->findChild<QAction*>("Internetabgleich1")->trigger();
        SetUrlOpener({});

        if (server) {
            ASSERT_EQ(server->Requests().size(), 1u);
            EXPECT_TRUE(server->Requests()[0].starts_with("GET /onlinestatistik/health HTTP/1.1"));
        }
        if (*c.failure == '\0') {
            EXPECT_EQ(opened, QList<QUrl>({QUrl(QString::fromStdString("http://" + target +
                                                                       "/onlinestatistik/"))}));
            EXPECT_TRUE(prompts_.Shown().empty());
        } else {
            EXPECT_TRUE(opened.isEmpty());
            const QStringList warnings = prompts_.Texts(PromptKind::Warning);
            ASSERT_EQ(warnings.size(), 1);
            EXPECT_TRUE(warnings[0].contains(QString::fromStdString(target)));
            EXPECT_TRUE(warnings[0].contains(QString::fromUtf8(c.failure)))
                << warnings[0].toStdString();
        }
        ProgramTest::TearDown();
    }
}

TEST_F(UploadWindowTest, ListsTheSentFieldsAndKeepsTheTicksBetweenOpenings) {
    Start();
    QStringList listed;
    QStringList ticked;
    for (int opening = 0; opening < 2; ++opening) {
        InUploadWindow([&](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>("ListBox1");
            for (int i = 0; i < list->count() && opening == 0; ++i) {
                listed << list->item(i)->text();
            }
            auto* ticks = dialog.findChild<QListWidget*>("CheckListBox1");
            for (int i = 0; i < ticks->count(); ++i) {
                if (ticks->item(i)->checkState() == Qt::Checked) {
                    ticked << ticks->item(i)->text();
                }
            }
            ticks->item(2)->setCheckState(Qt::Checked);
            Button(dialog, "BitBtn2")->click();
        });
    }
    EXPECT_EQ(listed.size(), 21);
    EXPECT_EQ(listed.first(), "Fangdatum");
    EXPECT_EQ(listed.last(), "");
    // None ticked at the first opening, "Stelle" as left at the second.
    EXPECT_EQ(ticked, QStringList({"Stelle"}));
}

TEST_F(UploadWindowTest, StartenClosesOnlyAfterTheServerTookTheFile) {
    enum class Trouble { None, ServerError, Refused, Cancel, BadDate, Unopened };
    struct Case {
        Trouble trouble;
        PromptKind kind;
        const char* message; // a part of the one message shown
        bool fileKept;
    };
    const Case cases[] = {
        {Trouble::None, PromptKind::Information, "Ein Eintrag wurde übertragen.", false},
        {Trouble::ServerError, PromptKind::Error, "HTTP 500 Internal Server Error", true},
        {Trouble::Refused, PromptKind::Error, "Keine Verbindung zum Server", true},
        {Trouble::Cancel, PromptKind::Error, "Die Übertragung wurde abgebrochen.", true},
        {Trouble::BadDate, PromptKind::Error, "'31.02.2007' ist kein gültiges Datum", false},
        // A catch database that did not load is no empty one: nothing is sent.
        {Trouble::Unopened, PromptKind::Error, "Fang.f\" konnte nicht geöffnet werden", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::filesystem::remove(Folder() / kUploadName);
        prompts_.Clear();
        std::optional<LoopbackHttpServer> server;
        std::optional<RefusingPort> refusing;
        const std::string target =
            c.trouble == Trouble::Refused ? refusing.emplace().HostPort()
            : c.trouble == Trouble::ServerError
                ? server.emplace(500, "Internal Server Error").HostPort()
                : server.emplace(200, "OK", "", c.trouble == Trouble::Cancel).HostPort();
        CatchRow bad = kCatch;
        bad["Fangdatum"] = "31.02.2007";
        WriteCatchDatabase(Folder() / "Fang.f", c.trouble == Trouble::BadDate
                                                    ? std::vector<CatchRow>{kCatch, bad}
                                                    : std::vector<CatchRow>{kCatch});
        if (c.trouble == Trouble::Unopened) {
            std::ofstream(Folder() / "Fang.f", std::ios::app) << std::string(40, ';') << "\r\n";
        }
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"), "[Online]",
                       "Server=" + target});
        Start();
        prompts_.Clear();
        modal_.On(TfrmOSabgleichen::kProgressName, [&](QDialog& dialog) {
            if (c.trouble == Trouble::Cancel) {
                dialog.findChild<QPushButton*>()->click();
            }
            WaitUntilClosed(dialog);
        });
        bool stillOpen = false;
        bool startEnabled = false;
        InUploadWindow([&](QDialog& dialog) {
            dialog.findChild<QListWidget*>("CheckListBox1")->item(2)->setCheckState(Qt::Checked);
            Button(dialog, "BitBtn1")->click();
            stillOpen = dialog.isVisible();
            startEnabled = Button(dialog, "BitBtn1")->isEnabled();
        });

        EXPECT_EQ(stillOpen, c.trouble != Trouble::None);
        EXPECT_TRUE(startEnabled);
        ASSERT_EQ(prompts_.Shown().size(), 1u);
        EXPECT_EQ(prompts_.Shown()[0].kind, c.kind);
        EXPECT_TRUE(prompts_.Shown()[0].text.contains(QString::fromUtf8(c.message)))
            << prompts_.Shown()[0].text.toStdString();
        EXPECT_EQ(std::filesystem::exists(Folder() / kUploadName), c.fileKept);
        if (server && c.trouble != Trouble::Cancel) {
            const bool sent = c.trouble != Trouble::BadDate && c.trouble != Trouble::Unopened;
            ASSERT_EQ(server->Requests().size(), sent ? 1u : 0u);
        }
        if (c.trouble == Trouble::None) {
            const std::string body = RequestBody(server->Requests()[0]);
            EXPECT_NE(body.find("filename=\"" + kUploadName + "\""), std::string::npos);
            EXPECT_EQ(body.find(Folder().string()), std::string::npos); // no login name
            EXPECT_NE(body.find("\r\n\r\n2007-5-7;06:40:00;Hecht" + std::string(20, ';') +
                                "Buhne 3\r\n\r\n"),
                      std::string::npos)
                << body;
        }
        ProgramTest::TearDown();
    }
}

} // namespace
} // namespace zv::test
