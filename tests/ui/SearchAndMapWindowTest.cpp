// The catch search window and the map window, opened from the main window
// and from the catch entry window.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "base/RandomSource.h"
#include "catchlog/ui/CatchSearchModel.h"
#include "catchlog/ui/TfrmFangHinzufuegen.h"
#include "catchlog/ui/TfrmFangsuchen.h"
#include "catchlog/ui/TfrmKarte.h"
#include "storage/IniFile.h"
#include "storage/TMlbc.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

namespace zv::test {
namespace {

// Counts up, so every random colour component is known.
class CountingRandom : public RandomSource {
public:
    int Random(int range) override { return next_++ % range; }

private:
    int next_ = 100;
};

QString U8(const char* text) {
    return QString::fromUtf8(text);
}

// A small drawn lake: green land, a blue lake, a grey path.
void WriteLakeMap(const std::filesystem::path& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(196, 222, 170));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 130, 170), 3));
    painter.setBrush(QColor(150, 196, 230));
    painter.drawEllipse(QRect(width / 8, height / 6, width * 3 / 4, height * 2 / 3));
    painter.setPen(QPen(QColor(150, 140, 120), 6));
    painter.drawLine(0, height - 30, width, height - 60);
    painter.end();
    RgbImage rgb;
    rgb.width = width;
    rgb.height = height;
    for (int y = 0; y < height; ++y) {
        const uchar* line = image.constScanLine(y);
        rgb.pixels.insert(rgb.pixels.end(), line, line + width * 3);
    }
    std::string bytes;
    std::string error;
    ASSERT_TRUE(EncodeJpeg(rgb, 92, bytes, error)) << error;
    ASSERT_TRUE(WriteFileAtomic(path, bytes, error)) << error;
}

QColor Pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// Whether two colours agree within the noise of a JPEG.
bool Near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
           std::abs(a.blue() - b.blue()) < 24;
}

class SearchAndMapWindowTest : public ProgramTest {
protected:
    void WithCatches(const std::vector<CatchRow>& rows) {
        WriteCatchDatabase(Folder() / "Fang.f", rows);
        IniFile(Folder() / "Zelvorin.ini")
            .WriteString("Datenbank", "Zelvorin", PathToUtf8(Folder() / "Fang.f"));
    }
    void WithMap(const std::string& water, int width = 400, int height = 300) {
        WriteLakeMap(Folder() / "karte_see.jpg", width, height);
        IniFile(Folder() / "Zelvorin.ini")
            .WriteString("Karte", water, PathToUtf8(Folder() / "karte_see.jpg"));
    }
    IniFile Ini() const { return IniFile(Folder() / "Zelvorin.ini"); }

    TfrmKarte& Map() { return *main_->Forms().Get<TfrmKarte>(QStringLiteral("TfrmKarte")); }
    QLabel& Picture() { return *Map().findChild<QLabel*>(QStringLiteral("Image1")); }
    QTableWidget& Colors() { return *Map().findChild<QTableWidget*>(QStringLiteral("ListView1")); }

    void MoveMouse(int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), Picture().mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&Picture(), &move);
    }
    void Click(int x, int y) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, y),
                          Picture().mapToGlobal(QPointF(x, y)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&Picture(), &press);
    }
    // Opens the map of the water from the main window's "&Karte" menu.
    void ChooseMapItem(const char* water) {
        for (QAction* action : main_->findChild<QMenu*>(QStringLiteral("Karte1"))->actions()) {
            if (action->text() == U8(water)) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << water;
    }

    CountingRandom random_;
};

const CatchRow kHechtOnSee = {{"Fangdatum", "05.06.2007"}, {"Faenger", "Jan"},
                              {"Fischart", "Hecht"},       {"Laenge", "80"},
                              {"Gewicht", "3886"},         {"Gewaesser", "See"},
                              {"Kartenpos", "100,120"},    {"Mondphase", "Vollmond"}};

