#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "catchlog/ui/TfrmInfo.h"
#include "storage/IniFile.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "widgets/FormSet.h"
#include "widgets/UrlOpener.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace zv::test {
namespace {

class MainWindowTest : public ProgramTest {
protected:
    void WriteSettings(const std::vector<std::string>& lines) {
        WriteTextFile(Folder() / "Zelvorin.ini", lines);
    }
    // A catch database in the program folder, named in the settings.
    void UseCatches(const std::vector<CatchRow>& rows) {
        WriteCatchDatabase(Folder() / "Fang.f", rows);
        WriteSettings({"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f")});
    }
    QString Text(const char* label) const { return main_->findChild<QLabel*>(label)->text(); }
    QTableView* List() const { return main_->findChild<QTableView*>("ListView1"); }
    QAbstractItemModel* Model() const { return List()->model(); }
    QString Cell(int row, int column) const {
        return Model()->index(row, column).data().toString();
    }
    QStringList Column(int column) const {
        QStringList values;
        for (int row = 0; row < Model()->rowCount(); ++row) {
            values << Cell(row, column);
        }
        return values;
    }
    QComboBox* Combo(const char* name) const { return main_->findChild<QComboBox*>(name); }
    QStringList Items(const char* name) const {
        QStringList items;
        for (int i = 0; i < Combo(name)->count(); ++i) {
            items << Combo(name)->itemText(i);
        }
        return items;
    }
    void Choose(const char* combo, const QString& text) {
        const int index = Combo(combo)->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        Combo(combo)->setCurrentIndex(index);
    }
    int RowOfId(int id) const {
        for (int row = 0; row < Model()->rowCount(); ++row) {
            if (Cell(row, 0).toInt() == id) {
                return row;
            }
        }
        return -1;
    }
    QStringList MenuTexts(const char* menu) const {
        QStringList texts;
        for (QAction* action : main_->findChild<QMenu*>(menu)->actions()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return texts;
    }
    std::vector<std::string> Errors() const {
        std::vector<std::string> errors;
        for (const QString& text : prompts_.Texts(PromptKind::Error)) {
            errors.push_back(text.toStdString());
        }
        return errors;
    }
};

const CatchRow kHecht = {{"Fangdatum", "05.06.2007"},
                         {"Fangzeit", "18:42:07"},
                         {"Faenger", "Jan"},
                         {"Fischart", "Hecht"},
                         {"Laenge", "78"},
                         {"Gewicht", "4200"},
                         {"Gewaesser", "Rhein"},
                         {"Koeder", "Wobbler"},
                         {"KoederFarbe", "rot"},
                         {"KoederLaenge", "12"},
                         {"Koederverhalten", "schwimmend"}};
const CatchRow kBarsch = {{"Fangdatum", "12.08.2009"},
                          {"Faenger", "Eva"},
                          {"Fischart", "Barsch"},
                          {"Gewicht", "350"},
                          {"Gewaesser", "Möhnesee"}};
const CatchRow kZander = {{"Fangdatum", "01.01.2008"},
                          {"Faenger", "Jan"},
                          {"Fischart", "Zander"},
                          {"Laenge", "55,5"},
                          {"Gewaesser", "Rhein"}};

TEST_F(MainWindowTest, StartCreatesTheTwentyWindowsInOrderAndShowsOnlyTheMainWindow) {
    TfrmMain& main = Start();
    const std::vector<std::pair<QString, QString>> expected = {
        {"TfrmMain", "Borentik Zelvorin 1.1.0"},
        {"TfrmDatenbank", "Datenbank"},
        {"TfrmFangHinzufuegen", "Fang hinzufügen"},
        {"TfrmFelderverwalten", "Felder verwalten"},
        {"TfrmBilder", "Bilder hinzufügen"},
        {"TfrmDetails", "Details"},
        {"TfrmAKuebersicht", "Übersicht"},
        {"TfrmAKadd", "Angelkosten hinzufügen"},
        {"TfrmAKjahr", "Jahreszusammenfassung"},
        {"TfrmAksuchen", "Angelkosten suchen"},
        {"TfrmFangsuchen", "Fang suchen"},
        {"TfrmStatistik", "Statistik"},
        {"TfrmInternet", "Online Statistiken"},
        {"TfrmOSabgleichen", "Abgleichen"},
        {"TfrmInfo", "Info.."},
        {"TfrmKarte", "Karte"},
        {"TfrmAuswerten", "Auswerten"},
        {"Tfrmauswertenstatistik", "Statistik auswerten"},
        {"TfrmKalender", "Kalender"},
        {"TfrmKalenderDetails", "Tages Informationen"},
        {"TfrmExportieren", "Exportieren"}};
    const auto& entries = main.Forms().Entries();
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].className, expected[i].first);
        EXPECT_EQ(entries[i].window->windowTitle(), expected[i].second) << i;
        EXPECT_EQ(entries[i].window->isVisible(), i == 0) << i;
    }
    EXPECT_EQ(entries[0].window, &main);
    // Without any settings nothing is open and nothing is reported.
    EXPECT_TRUE(main.GetWorkspace().CatchPath().empty());
    EXPECT_TRUE(prompts_.Shown().empty());

    // Menu items open their windows; a window keeps its identity between uses.
    main.findChild<QAction*>("Suchen2")->trigger();
    main.findChild<QPushButton*>("SpeedButton1")->click();
    main.findChild<QAction*>("Internetabgleich1")->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmAksuchen", "frmKalender", "frmInternet"}));
    EXPECT_FALSE(main.Forms().Find("TfrmKalender")->isVisible());
}

