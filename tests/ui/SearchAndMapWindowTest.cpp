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

// Hands out the components of a few pleasant colours, in turn.
class PaletteRandom : public RandomSource {
public:
    int Random(int) override { return kComponents[next_++ % std::size(kComponents)]; }

private:
    static constexpr int kComponents[] = {0x2C, 0xA0, 0x2C, 0xFF, 0x7F, 0x0E, 0x94, 0x67, 0xBD};
    std::size_t next_ = 0;
};

QString U8(const char* text) {
    return QString::fromUtf8(text);
}

class SearchAndMapWindowTest : public ProgramTest {
protected:
    void WithCatches(const std::vector<CatchRow>& rows) {
        WriteCatchDatabase(Folder() / "Fang.f", rows);
        Ini().WriteString("Datenbank", "Zelvorin", PathToUtf8(Folder() / "Fang.f"));
    }
    // A drawn lake as the water's map: green land, a blue lake, a grey path.
    void WithMap(const std::string& water, int width = 400, int height = 300) {
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
        ASSERT_TRUE(image.save(QString::fromStdString((Folder() / "karte_see.jpg").string())));
        Ini().WriteString("Karte", water, PathToUtf8(Folder() / "karte_see.jpg"));
    }
    IniFile Ini() const { return IniFile(Folder() / "Zelvorin.ini"); }

    TfrmKarte& Map() { return *main_->Forms().Get<TfrmKarte>(QStringLiteral("TfrmKarte")); }
    QLabel& Picture() { return *Map().findChild<QLabel*>(QStringLiteral("Image1")); }
    QColor MapPixel(int x, int y) { return Map().Picture().pixelColor(x, y); }
    QTableWidget& Colors() { return *Map().findChild<QTableWidget*>(QStringLiteral("ListView1")); }

    // A mouse move, or with a button a press, on the map picture.
    void Mouse(int x, int y, Qt::MouseButton button = Qt::NoButton) {
        QMouseEvent event(button ? QEvent::MouseButtonPress : QEvent::MouseMove, QPointF(x, y),
                          Picture().mapToGlobal(QPointF(x, y)), button, button, Qt::NoModifier);
        QApplication::sendEvent(&Picture(), &event);
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
};

const CatchRow kHechtOnSee = {
    {"Fangdatum", "05.06.2007"}, {"Faenger", "Jan"},   {"Fischart", "Hecht"},   {"Laenge", "80"},
    {"Gewicht", "3886"},         {"Gewaesser", "See"}, {"Kartenpos", "100,120"}};

TEST_F(SearchAndMapWindowTest, SearchListsTheHitsAndKeepsThemUntilTheNextSearch) {
    WithCatches({kHechtOnSee,
                 {{"Fangdatum", "12.08.2009"},
                  {"Faenger", "Eva"},
                  {"Fischart", "Barsch"},
                  {"Laenge", "31,5"},
                  {"Gewicht", "350"},
                  {"Kommentar", "neben dem Hechtkraut"}},
                 {{"Fangdatum", "01.01.2008"}, {"Fischart", "Äsche"}}});
    TfrmMain& main = Start();
    auto& search = *main.Forms().Get<TfrmFangsuchen>(QStringLiteral("TfrmFangsuchen"));
    auto* table = search.findChild<QTableView*>(QStringLiteral("ListView1"));
    QStringList rows;
    modal_.On(QStringLiteral("frmFangsuchen"), [&](QDialog& dialog) {
        auto* term = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"));
        if (term->text().isEmpty()) { // the first showing searches
            EXPECT_EQ(dialog.windowTitle(), "Fang suchen");
            term->setText(QStringLiteral("hecht"));
            dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
            RenderToPng(dialog, "search_hits");
        }
        const QAbstractItemModel& model = *table->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column) {
                cells << model.index(row, column).data().toString();
            }
            rows << term->text() + ":" + cells.join(";");
        }
        search.BitBtn2Click();
    });
    // Shown again: the term and the list are still there.
    main.findChild<QAction*>(QStringLiteral("Suchen1"))->trigger();
    main.findChild<QAction*>(QStringLiteral("Suchen1"))->trigger();
    const QStringList hits = {"hecht:1;05.06.2007;Jan;Hecht;80;3886",
                              "hecht:2;12.08.2009;Eva;Barsch;31,5;350"};
    EXPECT_EQ(rows, hits + hits);
    EXPECT_TRUE(table->isColumnHidden(CatchSearchModel::IdColumn));
    EXPECT_EQ(table->model()->headerData(4, Qt::Horizontal).toString(), U8("Länge(cm):"));
    EXPECT_EQ(modal_.Shown(), QStringList({"frmFangsuchen", "frmFangsuchen"}));
}