TEST_F(SearchAndMapWindowTest, SearchListsTheHitsAndKeepsThemUntilTheNextSearch) {
    WithCatches({kHechtOnSee,
                 {{"Fangdatum", "12.08.2009"},
                  {"Faenger", "Eva"},
                  {"Fischart", "Barsch"},
                  {"Laenge", "31,5"},
                  {"Gewicht", "350"},
                  {"Kommentar", "neben dem Hechtkraut"}},
                 {{"Fangdatum", "01.01.2008"}, {"Fischart", "Äsche"}, {"Gewicht", "1450"}}});
    TfrmMain& main = Start();
    auto& search = *main.Forms().Get<TfrmFangsuchen>(QStringLiteral("TfrmFangsuchen"));
    auto* table = search.findChild<QTableView*>(QStringLiteral("ListView1"));
    modal_.On(QStringLiteral("frmFangsuchen"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Fang suchen");
        dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("hecht"));
        dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        RenderToPng(dialog, "search_hits");
    });
    main.findChild<QAction*>(QStringLiteral("Suchen1"))->trigger();
    const QAbstractItemModel& model = *table->model();
    ASSERT_EQ(model.rowCount(), 2);
    const QStringList expected[] = {{"1", "05.06.2007", "Jan", "Hecht", "80", "3886"},
                                    {"2", "12.08.2009", "Eva", "Barsch", "31,5", "350"}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < CatchSearchModel::ColumnCount; ++column) {
            EXPECT_EQ(model.index(row, column).data().toString(), expected[row][column]);
        }
    }
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), U8("Länge(cm):"));
    EXPECT_TRUE(table->isColumnHidden(CatchSearchModel::IdColumn));

    // Shown again: the term and the list are still there.
    modal_.On(QStringLiteral("frmFangsuchen"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->text(), "hecht");
        EXPECT_EQ(model.rowCount(), 2);
        search.BitBtn2Click();
    });
    main.findChild<QAction*>(QStringLiteral("Suchen1"))->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmFangsuchen", "frmFangsuchen"}));
}

TEST_F(SearchAndMapWindowTest, ViewingDrawsTheWatersCatchesInRandomColoursWithHints) {
    WithCatches({kHechtOnSee,
                 {{"Fischart", "Barsch"}, {"Gewaesser", "See"}, {"Kartenpos", "0,200"}},
                 {{"Fischart", "Zander"}, {"Gewaesser", "see"}, {"Kartenpos", "200,200"}},
                 {{"Fischart", "Hecht"}, {"Gewaesser", "Fluss"}, {"Kartenpos", "300,100"}},
                 {{"Fischart", "Wels"}, {"Gewaesser", "See"}, {"Kartenpos", "102,122"}}});
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"See", "Fluss"});
    WriteTextFile(Folder() / "DATs" / "Fischarten.dat", {"Hecht", "Barsch", "Zander"});
    WithMap("See");
    TfrmMain& main = Start();
    Map().SetRandomSource(&random_);
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Karte");
        EXPECT_TRUE(dialog.isMaximized());
        EXPECT_TRUE(dialog.findChild<QFrame*>(QStringLiteral("Panel1"))->isVisible());
        // Hecht got 100, 101, 102; Barsch 103, 104, 105; Zander 106, …
        ASSERT_EQ(Colors().rowCount(), 3);
        EXPECT_EQ(Colors().item(0, 0)->text(), "Hecht");
        EXPECT_EQ(Colors().item(0, 1)->text(), "#646566");
        const QImage& picture = Map().Picture();
        EXPECT_EQ(Pixel(picture, 100, 120), QColor(0x64, 0x65, 0x66));
        EXPECT_EQ(Pixel(picture, 0, 204), QColor(0x67, 0x68, 0x69));            // drawn at 0
        EXPECT_EQ(Pixel(picture, 106, 126), QColor(0, 0, 255));                 // Wels: no colour
        EXPECT_FALSE(Near(Pixel(picture, 202, 202), QColor(0x6A, 0x6B, 0x6C))); // "see"
        EXPECT_FALSE(Near(Pixel(picture, 302, 102), QColor(0x64, 0x65, 0x66))); // Fluss

        MoveMouse(101, 121); // Hecht only
        EXPECT_EQ(Picture().toolTip(), "Hecht, 80 cm 3886 g");
        EXPECT_EQ(main.GetWorkspace().DB().CurrentRow(), 1);
        MoveMouse(103, 123); // Hecht and Wels overlap: the later row wins
        EXPECT_EQ(Picture().toolTip(), "Wels,  cm  g");
        MoveMouse(2, 202); // on the marker at 0: no hint
        EXPECT_EQ(Picture().toolTip(), "");
        MoveMouse(101, 121);
        MoveMouse(150, 20); // off the markers the hint goes away
        EXPECT_EQ(Picture().toolTip(), "");
        dialog.findChild<QAction*>(QStringLiteral("Schlieen1"))->trigger();
        EXPECT_FALSE(dialog.isVisible());
    });
    ChooseMapItem("See");
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKarte"}));
    EXPECT_EQ(Ini().ReadSection("KarteFarbe"),
              (std::vector<std::string>{"Hecht", "Barsch", "Zander"}));
    EXPECT_TRUE(prompts_.Shown().empty());
}