TEST_F(MainWindowTest, MenusAndContextMenuCarryEveryItem) {
    Start();
    EXPECT_EQ(MenuTexts("Datei1"),
              QStringList({"&Datenbank", "-", "&Exportieren…", "-", "&Backup laden..",
                           "Backup erstellen..", "-", "&Beenden"}));
    EXPECT_EQ(MenuTexts("Fang1"),
              QStringList({"&Hinzufügen", "-", "&Details", "-", "&Klonen", "&Bearbeiten",
                           "&Löschen", "-", "&Suchen", "-", "Kalender"}));
    EXPECT_EQ(MenuTexts("Angelkosten1"), QStringList({"&Hinzufügen", "-", "&Übersicht",
                                                      "&Jahreszusammenfassung", "-", "Suchen"}));
    EXPECT_EQ(MenuTexts("Extras1"),
              QStringList({"Auswerten", "-", "&Karte", "-", "&Fangliste erstellen", "-",
                           "Internet Statistiken"}));
    EXPECT_EQ(MenuTexts("Auswerten1"), QStringList({"Zelvorin", "-", "Angelkosten",
                                                    "Jahreszusammenfassung", "-", "Statistik"}));
    EXPECT_FALSE(main_->findChild<QAction*>("N13")->isVisible());
    EXPECT_FALSE(main_->findChild<QAction*>("Statistik2")->isVisible());
    EXPECT_EQ(MenuTexts("Hilfe1"), QStringList({"&Info"}));
    EXPECT_EQ(MenuTexts("PopupMenu1"),
              QStringList({"Details", "-", "Klonen", "Bearbeiten", "Löschen"}));
    const auto* popup = main_->findChild<QMenu*>("PopupMenu1");
    EXPECT_EQ(popup->defaultAction()->objectName(), "Details2");
    // Hidden id column, the captions of the others.
    EXPECT_TRUE(List()->isColumnHidden(0));
    QStringList captions;
    for (int column = 0; column < Model()->columnCount(); ++column) {
        captions << Model()->headerData(column, Qt::Horizontal).toString();
    }
    EXPECT_EQ(captions, QStringList({"id", "Datum:", "Fischart:", "Gewässer:", "Fänger:",
                                     "Länge (cm):", "Gewicht (g):"}));
}

