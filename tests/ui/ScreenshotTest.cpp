#include "UiTestSupport.h"

#include "../statistics/LoopbackHttpServer.h"
#include "base/AtomicFile.h"

#include <QAction>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <map>
#include <set>

namespace zv::test {
namespace {

// Renders the windows with sample data to PNG files in the build folder
// (tests/ui/screens) so a person can look at them.
class ScreenshotTest : public ProgramTest {
protected:
    void ExpectPainted(const std::filesystem::path& png, QSize size) {
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(png.string())));
        EXPECT_EQ(image.size(), size);
        // Not a blank picture: more than a handful of colours.
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3) {
            for (int x = 0; x < image.width(); x += 3) {
                colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_GT(colours.size(), 8u);
    }
};

std::vector<CatchRow> SampleCatches() {
    return {{{"Fangdatum", "05.06.2007"},
             {"Fangzeit", "18:42:07"},
             {"Angelbeginn", "16:00:00"},
             {"Angelende", "21:30:00"},
             {"Faenger", "Jan Kowalski"},
             {"Fischart", "Hecht"},
             {"Laenge", "78"},
             {"Gewicht", "4200"},
             {"Gewaesser", "Rhein"},
             {"Koeder", "Wobbler"},
             {"KoederFarbe", "Feuertiger"},
             {"KoederLaenge", "12"},
             {"Koederverhalten", "schwimmend"},
             {"Bilder", "0506200718420757_0.jpg,0506200718420757_1.jpg"}},
            {{"Fangdatum", "12.08.2009"},
             {"Fangzeit", "06:15:00"},
             {"Angelbeginn", "05:00:00"},
             {"Angelende", "09:00:00"},
             {"Faenger", "Eva Brandt"},
             {"Fischart", "Barsch"},
             {"Laenge", "31,5"},
             {"Gewicht", "350"},
             {"Gewaesser", "Möhnesee"},
             {"Koeder", "Gummifisch"}},
            {{"Fangdatum", "01.01.2008"},
             {"Faenger", "Jan Kowalski"},
             {"Fischart", "Zander"},
             {"Laenge", "55,5"},
             {"Gewaesser", "Rhein"}}};
}

TEST_F(ScreenshotTest, MainWindowEmptyWithCatchesAndWithASelectedPicture) {
    WriteCatchDatabase(Folder() / "Fang.f", {});
    WriteTextFile(Folder() / "Zelvorin.ini",
                  {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f")});
    TfrmMain& empty = Start();
    ExpectPainted(RenderToPng(empty, "main_empty"), empty.size());
    TearDown();

    WriteCatchDatabase(Folder() / "Fang.f", SampleCatches());
    WriteTextFile(Folder() / "DATs" / "Faenger.dat", {"Jan Kowalski", "Eva Brandt"});
    WriteJpeg(Folder() / "img" / "0506200718420757_0.jpg", 640, 480, 40, 120, 60);
    WriteJpeg(Folder() / "img" / "0506200718420757_1.jpg", 640, 480, 90, 90, 160);
    TfrmMain& main = Start();
    ExpectPainted(RenderToPng(main, "main_three_catches"), main.size());
    main.SelectListRow(2); // the Hecht with two pictures
    ASSERT_EQ(main.height(), TfrmMain::kTallHeight);
    ExpectPainted(RenderToPng(main, "main_selected_picture"), main.size());

    std::filesystem::path databasePng;
    modal_.On("frmDatenbank",
              [&](QDialog& dialog) { databasePng = RenderToPng(dialog, "database_window"); });
    modal_.On("frmInfo", [&](QDialog& dialog) { RenderToPng(dialog, "info_window"); });
    main.Datenbankauswhlen1Click();
    main.Info1Click();
    ASSERT_FALSE(databasePng.empty());
    ExpectPainted(databasePng, main.Forms().Find("TfrmDatenbank")->size());
}

TEST_F(ScreenshotTest, OnlineStatisticsWindowsAndTheTransfer) {
    LoopbackHttpServer server(200, "OK", "", true);
    WriteCatchDatabase(Folder() / "Fang.f", SampleCatches());
    WriteTextFile(Folder() / "Zelvorin.ini",
                  {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"), "[Online]",
                   "Server=" + server.HostPort()});
    TfrmMain& main = Start();
    std::map<std::string, std::pair<std::filesystem::path, QSize>> shots;
    auto shoot = [&](QDialog& dialog, const std::string& name) {
        shots[name] = {RenderToPng(dialog, name), dialog.size()};
    };
    modal_.On("frmInternet", [&](QDialog& dialog) {
        shoot(dialog, "internet_window");
        dialog.findChild<QPushButton*>("BitBtn1")->click();
    });
    modal_.On("frmOSabgleichen", [&](QDialog& dialog) {
        dialog.findChild<QListWidget*>("CheckListBox1")->item(2)->setCheckState(Qt::Checked);
        shoot(dialog, "upload_window");
        dialog.findChild<QPushButton*>("BitBtn1")->click();
    });
    // The silent server keeps the transfer running while the dialog is shot;
    // then it is cancelled.
    modal_.On("UploadProgress", [&](QDialog& dialog) {
        shoot(dialog, "upload_progress");
        dialog.findChild<QPushButton*>()->click();
        WaitUntilClosed(dialog);
    });
    main.findChild<QAction*>("Internetabgleich1")->trigger();
    ASSERT_EQ(shots.size(), 3u);
    for (const auto& [name, shot] : shots) {
        SCOPED_TRACE(name);
        ExpectPainted(shot.first, shot.second);
    }
}

} // namespace
} // namespace zv::test