TEST_F(SearchAndMapWindowTest, ColoursChosenInTheListAreSavedAndAnEmptyOneStaysBlue) {
    WithCatches(
        {kHechtOnSee, {{"Fischart", "Barsch"}, {"Gewaesser", "See"}, {"Kartenpos", "50,50"}}});
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"See"});
    WriteTextFile(Folder() / "DATs" / "Fischarten.dat", {"Hecht", "Barsch"});
    WithMap("See");
    // Older settings: a named colour, and no key for Barsch.
    Ini().WriteString("KarteFarbe", "Hecht", "clLime");
    Start();
    prompts_.AnswerColor(QColor(200, 10, 20));
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog&) {
        EXPECT_EQ(Pixel(Map().Picture(), 100, 120), QColor(0, 255, 0));
        EXPECT_EQ(Colors().item(1, 1)->text(), "");
        Colors().setCurrentCell(0, 1);
        Map().ListView1DblClick();
        EXPECT_EQ(Colors().item(0, 1)->text(), "#C80A14");
        // The colour cell is painted in its colour, the empty one is not.
        const QImage list = Colors().viewport()->grab().toImage();
        const QRect hecht = Colors().visualItemRect(Colors().item(0, 1));
        const QRect barsch = Colors().visualItemRect(Colors().item(1, 1));
        EXPECT_EQ(list.pixelColor(hecht.center() + QPoint(hecht.width() / 3, 0)),
                  QColor(200, 10, 20));
        EXPECT_EQ(list.pixelColor(barsch.center() + QPoint(barsch.width() / 3, 0)),
                  QColor(Qt::white));
        Map().BitBtn1Click();
        EXPECT_EQ(Pixel(Map().Picture(), 100, 120), QColor(200, 10, 20));
        EXPECT_EQ(Pixel(Map().Picture(), 52, 52), QColor(0, 0, 255));
    });
    ChooseMapItem("See");
    EXPECT_EQ(prompts_.Shown().size(), 1u);
    EXPECT_EQ(prompts_.Shown()[0].kind, PromptKind::PickColor);
    const auto saved = Ini().ReadSectionValues("KarteFarbe");
    EXPECT_EQ(saved, (std::vector<std::pair<std::string, std::string>>{{"Hecht", "#C80A14"},
                                                                       {"Barsch", ""}}));
}