TEST_F(MainWindowTest, EmptyCatchDatabaseShowsEmptyPanelsButTheCostTotal) {
    WriteCatchDatabase(Folder() / "Fang.f", {});
    WriteCostDatabase(Folder() / "Kosten.a", {{{"Gesamtpreis", "12,5"}},
                                              {{"Gesamtpreis", "10"}, {"Versandkosten", "4,90"}}});
    WriteSettings({"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"),
                   "Angelkosten=" + PathToUtf8(Folder() / "Kosten.a")});
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"Rhein"});
    TfrmMain& main = Start();
    EXPECT_EQ(main.GetWorkspace().CatchPath(), PathToUtf8(Folder() / "Fang.f"));
    EXPECT_EQ(Model()->rowCount(), 0);
    for (const char* label : {"anzahlfische", "fischgewicht", "fischlaenge", "dgewicht", "dlaenge",
                              "l_maxgewicht", "l_maxlaenge", "lb_angelzeit"}) {
        EXPECT_EQ(Text(label), "") << label;
    }
    EXPECT_EQ(Text("lb_angelkosten"), "27,40 €");
    // The map menu is only filled once catches are listed.
    EXPECT_TRUE(main.findChild<QMenu*>("Karte1")->actions().isEmpty());
    EXPECT_EQ(main.height(), TfrmMain::kShortHeight);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(MainWindowTest, ThreeCatchesAreListedNewestFirstWithTheirSummary) {
    UseCatches({kHecht, kBarsch, kZander});
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"Rhein", "möhnesee", "Elbe", "rhein"});
    TfrmMain& main = Start();
    EXPECT_EQ(Column(1), QStringList({"12.08.2009", "01.01.2008", "05.06.2007"}));
    EXPECT_EQ(Column(0), QStringList({"2", "3", "1"}));
    EXPECT_EQ(Column(2), QStringList({"Barsch", "Zander", "Hecht"}));
    EXPECT_EQ(Column(3), QStringList({"Möhnesee", "Rhein", "Rhein"}));
    EXPECT_EQ(Column(4), QStringList({"Eva", "Jan", "Jan"}));
    EXPECT_EQ(Column(5), QStringList({"", "55,5", "78"}));
    EXPECT_EQ(Column(6), QStringList({"350", "", "4200"}));
    // Every second row light grey.
    EXPECT_EQ(Model()->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(Qt::white));
    EXPECT_EQ(Model()->index(1, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(241, 241, 241));

    auto* angler = Combo("cb_faenger");
    EXPECT_EQ(angler->currentIndex(), -1);
    EXPECT_EQ(angler->placeholderText(), "Letzte 10 Fänge");
    EXPECT_EQ(Text("anzahlfische"), "3");
    EXPECT_EQ(Text("fischgewicht"), "4,55 kg");
    EXPECT_EQ(Text("fischlaenge"), "1,34 m");
    EXPECT_EQ(Text("dgewicht"), "1516,67 g");
    EXPECT_EQ(Text("dlaenge"), "44,50 cm");
    EXPECT_EQ(Text("l_maxgewicht"), "4200,00 g");
    EXPECT_EQ(Text("l_maxlaenge"), "78,00 cm");
    // The last ten catches show no fishing time.
    EXPECT_EQ(Text("lb_angelzeit"), "");
    EXPECT_EQ(Text("lb_angelkosten"), "0,00 €");
    // The map menu: the waters sorted, without case duplicates.
    EXPECT_EQ(MenuTexts("Karte1"), QStringList({"Elbe", "möhnesee", "Rhein"}));
    main.findChild<QMenu*>("Karte1")->actions().at(2)->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmKarte"}));
}