TEST_F(SearchAndMapWindowTest, ViewingShowsTheMarkersAndPlacingStoresTheClickedPosition) {
    const char* season[] = {"Hecht;182,140;78;4200",    "Hecht;410,96;64;2100",
                            "Barsch;250,210;31,5;350",  "Barsch;262,216;28;290",
                            "Zander;455,240;55,5;1500", "Zander;150,260;61;1900",
                            "Schleie;350,300;38;900",   "Hecht;500,100;70;3000"};
    std::vector<CatchRow> rows;
    for (const char* line : season) {
        const QStringList parts = QString(line).split(';');
        rows.push_back({{"Fischart", parts[0].toStdString()},
                        {"Kartenpos", parts[1].toStdString()},
                        {"Laenge", parts[2].toStdString()},
                        {"Gewicht", parts[3].toStdString()},
                        {"Gewaesser", rows.size() < 7 ? "Möhnesee" : "möhnesee"}});
    }
    WithCatches(rows);
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"Möhnesee"});
    WriteTextFile(Folder() / "DATs" / "Fischarten.dat", {"Hecht", "Barsch", "Zander"});
    WithMap("Möhnesee", 640, 420);
    TfrmMain& main = Start();
    PaletteRandom random;
    Map().SetRandomSource(&random);
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog& dialog) {
        // The shown picture carries the markers.
        const QImage shot(QString::fromStdString(RenderToPng(dialog, "map_viewing").string()));
        EXPECT_EQ(shot.pixelColor(Picture().mapTo(&dialog, QPoint(184, 142))),
                  QColor(0x2C, 0xA0, 0x2C));
        EXPECT_EQ(dialog.windowTitle(), "Karte");
        EXPECT_TRUE(dialog.isMaximized());
        EXPECT_TRUE(dialog.findChild<QFrame*>(QStringLiteral("Panel1"))->isVisible());
        EXPECT_EQ(Colors().item(1, 0)->text() + " " + Colors().item(1, 1)->text(),
                  "Barsch #FF7F0E");
        EXPECT_EQ(MapPixel(182, 140), QColor(0x2C, 0xA0, 0x2C));
        EXPECT_EQ(MapPixel(352, 302), QColor(0, 0, 255));        // Schleie: no colour
        EXPECT_NE(MapPixel(502, 102), QColor(0x2C, 0xA0, 0x2C)); // other letter case

        Mouse(183, 141);
        EXPECT_EQ(Picture().toolTip(), "Hecht, 78 cm 4200 g");
        EXPECT_EQ(main.GetWorkspace().DB().CurrentRow(), 1);
        Mouse(20, 20); // off the markers the hint goes away
        EXPECT_EQ(Picture().toolTip(), "");
        dialog.findChild<QAction*>(QStringLiteral("Schlieen1"))->trigger();
        EXPECT_FALSE(dialog.isVisible());
    });
    ChooseMapItem("Möhnesee");
    // The random colours were written once, for the species of the list.
    EXPECT_EQ(Ini().ReadSection("KarteFarbe"),
              (std::vector<std::string>{"Hecht", "Barsch", "Zander"}));

    // Placing shows the bare map in the panel's room; a click becomes the
    // position of the catch being entered.
    auto& entry = *main.Forms().Get<TfrmFangHinzufuegen>(QStringLiteral("TfrmFangHinzufuegen"));
    modal_.On(QStringLiteral("frmKarte"), [&](QDialog& dialog) {
        RenderToPng(dialog, "map_placing");
        EXPECT_EQ(dialog.windowTitle(), U8("Karte - Linke Maustaste klicken um "
                                           "aktuelle Position zu übernehmen"));
        EXPECT_FALSE(dialog.findChild<QFrame*>(QStringLiteral("Panel1"))->isVisible());
        EXPECT_LT(Picture().mapTo(&dialog, QPoint(0, 0)).x(), 10);
        EXPECT_TRUE(Map().Markers().empty());
        EXPECT_NE(MapPixel(182, 140), QColor(0x2C, 0xA0, 0x2C));
        EXPECT_EQ(Picture().cursor().shape(), Qt::CrossCursor);
        Mouse(312, 145, Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cb_fischart"))->setEditText("Barsch");
        dialog.findChild<QComboBox*>(QStringLiteral("cb_gewaesser"))->setEditText(U8("Möhnesee"));
        entry.BitBtn4Click();
        entry.BitBtn2Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKarte", "frmFangHinzufuegen", "frmKarte"}));
    EXPECT_EQ(Picture().cursor().shape(), Qt::ArrowCursor);
    TMlbc& db = main.GetWorkspace().DB();
    db.Last();
    EXPECT_EQ(db.GetData("Kartenpos"), "312,145");
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
        EXPECT_EQ(MapPixel(100, 120), QColor(0, 255, 0));
        Colors().setCurrentCell(0, 1);
        Map().ListView1DblClick();
        EXPECT_EQ(Colors().item(0, 1)->text(), "#C80A14");
        // The colour cell is painted in its colour, the empty one is not.
        const QImage list = Colors().viewport()->grab().toImage();
        const auto cellColour = [&](int row) {
            const QRect cell = Colors().visualItemRect(Colors().item(row, 1));
            return list.pixelColor(cell.center() + QPoint(cell.width() / 3, 0));
        };
        EXPECT_EQ(cellColour(0), QColor(200, 10, 20));
        EXPECT_EQ(cellColour(1), QColor(Qt::white));
        Map().BitBtn1Click();
        EXPECT_EQ(MapPixel(100, 120), QColor(200, 10, 20));
        EXPECT_EQ(MapPixel(52, 52), QColor(0, 0, 255));
    });
    ChooseMapItem("See");
    ASSERT_EQ(prompts_.Shown().size(), 1u);
    EXPECT_EQ(prompts_.Shown()[0].kind, PromptKind::PickColor);
    EXPECT_EQ(
        Ini().ReadSectionValues("KarteFarbe"),
        (std::vector<std::pair<std::string, std::string>>{{"Hecht", "#C80A14"}, {"Barsch", ""}}));
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
    ASSERT_EQ(prompts_.Shown().size(), 2u);
    EXPECT_TRUE(prompts_.Shown()[0].text.contains(QStringLiteral("karte_alt.jpg")));
    EXPECT_EQ(prompts_.Shown()[1].file.filter, U8(TfrmKarte::kPictureFilter));

    // A picture that cannot be read is reported; nothing is stored.
    const std::filesystem::path broken = Folder() / "Bilder" / "kaputt.jpg";
    WriteTextFile(broken, {"kein Bild"});
    prompts_.AnswerOpenFile(FileChoice{QString::fromStdString(broken.string()), 1});
    ChooseMapItem("See");
    const QStringList errors = prompts_.Texts(PromptKind::Error);
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.last().contains(QStringLiteral("kaputt.jpg")));
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
        EXPECT_EQ(MapPixel(100, 120), QColor(255, 128, 0)); // the Hecht's marker
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
        EXPECT_EQ(MapPixel(100, 120), QColor(255, 0, 255));
        EXPECT_NE(MapPixel(200, 200), QColor(255, 0, 255));
    });
    ChooseMapItem("See");
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList{U8("'a' ist kein gültiger Integerwert")});
}

} // namespace
} // namespace zv::test