TEST_F(SearchAndMapWindowTest, AWaterWithoutPictureAsksForOneAndStoresABitmapAsJpeg) {
    WithCatches({kHechtOnSee});
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"See"});
    Ini().WriteString("KarteFarbe", "Hecht", "#FF8000");
    // The stored map was damaged: it is reported, and a new one is asked for.
    const std::filesystem::path damaged = Folder() / "karte_alt.jpg";
    WriteTextFile(damaged, {"kein Bild"});
    Ini().WriteString("Karte", "See", PathToUtf8(damaged));
    Start();
    // Cancelled: the window closes at once and nothing is stored.
    bool closed = false;
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog& dialog) {
        QApplication::processEvents();
        closed = !dialog.isVisible();
    });
    ChooseMapItem("See");
    EXPECT_TRUE(closed);
    EXPECT_EQ(Ini().ReadString("Karte", "See"), PathToUtf8(damaged));
    ASSERT_EQ(prompts_.Shown().size(), 2u);
    EXPECT_TRUE(prompts_.Shown()[0].text.contains(QStringLiteral("karte_alt.jpg")));
    EXPECT_EQ(prompts_.Shown()[1].kind, PromptKind::OpenFile);
    EXPECT_EQ(prompts_.Shown()[1].file.filter, U8(TfrmKarte::kPictureFilter));
    prompts_.Clear();

    // A picture that cannot be read is reported; nothing is stored.
    std::filesystem::remove(damaged);
    const std::filesystem::path broken = Folder() / "Bilder" / "kaputt.jpg";
    WriteTextFile(broken, {"kein Bild"});
    prompts_.AnswerOpenFile(FileChoice{QString::fromStdString(broken.string()), 1});
    ChooseMapItem("See");
    ASSERT_EQ(prompts_.Texts(PromptKind::Error).size(), 1);
    EXPECT_TRUE(prompts_.Texts(PromptKind::Error)[0].contains(QStringLiteral("kaputt.jpg")));
    EXPECT_FALSE(std::filesystem::exists(Folder() / "karte_kaputt.jpg"));
    EXPECT_EQ(Ini().ReadString("Karte", "See"), PathToUtf8(damaged));

    // A bitmap becomes karte_see.jpg in the program folder and is shown.
    const std::filesystem::path bitmap = Folder() / "Bilder" / "see.bmp";
    QImage drawn(320, 200, QImage::Format_RGB888);
    drawn.fill(QColor(30, 90, 200));
    ASSERT_TRUE(drawn.save(QString::fromStdString(bitmap.string()), "BMP"));
    prompts_.AnswerOpenFile(FileChoice{QString::fromStdString(bitmap.string()), 3});
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog&) {
        EXPECT_EQ(Picture().pixmap().size(), QSize(320, 200));
        EXPECT_EQ(Pixel(Map().Picture(), 100, 120), QColor(255, 128, 0)); // the Hecht's marker
    });
    ChooseMapItem("See");
    const std::filesystem::path copy = Folder() / "karte_see.jpg";
    EXPECT_EQ(Ini().ReadString("Karte", "See"), PathToUtf8(copy));
    EXPECT_EQ(ReadWholeFile(copy).substr(0, 2), std::string("\xFF\xD8"));
}

TEST_F(SearchAndMapWindowTest, TheMapMenuSkipsEmptyLinesAndShowsAnAmpersandAsWritten) {
    // An empty line of the list names no water: it gets no item, since no
    // map could be stored under an empty name.
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"", "Sand & Kies", " "});
    WithCatches({kHechtOnSee});
    Start();
    EXPECT_EQ(main_->findChild<QMenu*>(QStringLiteral("Karte1"))->actions().size(), 1);
    ChooseMapItem("Sand && Kies");
    EXPECT_EQ(Map().Water(), U8("Sand & Kies"));
}

TEST_F(SearchAndMapWindowTest, APositionThatIsNotTwoNumbersStopsTheDrawing) {
    WithCatches({kHechtOnSee,
                 {{"Fischart", "Hecht"}, {"Gewaesser", "See"}, {"Kartenpos", "a,b"}},
                 {{"Fischart", "Hecht"}, {"Gewaesser", "See"}, {"Kartenpos", "200,200"}}});
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"See"});
    WithMap("See");
    Ini().WriteString("KarteFarbe", "Hecht", "#FF00FF");
    Start();
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog&) {
        EXPECT_EQ(Pixel(Map().Picture(), 100, 120), QColor(255, 0, 255));
        EXPECT_NE(Pixel(Map().Picture(), 200, 200), QColor(255, 0, 255));
        EXPECT_EQ(Map().Markers().size(), 1u);
    });
    ChooseMapItem("See");
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList{U8("'a' ist kein gültiger Integerwert")});
}