TEST_F(MainWindowTest, LegacySettingsAreConvertedAtStartAndShown) {
    auto legacy = MakeEmptyTable({"Fangdatum", "Fischart", "Faenger", "Bild", "Bemerkungen"});
    for (const char* date : {"03.04.2001", "04.04.2001"}) {
        legacy->AppendRow();
        legacy->SetData("Fangdatum", date);
        legacy->SetData("Fischart", "Karpfen");
        legacy->SetData("Bild", "alt_small.jpg");
    }
    ASSERT_TRUE(legacy->SaveToFile(PathToUtf8(Folder() / "Fang.fdb")));
    // Written by the Windows version: the file moved along with the folder.
    WriteSettings({"[DB]", "File=D:\\Alt\\Fang.fdb"});
    TfrmMain& main = Start();
    const std::filesystem::path converted = Folder() / "Fang.f";
    ASSERT_TRUE(std::filesystem::exists(converted));
    EXPECT_TRUE(std::filesystem::exists(Folder() / "Fang.fdb"));
    EXPECT_EQ(IniFile(Folder() / "Zelvorin.ini").ReadString("Datenbank", "Zelvorin"),
              PathToUtf8(converted));
    EXPECT_EQ(main.GetWorkspace().CatchPath(), PathToUtf8(converted));
    EXPECT_EQ(main.GetWorkspace().DB().FieldCount(), 38);
    EXPECT_EQ(Column(1), QStringList({"04.04.2001", "03.04.2001"}));
    EXPECT_TRUE(Errors().empty());
}

TEST_F(MainWindowTest, AStartOpensAnEarlierConversionInsteadOfConvertingAgain) {
    auto legacy = MakeEmptyTable({"Fangdatum", "Fischart"});
    legacy->AppendRow();
    legacy->SetData("Fangdatum", "03.04.2001");
    ASSERT_TRUE(legacy->SaveToFile(PathToUtf8(Folder() / "Fang.fdb")));
    WriteCatchDatabase(Folder() / "Fang.f", {kBarsch});
    // The key was emptied in the database window: the older one applies again.
    WriteSettings({"[DB]", "File=D:\\Alt\\Fang.fdb", "[Datenbank]", "Zelvorin="});
    Start();
    EXPECT_EQ(Column(1), QStringList({"12.08.2009"}));
    const QStringList notices = prompts_.Texts(PromptKind::Information);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QString::fromStdString(PathToUtf8(Folder() / "Fang.f"))))
        << notices[0].toStdString();
    EXPECT_TRUE(Errors().empty());
}

TEST_F(MainWindowTest, FishingTimeOfTheListedCatches) {
    CatchRow morning = kHecht;
    morning["Angelbeginn"] = "06:00:00";
    morning["Angelende"] = "09:30:00";
    CatchRow night = kZander;
    night["Angelbeginn"] = "22:00:00";
    night["Angelende"] = "01:00:00";
    UseCatches({morning, morning, night});
    WriteTextFile(Folder() / "DATs" / "Faenger.dat", {"Jan", "Eva"});
    Start();
    // The last ten catches at start: their summary, but no fishing time.
    EXPECT_EQ(Text("anzahlfische"), "3");
    EXPECT_EQ(Text("lb_angelzeit"), "");
    Choose("cb_faenger", "- Alle -");
    main_->cb_faengerChange();
    EXPECT_EQ(Text("lb_angelzeit"), "0 Tage 6 Stunden 30 Minuten  =  0,46 Fische pro Stunde");
    EXPECT_EQ(Text("anzahlfische"), "3");
    // Back to the last ten (as after the database window): the time of the
    // filtered list does not stay behind.
    main_->ShowLastCatches();
    EXPECT_EQ(Text("lb_angelzeit"), "");
    EXPECT_EQ(Text("anzahlfische"), "3");
}

TEST_F(MainWindowTest, AnglerYearAndSpeciesFiltersNarrowTheListAndNeverLeaveStaleNumbers) {
    CatchRow hecht2010 = kHecht;
    hecht2010["Fangdatum"] = "10.10.2010";
    CatchRow barsch2010 = kHecht;
    barsch2010["Fangdatum"] = "11.10.2010";
    barsch2010["Fischart"] = "Barsch";
    CatchRow eva2011 = kBarsch;
    eva2011["Fangdatum"] = "01.05.2011";
    eva2011["Fischart"] = "Aal";
    UseCatches({kHecht, hecht2010, barsch2010, eva2011, kZander});
    WriteTextFile(Folder() / "DATs" / "Faenger.dat", {"Jan", "Eva"});
    TfrmMain& main = Start();
    EXPECT_EQ(Items("cb_faenger"), QStringList({"- Alle -", "Jan", "Eva"}));
    EXPECT_EQ(Combo("cb_jahr")->count(), 0); // filled on the first angler change

    Choose("cb_faenger", "Jan");
    main.cb_faengerChange();
    EXPECT_EQ(Items("cb_jahr"), QStringList({"- Alle -", "2010", "2008", "2007"}));
    EXPECT_EQ(Combo("cb_jahr")->currentIndex(), -1);
    EXPECT_EQ(Column(1), QStringList({"11.10.2010", "10.10.2010", "01.01.2008", "05.06.2007"}));
    EXPECT_EQ(main.findChild<QPushButton*>("SpeedButton2")->toolTip(),
              "Statistik für Jan anzeigen");

    Choose("cb_jahr", "2010");
    main.cb_jahrChange();
    EXPECT_EQ(Items("cb_fischart"), QStringList({"- Alle -", "Barsch", "Hecht"}));
    EXPECT_EQ(Column(1), QStringList({"11.10.2010", "10.10.2010"}));

    Choose("cb_fischart", "Hecht");
    main.cb_fischartChange();
    EXPECT_EQ(Column(1), QStringList({"10.10.2010"}));
    EXPECT_EQ(Text("anzahlfische"), "1");

    // Another angler resets the year but keeps the species: Eva caught no
    // Hecht, so the list is empty and so is every panel.
    Choose("cb_faenger", "Eva");
    main.cb_faengerChange();
    EXPECT_EQ(Items("cb_jahr"), QStringList({"- Alle -", "2011"}));
    EXPECT_EQ(Model()->rowCount(), 0);
    for (const char* label : {"anzahlfische", "fischgewicht", "fischlaenge", "dgewicht", "dlaenge",
                              "l_maxgewicht", "l_maxlaenge", "lb_angelzeit"}) {
        EXPECT_EQ(Text(label), "") << label;
    }

    Choose("cb_faenger", "- Alle -");
    main.cb_faengerChange();
    EXPECT_EQ(main.findChild<QPushButton*>("SpeedButton2")->toolTip(), "Statistik");
}

TEST_F(MainWindowTest, StatistikMenuIsBuiltFromTheAnglerList) {
    UseCatches({kHecht});
    WriteTextFile(Folder() / "DATs" / "Faenger.dat", {"Jan", "Eva"});
    Start();
    EXPECT_EQ(MenuTexts("Statistik1"),
              QStringList({"Wann angeln gehen?", "-", "Gesamt", "-", "Jan", "Eva"}));
    QList<int> numbers;
    for (QAction* action : main_->findChild<QMenu*>("Statistik1")->actions()) {
        if (!action->isSeparator()) {
            numbers << action->data().toInt();
        }
    }
    EXPECT_EQ(numbers, QList<int>({2, 0, 1, 1}));
    main_->findChild<QMenu*>("Statistik1")->actions().at(4)->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmStatistik"}));
}

TEST_F(MainWindowTest, StatistikMenuOffersTheWholeLogBeforeAnyAnglerIsKnown) {
    UseCatches({});
    Start();
    EXPECT_EQ(MenuTexts("Statistik1"), QStringList({"Wann angeln gehen?", "-", "Gesamt", "-"}));
}