TEST_F(SearchAndMapWindowTest, PlacingWritesTheClickedPositionIntoTheCatchBeingEntered) {
    WithCatches({kHechtOnSee});
    WithMap("See", 500, 360);
    TfrmMain& main = Start();
    auto& entry = *main.Forms().Get<TfrmFangHinzufuegen>(QStringLiteral("TfrmFangHinzufuegen"));
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(),
                  U8("Karte - Linke Maustaste klicken um aktuelle Position zu übernehmen"));
        EXPECT_FALSE(dialog.findChild<QFrame*>(QStringLiteral("Panel1"))->isVisible());
        EXPECT_EQ(Picture().cursor().shape(), Qt::CrossCursor);
        EXPECT_TRUE(Map().Markers().empty()); // placing shows the bare map
        Click(312, 145);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cb_fischart"))->setEditText("Barsch");
        dialog.findChild<QComboBox*>(QStringLiteral("cb_gewaesser"))->setEditText("See");
        entry.BitBtn4Click();
        EXPECT_EQ(entry.MapField()->text(), "312,145");
        entry.BitBtn2Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmFangHinzufuegen", "frmKarte"}));
    EXPECT_EQ(Picture().cursor().shape(), Qt::ArrowCursor);
    TMlbc& db = main.GetWorkspace().DB();
    ASSERT_EQ(db.RowCount(), 2);
    db.GoToRow(2);
    EXPECT_EQ(db.GetData("Kartenpos"), "312,145");
    EXPECT_EQ(db.GetData("Gewaesser"), "See");
}

TEST_F(SearchAndMapWindowTest, ScreenshotsShowTheMarkersAndTheBareMapForPlacing) {
    const struct {
        const char* species;
        const char* position;
        const char* length;
        const char* weight;
    } season[] = {
        {"Hecht", "182,140", "78", "4200"},   {"Hecht", "410,96", "64", "2100"},
        {"Barsch", "250,210", "31,5", "350"}, {"Barsch", "262,216", "28", "290"},
        {"Barsch", "300,255", "35", "520"},   {"Zander", "455,240", "55,5", "1500"},
        {"Zander", "150,260", "61", "1900"},  {"Karpfen", "520,170", "72", "7800"},
        {"Schleie", "350,300", "38", "900"},  {"Aal", "120,190", "70", "800"},
    };
    std::vector<CatchRow> rows;
    for (const auto& c : season) {
        rows.push_back({{"Fangdatum", "05.06.2007"},
                        {"Fischart", c.species},
                        {"Laenge", c.length},
                        {"Gewicht", c.weight},
                        {"Gewaesser", "Möhnesee"},
                        {"Kartenpos", c.position}});
    }
    WithCatches(rows);
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"Möhnesee"});
    WriteTextFile(Folder() / "DATs" / "Fischarten.dat",
                  {"Aal", "Barsch", "Hecht", "Karpfen", "Schleie", "Zander"});
    WithMap("Möhnesee", 640, 420);
    const std::pair<const char*, const char*> colors[] = {{"Aal", "#8C564B"},
                                                          {"Barsch", "#FF7F0E"},
                                                          {"Hecht", "#2CA02C"},
                                                          {"Karpfen", "#D62728"},
                                                          {"Zander", "#9467BD"}};
    for (const auto& [species, color] : colors) {
        Ini().WriteString("KarteFarbe", species, color);
    }
    Start();
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog& dialog) {
        const QImage shot(QString::fromStdString(RenderToPng(dialog, "map_viewing").string()));
        const QPoint origin = Picture().mapTo(&dialog, QPoint(0, 0));
        EXPECT_EQ(shot.pixelColor(origin + QPoint(184, 142)), QColor(0x2C, 0xA0, 0x2C));
        EXPECT_EQ(shot.pixelColor(origin + QPoint(352, 302)), QColor(0, 0, 255)); // Schleie
    });
    ChooseMapItem("Möhnesee");
    auto& entry = *main_->Forms().Get<TfrmFangHinzufuegen>(QStringLiteral("TfrmFangHinzufuegen"));
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog& dialog) {
        const QImage shot(QString::fromStdString(RenderToPng(dialog, "map_placing").string()));
        const QPoint origin = Picture().mapTo(&dialog, QPoint(0, 0));
        EXPECT_LT(origin.x(), 10); // the picture has the panel's room
        EXPECT_NE(shot.pixelColor(origin + QPoint(184, 142)), QColor(0x2C, 0xA0, 0x2C));
    });
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cb_gewaesser"))->setEditText(U8("Möhnesee"));
        entry.BitBtn4Click();
        entry.BitBtn3Click();
    });
    main_->Hinzufgen1Click();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKarte", "frmFangHinzufuegen", "frmKarte"}));
}

} // namespace
} // namespace zv::test