TEST_F(MainWindowTest, MapMenuFollowsEveryDatabaseChangeAndStoredCatch) {
    UseCatches({});
    TfrmMain& main = Start();
    // As the database window leaves it after rebuilding the value lists.
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"Elbe"});
    main.DatabasesReloaded();
    EXPECT_EQ(MenuTexts("Karte1"), QStringList({"Elbe"}));
    modal_.On("frmFangHinzufuegen", [](QDialog& entry) {
        entry.findChild<QComboBox*>("cb_gewaesser")->setEditText("Rhein");
        entry.findChild<QPushButton*>("BitBtn2")->click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(MenuTexts("Karte1"), QStringList({"Elbe", "Rhein"}));
}

TEST_F(MainWindowTest, DeleteAsksThenRenumbersAndSavesTheFile) {
    UseCatches({kHecht, kBarsch, kZander});
    Start();
    List()->selectRow(RowOfId(1));
    prompts_.AnswerYesNo(false);
    main_->Lschen1Click();
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNo),
              QStringList({"Wollen Sie diesen Eintrag wirklich löschen?"}));
    EXPECT_EQ(ReadLines(Folder() / "Fang.f").size(), 4u);
    EXPECT_EQ(Model()->rowCount(), 3);

    prompts_.AnswerYesNo(true);
    // The Delete key in the list does the same.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(List(), &press);
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNo).size(), 2);
    const auto lines = ReadLines(Folder() / "Fang.f");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 10), "12.08.2009");
    // The list is refilled: the catches after the deleted one moved up.
    EXPECT_EQ(Column(1), QStringList({"12.08.2009", "01.01.2008"}));
    EXPECT_EQ(Column(0), QStringList({"1", "2"}));
    EXPECT_EQ(main_->height(), TfrmMain::kShortHeight);
    EXPECT_TRUE(Errors().empty());

    // Nothing selected: nothing asked.
    main_->Lschen1Click();
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNo).size(), 2);
}

TEST_F(MainWindowTest, CloneAddsAnIdenticalLastRowWithTheSamePictures) {
    CatchRow withPictures = kHecht;
    withPictures["Bilder"] = "0506200718420757_0.jpg,0506200718420757_1.jpg";
    UseCatches({withPictures, kBarsch});
    Start();
    List()->selectRow(RowOfId(1));
    main_->findChild<QAction*>("Klonen2")->trigger();
    TMlbc reread;
    ASSERT_TRUE(reread.LoadFromFile(PathToUtf8(Folder() / "Fang.f")));
    ASSERT_EQ(reread.RowCount(), 3);
    for (int field = 1; field <= reread.FieldCount(); ++field) {
        EXPECT_EQ(reread.Cell(3, field), reread.Cell(1, field)) << reread.FieldName(field);
    }
    EXPECT_EQ(reread.Cell(3, reread.FieldIndex("Bilder")),
              "0506200718420757_0.jpg,0506200718420757_1.jpg");
    EXPECT_EQ(Model()->rowCount(), 3);
    EXPECT_EQ(Column(0), QStringList({"2", "3", "1"}));
}

TEST_F(MainWindowTest, SelectingACatchShowsItsDetailsAndStepsThroughItsPictures) {
    CatchRow withPictures = kHecht;
    withPictures["Bilder"] = "p_0.jpg,p_1.jpg";
    CatchRow missing = kZander;
    missing["Bilder"] = "fehlt.jpg";
    UseCatches({withPictures, missing});
    WriteJpeg(Folder() / "img" / "p_0.jpg", 64, 48, 220, 0, 0);
    WriteJpeg(Folder() / "img" / "p_1.jpg", 64, 48, 0, 200, 0);
    TfrmMain& main = Start();
    auto* image = main.findChild<QLabel*>("im_left");
    auto* next = main.findChild<QToolButton*>("bildvor");
    auto* back = main.findChild<QToolButton*>("bildzurueck");
    auto centreColour = [image] { return image->pixmap().toImage().pixelColor(32, 24); };

    main.SelectListRow(RowOfId(1));
    EXPECT_EQ(main.height(), TfrmMain::kTallHeight);
    EXPECT_EQ(main.GetWorkspace().DB().CurrentRow(), 1);
    EXPECT_EQ(Text("detfisch"), " Hecht, 78 cm  4200 g");
    EXPECT_EQ(Text("detdatum"), " gefangen am 05.06.2007, 18:42:07 Uhr");
    EXPECT_EQ(Text("detgew"), " Gewässer: Rhein");
    EXPECT_EQ(Text("detkoeder"), " Köder: Wobbler rot 12 cm schwimmend");
    ASSERT_FALSE(image->pixmap().isNull());
    EXPECT_GT(centreColour().red(), 180);
    EXPECT_EQ(image->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(next->isVisibleTo(&main));
    EXPECT_TRUE(next->isEnabled());
    EXPECT_FALSE(back->isEnabled());

    main.bildvorClick();
    EXPECT_GT(centreColour().green(), 150);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(back->isEnabled());
    main.bildvorClick(); // at the last picture nothing more happens
    EXPECT_GT(centreColour().green(), 150);
    main.bildzurueckClick();
    EXPECT_GT(centreColour().red(), 180);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_TRUE(next->isEnabled());

    // A catch whose one picture is missing: "Kein Bild", no arrows.
    main.SelectListRow(RowOfId(2));
    EXPECT_TRUE(image->pixmap().isNull());
    EXPECT_EQ(main.findChild<QLabel*>("Bild")->text(), "Kein Bild");
    EXPECT_EQ(image->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(next->isVisibleTo(&main));
    EXPECT_FALSE(back->isVisibleTo(&main));
    EXPECT_EQ(Text("detkoeder"), " Köder:    ");

    List()->clearSelection();
    EXPECT_EQ(main.height(), TfrmMain::kShortHeight);
}

TEST_F(MainWindowTest, MovingTheSelectionWithTheKeyboardShowsThatCatch) {
    UseCatches({kHecht, kBarsch, kZander});
    TfrmMain& main = Start();
    main.SelectListRow(RowOfId(2)); // the newest, Barsch
    EXPECT_EQ(Text("detfisch"), " Barsch,  cm  350 g");
    List()->setFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(List(), &down);
    ASSERT_EQ(main.SelectedCatchId(), 3);
    // The details follow the selected row, and so does the cursor.
    EXPECT_EQ(Text("detfisch"), " Zander, 55,5 cm   g");
    EXPECT_EQ(Text("detdatum"), " gefangen am 01.01.2008,  Uhr");
    EXPECT_EQ(main.GetWorkspace().DB().CurrentRow(), 3);
    EXPECT_EQ(main.height(), TfrmMain::kTallHeight);
}

TEST_F(MainWindowTest, ClickingThePictureShowsTheBigOneWhenItExists) {
    CatchRow old = kHecht;
    old["Bilder"] = "h_small.jpg,k_small.jpg";
    UseCatches({old});
    WriteJpeg(Folder() / "img" / "h_small.jpg", 64, 48, 0, 0, 200);
    WriteJpeg(Folder() / "img" / "h_big.jpg", 320, 240, 0, 0, 200);
    WriteJpeg(Folder() / "img" / "k_small.jpg", 64, 48, 0, 0, 200);
    TfrmMain& main = Start();
    QSize shownSize;
    QString caption;
    modal_.On("frmBildAnsehen", [&](QDialog& dialog) {
        shownSize = dialog.size();
        caption = dialog.windowTitle();
    });
    main.im_leftClick(); // nothing selected
    EXPECT_TRUE(modal_.Shown().isEmpty());
    main.SelectListRow(0);
    main.im_leftClick();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmBildAnsehen"}));
    EXPECT_EQ(shownSize, QSize(320, 240));
    EXPECT_EQ(caption, "Bild ansehen..");
    main.bildvorClick(); // k_big.jpg does not exist
    main.im_leftClick();
    EXPECT_EQ(modal_.Shown().size(), 1);
}

TEST_F(MainWindowTest, InfoWindowShowsTheVersionAndOpensTheLinks) {
    Start();
    std::vector<QUrl> opened;
    SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    QString title;
    modal_.On("frmInfo", [&](QDialog& dialog) {
        title = dialog.findChild<QLabel*>("Label1")->text();
        auto* info = dynamic_cast<TfrmInfo*>(&dialog);
        ASSERT_NE(info, nullptr);
        info->Label4Click();
        info->Label5Click();
        dialog.findChild<QPushButton*>("BitBtn1")->click();
    });
    main_->findChild<QAction*>("Info1")->trigger();
    SetUrlOpener({});
    EXPECT_EQ(title, "Zelvorin  v. 1.1.0");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].scheme(), "http");
    EXPECT_EQ(opened[0].host(), "www.borentik.de");
    EXPECT_EQ(opened[1].toString(), "mailto:zelvorin@borentik.de");
}

} // namespace
} // namespace zv::test
