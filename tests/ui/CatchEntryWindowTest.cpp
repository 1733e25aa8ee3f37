#include "UiTestSupport.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/RandomSource.h"
#include "calendar/AstroDayTexts.h"
#include "catchlog/FieldViews.h"
#include "catchlog/ui/TfrmBilder.h"
#include "catchlog/ui/TfrmDetails.h"
#include "catchlog/ui/TfrmFangHinzufuegen.h"
#include "catchlog/ui/TfrmFelderverwalten.h"
#include "storage/IniFile.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTimeEdit>
#include <QToolButton>

namespace zv::test {
namespace {

class FixedRandom : public RandomSource {
public:
    int Random(int) override { return 57; }
};

class CatchEntryWindowTest : public ProgramTest {
protected:
    void SetUp() override { SetCurrentClock(&clock_); }
    void TearDown() override {
        SetCurrentClock(nullptr);
        ProgramTest::TearDown();
    }

    // A catch database with these rows, recorded in the settings.
    void WithCatches(const std::vector<CatchRow>& rows) {
        WriteCatchDatabase(Folder() / "Fang.f", rows);
        IniFile(Folder() / "Zelvorin.ini")
            .WriteString("Datenbank", "Zelvorin", PathToUtf8(Folder() / "Fang.f"));
    }

    TfrmFangHinzufuegen& Entry() {
        return *main_->Forms().Get<TfrmFangHinzufuegen>(QStringLiteral("TfrmFangHinzufuegen"));
    }
    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Type(QWidget& window, const char* name, const char* text) {
        if (auto* edit =
                window.findChild<QLineEdit*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly)) {
            edit->setText(QString::fromUtf8(text));
        } else if (auto* box = window.findChild<QComboBox*>(QString::fromUtf8(name))) {
            box->setEditText(QString::fromUtf8(text));
        } else {
            ADD_FAILURE() << name;
        }
    }
    static bool Shown(QWidget& window, const char* name) {
        return window.findChild<QWidget*>(QString::fromUtf8(name))->isVisibleTo(&window);
    }

    FixedClock clock_{EncodeDate(2007, 6, 5) + EncodeTime(18, 42, 7)};
};

TEST_F(CatchEntryWindowTest, AddStoresTheRowCreatesTheDatabaseOnceAndGrowsTheLists) {
    TfrmMain& main = Start();
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Fang hinzufügen"));
        EXPECT_EQ(Child<QTimeEdit>(dialog, "dt_fangzeit")->text(), QStringLiteral("18:42"));
        Type(dialog, "cb_fischart", "Hecht");
        Type(dialog, "cb_faenger", "Jens");
        Type(dialog, "ed_laenge", "80");
        Type(dialog, "ed_tiefe", "2,50");
        Type(dialog, "cb_gewaesser", "Rhein");
        Child<QComboBox>(dialog, "cb_windstaerke")->setCurrentIndex(3);
        Child<QComboBox>(dialog, "cb_verhalten")->setCurrentIndex(1);
        Entry().ed_gewichtDblClick(); // 0,759 × 80³ / 100
        EXPECT_EQ(Child<QLineEdit>(dialog, "ed_gewicht")->text(), QStringLiteral("3886"));
        Entry().BitBtn2Click();
    });
    main.Hinzufgen1Click();
    ASSERT_EQ(prompts_.Texts(PromptKind::Information).size(), 1);
    EXPECT_TRUE(prompts_.Texts(PromptKind::Information)[0].startsWith(
        QStringLiteral("Es wurde automatisch eine Zelvorin Datenbank angelegt.")));
    TMlbc& db = main.GetWorkspace().DB();
    ASSERT_EQ(db.RowCount(), 1);
    db.GoToRow(1);
    EXPECT_EQ(db.GetData("Fangdatum"), "05.06.2007");
    EXPECT_EQ(db.GetData("Fangzeit"), "18:42:07"); // the preset seconds are kept
    EXPECT_EQ(db.GetData("Angelbeginn"), "18:42:07");
    EXPECT_EQ(db.GetData("Gewicht"), "3886");
    EXPECT_EQ(db.GetData("Tiefe"), "2,5");
    EXPECT_EQ(db.GetData("Windstaerke"), "Schwache Brise");
    EXPECT_EQ(db.GetData("Koederverhalten"), "sinkend");
    EXPECT_EQ(db.GetData("zurueckgesetzt"), "0");
    EXPECT_FALSE(db.GetData("Mondphase").empty());
    EXPECT_EQ(ReadValueList(Folder(), "Fischarten"), (std::vector<std::string>{"Hecht"}));
    EXPECT_EQ(IniFile(Folder() / "Zelvorin.ini").ReadString("FangHinzufuegen", "Felder"),
              "ausführlich, (Standard)");

    // The second catch: no new database, "hecht" adds nothing to the list.
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        EXPECT_TRUE(Child<QLineEdit>(dialog, "ed_laenge")->text().isEmpty());
        EXPECT_EQ(Child<QComboBox>(dialog, "cb_fischart")->count(), 1);
        Type(dialog, "cb_fischart", "hecht");
        Entry().BitBtn2Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(prompts_.Texts(PromptKind::Information).size(), 1);
    EXPECT_EQ(db.RowCount(), 2);
    EXPECT_EQ(ReadValueList(Folder(), "Fischarten"), (std::vector<std::string>{"Hecht"}));
}

TEST_F(CatchEntryWindowTest, BadNumberKeepsTheWindowOpenAndChangesNothing) {
    WithCatches({{{"Fangdatum", "01.05.2007"}, {"Fangzeit", "10:00:00"}, {"Fischart", "Barsch"}}});
    TfrmMain& main = Start();
    const std::string before = ReadWholeFile(Folder() / "Fang.f");
    bool accepted = true;
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        Type(dialog, "cb_fischart", "Wels");
        Type(dialog, "ed_distanz", "weit");
        Entry().BitBtn2Click();
        accepted = dialog.result() == QDialog::Accepted;
    });
    main.Hinzufgen1Click();
    EXPECT_FALSE(accepted);
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList{QString::fromUtf8("'weit' ist kein gültiger Gleitkommawert")});
    EXPECT_EQ(main.GetWorkspace().DB().RowCount(), 1);
    EXPECT_EQ(ReadWholeFile(Folder() / "Fang.f"), before);
    EXPECT_FALSE(std::filesystem::exists(ValueListPath(Folder(), "Fischarten")));
}

TEST_F(CatchEntryWindowTest, EditFillsTheControlsAndKeepsAnEmptiedWeight) {
    WithCatches({{{"Fangdatum", "01.05.2007"},
                  {"Fangzeit", "10:15:30"},
                  {"Angelbeginn", "06:00:00"},
                  {"Fischart", "Zander"},
                  {"Gewicht", "2100"},
                  {"Faenger", "Jürgen Weißenbach-Schönfeld von der Goltz"},
                  {"Kommentar", "Beim dritten Wurf an der Buhnenkante, kurz vor dem Gewitter"},
                  {"Koederverhalten", "schwebend"},
                  {"Kartenpos", "10,20"},
                  {"zurueckgesetzt", ""}}});
    TfrmMain& main = Start();
    main.SelectListRow(0);
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Fang bearbeiten"));
        EXPECT_EQ(Child<QPushButton>(dialog, "BitBtn2")->text(),
                  QString::fromUtf8("Eintrag bearbeiten"));
        EXPECT_FALSE(Shown(dialog, "CheckBox1"));
        EXPECT_EQ(Child<QComboBox>(dialog, "cb_fischart")->currentText(), QStringLiteral("Zander"));
        EXPECT_EQ(Child<QComboBox>(dialog, "cb_verhalten")->currentText(),
                  QStringLiteral("schwebend"));
        EXPECT_EQ(Child<QComboBox>(dialog, "cb_windstaerke")->currentIndex(), -1);
        EXPECT_FALSE(Child<QCheckBox>(dialog, "cbox_zurueckgesetzt")->isChecked());
        // Long texts show from their beginning.
        for (const char* box : {"cb_faenger", "ed_kommentar"}) {
            EXPECT_EQ(dialog.findChild<QWidget*>(box)->inputMethodQuery(Qt::ImCursorPosition), 0)
                << box;
        }
        RenderToPng(dialog, "entry_edit");
        Type(dialog, "ed_gewicht", "");
        Child<QDateEdit>(dialog, "dt_fangdatum")->setDate(QDate(2007, 12, 24));
        Entry().BitBtn2Click();
    });
    main.Bearbeiten1Click();
    TMlbc& db = main.GetWorkspace().DB();
    ASSERT_EQ(db.RowCount(), 1);
    db.GoToRow(1);
    EXPECT_EQ(db.GetData("Gewicht"), "2100");
    EXPECT_EQ(db.GetData("Fangdatum"), "24.12.2007");
    EXPECT_EQ(db.GetData("Fangzeit"), "10:15:30");
    EXPECT_EQ(db.GetData("Angelbeginn"), "06:00:00");
    EXPECT_EQ(db.GetData("Kartenpos"), "10,20");
    EXPECT_EQ(db.GetData("zurueckgesetzt"), "0");
    TSRCalendar christmas(EncodeDate(2007, 12, 24));
    EXPECT_EQ(db.GetData("Sonnenaufgang"), DayTexts(christmas).sunrise);
}

TEST_F(CatchEntryWindowTest, NothingCaughtDayGoesToTheCalendarAndViewsShowTheRightFields) {
    TfrmMain& main = Start();
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        auto* views = Child<QComboBox>(dialog, "cb_ansicht");
        ASSERT_EQ(views->count(), 3);
        RenderToPng(dialog, "entry_view_detailed");
        EXPECT_TRUE(Shown(dialog, "ed_geschwindigkeit"));
        views->setCurrentIndex(1);
        Entry().cb_ansichtChange();
        RenderToPng(dialog, "entry_view_normal");
        EXPECT_FALSE(Shown(dialog, "ed_geschwindigkeit"));
        EXPECT_TRUE(Shown(dialog, "ed_distanz"));
        EXPECT_TRUE(Shown(dialog, "BitBtn4"));
        views->setCurrentIndex(2);
        Entry().cb_ansichtChange();
        RenderToPng(dialog, "entry_view_minimal");
        EXPECT_FALSE(Shown(dialog, "ed_laenge"));
        EXPECT_FALSE(Shown(dialog, "Label7"));
        EXPECT_FALSE(Shown(dialog, "BitBtn4"));
        EXPECT_TRUE(Shown(dialog, "cb_fischart"));
        EXPECT_FALSE(Shown(dialog, "ed_bilder"));

        Child<QCheckBox>(dialog, "CheckBox1")->setChecked(true);
        Entry().CheckBox1Click();
        RenderToPng(dialog, "entry_nothing_caught");
        EXPECT_TRUE(Shown(dialog, "cb_stelle"));
        EXPECT_TRUE(Shown(dialog, "ed_gpslat"));
        EXPECT_TRUE(Shown(dialog, "dt_angelbeginn"));
        EXPECT_FALSE(Shown(dialog, "cb_fischart"));
        EXPECT_FALSE(Shown(dialog, "Label4"));
        EXPECT_FALSE(Shown(dialog, "ed_laenge"));
        EXPECT_TRUE(Shown(dialog, "ed_kommentar"));
        Type(dialog, "cb_gewaesser", "Rhein");
        Entry().BitBtn2Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(main.GetWorkspace().DB().RowCount(), 0);
    ASSERT_EQ(main.GetWorkspace().cal().RowCount(), 1);
    EXPECT_EQ(main.GetWorkspace().cal().GetData("Gewaesser"), "Rhein");
    EXPECT_TRUE(prompts_.Texts(PromptKind::Information)[0].startsWith(
        QStringLiteral("Es wurde automatisch eine Kalender Datenbank angelegt.")));
    EXPECT_FALSE(std::filesystem::exists(Folder() / "Datenbank.f"));

    // The next add keeps "nichts gefangen"; an edit clears it.
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        EXPECT_TRUE(Child<QCheckBox>(dialog, "CheckBox1")->isChecked());
        EXPECT_TRUE(Entry().NothingCaught());
        Entry().BitBtn3Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(main.GetWorkspace().cal().RowCount(), 1);
}

TEST_F(CatchEntryWindowTest, ViewManagerStoresTicksAndTheEntryWindowAppliesThem) {
    TfrmMain& main = Start();
    auto& manager = *main.Forms().Get<TfrmFelderverwalten>(QStringLiteral("TfrmFelderverwalten"));
    modal_.On(QStringLiteral("frmFelderverwalten"), [&](QDialog& dialog) {
        auto* list = Child<QListWidget>(dialog, "ListBox1");
        auto* checks = Child<QListWidget>(dialog, "CheckListBox1");
        ASSERT_EQ(checks->count(), 22);
        list->setCurrentRow(0);
        for (int item : {1, 2, 10}) {
            checks->item(item)->setCheckState(Qt::Checked);
        }
        RenderToPng(dialog, "view_manager");
        prompts_.AnswerInput(QStringLiteral("Spinnfischen"));
        manager.BitBtn1Click();
    });
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        Entry().SpeedButton1Click();
        auto* views = Child<QComboBox>(dialog, "cb_ansicht");
        ASSERT_EQ(views->count(), 4);
        views->setCurrentIndex(3);
        Entry().cb_ansichtChange();
        EXPECT_TRUE(Shown(dialog, "ed_laenge"));
        EXPECT_TRUE(Shown(dialog, "cb_stelle"));
        EXPECT_FALSE(Shown(dialog, "ed_tiefe"));
        EXPECT_FALSE(Shown(dialog, "dt_angelbeginn"));
        EXPECT_TRUE(Shown(dialog, "BitBtn4")); // shown in user views, "Karte" or not
        Entry().BitBtn3Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(IniFile(Folder() / "Zelvorin.ini").ReadString("Felder", "Spinnfischen"), ",1,2,8");

    // Selected again, the view ticks exactly its three items; a second view
    // under the same name is refused.
    modal_.On(QStringLiteral("frmFelderverwalten"), [&](QDialog& dialog) {
        auto* list = Child<QListWidget>(dialog, "ListBox1");
        auto* checks = Child<QListWidget>(dialog, "CheckListBox1");
        ASSERT_EQ(list->count(), 2);
        list->setCurrentRow(1);
        manager.ListBox1Click();
        for (int i = 0; i < 22; ++i) {
            EXPECT_EQ(checks->item(i)->checkState() == Qt::Checked, i == 1 || i == 2 || i == 10)
                << i;
        }
        list->setCurrentRow(0);
        prompts_.AnswerInput(QStringLiteral("spinnfischen"));
        manager.BitBtn1Click();
        prompts_.AnswerInput(std::nullopt);
        manager.BitBtn1Click();
        EXPECT_EQ(list->count(), 2);
    });
    main.OpenForm(QStringLiteral("TfrmFelderverwalten"));
    EXPECT_EQ(prompts_.Texts(PromptKind::Warning),
              QStringList{QString::fromUtf8(
                  "Der Name \"spinnfischen\" ist bereits vorhanden. Bitte einen anderen wählen.")});
    EXPECT_EQ(IniFile(Folder() / "Zelvorin.ini").ReadSection("Felder"),
              (std::vector<std::string>{"Spinnfischen"}));
}

TEST_F(CatchEntryWindowTest, ViewManagerTicksFollowTheSelectionMadeWithTheKeys) {
    IniFile settings(Folder() / "Zelvorin.ini");
    settings.WriteString("Felder", "Ansitz", "22,8");
    settings.WriteString("Felder", "Spinnfischen", ",1,2");
    TfrmMain& main = Start();
    modal_.On(QStringLiteral("frmFelderverwalten"), [&](QDialog& dialog) {
        auto* list = Child<QListWidget>(dialog, "ListBox1");
        auto* checks = Child<QListWidget>(dialog, "CheckListBox1");
        ASSERT_EQ(list->count(), 3);
        list->setCurrentRow(1);
        list->setCurrentRow(2); // as the arrow keys move it, without a click
        for (int i = 0; i < 22; ++i) {
            EXPECT_EQ(checks->item(i)->checkState() == Qt::Checked, i == 1 || i == 2) << i;
        }
    });
    main.OpenForm(QStringLiteral("TfrmFelderverwalten"));
}

TEST_F(CatchEntryWindowTest, ViewNameTheSettingsRefuseIsNotListed) {
    TfrmMain& main = Start();
    auto& manager = *main.Forms().Get<TfrmFelderverwalten>(QStringLiteral("TfrmFelderverwalten"));
    bool accepted = true;
    modal_.On(QStringLiteral("frmFelderverwalten"), [&](QDialog& dialog) {
        auto* list = Child<QListWidget>(dialog, "ListBox1");
        list->setCurrentRow(0);
        // Windows-1252 has no fish: the settings file cannot store this name.
        prompts_.AnswerInput(QString::fromUtf8("Ansitz \xF0\x9F\x90\x9F"));
        manager.BitBtn1Click();
        EXPECT_EQ(list->count(), 1);
        accepted = dialog.result() == QDialog::Accepted;
    });
    main.OpenForm(QStringLiteral("TfrmFelderverwalten"));
    EXPECT_FALSE(accepted);
    EXPECT_EQ(prompts_.Texts(PromptKind::Error).size(), 1);
    EXPECT_TRUE(IniFile(Folder() / "Zelvorin.ini").ReadSection("Felder").empty());
}

TEST_F(CatchEntryWindowTest, DetailsShowEveryValueAndStepThroughPictures) {
    for (const char* name : {"p_0.jpg", "p_1.jpg", "p_2.jpg"}) {
        WriteJpeg(Folder() / "img" / name, 640, 480, name[2] == '0' ? 200 : 40, 120, 60);
    }
    WithCatches({{{"Fangdatum", "05.06.2007"},
                  {"Fangzeit", "18:42:07"},
                  {"Angelbeginn", "22:30:00"},
                  {"Angelende", "01:15:00"},
                  {"Fischart", "Hecht"},
                  {"Laenge", "80"},
                  {"Gewicht", "1500"},
                  {"Koeder", "Wobbler"},
                  {"KoederLaenge", "12"},
                  {"Gewaesser", "Rhein"},
                  {"Stelle", "<b>Buhne 4</b>"},
                  {"Kommentar", "Am Schilf"},
                  {"Bilder", "p_0.jpg,p_1.jpg,p_2.jpg"},
                  {"zurueckgesetzt", "-1"}}});
    TfrmMain& main = Start();
    auto& details = *main.Forms().Get<TfrmDetails>(QStringLiteral("TfrmDetails"));
    modal_.On(QStringLiteral("frmDetails"), [&](QDialog& dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "lb_gewicht")->text(),
                  QStringLiteral("1500 g (3,00 Pfund)"));
        EXPECT_EQ(Child<QLabel>(dialog, "lb_fangdatum")->text(),
                  QStringLiteral("Dienstag, 05.06.2007"));
        EXPECT_EQ(Child<QLabel>(dialog, "lb_angelzeit")->text(),
                  QStringLiteral("22:30 Uhr - 01:15 Uhr = 02:45 Stunden"));
        EXPECT_EQ(Child<QLabel>(dialog, "lb_uferdistanz")->text(), QStringLiteral(" m"));
        // Text that looks like markup is shown as the angler typed it.
        auto* stelle = Child<QLabel>(dialog, "lb_stelle");
        EXPECT_EQ(stelle->text(), QStringLiteral("<b>Buhne 4</b>"));
        EXPECT_EQ(stelle->textFormat(), Qt::PlainText);
        EXPECT_TRUE(Child<QCheckBox>(dialog, "cb_zurueckgesetzt")->isChecked());
        EXPECT_FALSE(Child<QLabel>(dialog, "im_bild")->pixmap().isNull());
        RenderToPng(dialog, "details");
        auto* vor = Child<QToolButton>(dialog, "Bildvor");
        EXPECT_TRUE(vor->isVisibleTo(&dialog));
        details.BildvorClick();
        details.BildvorClick();
        EXPECT_EQ(details.PictureIndex(), 2);
        EXPECT_FALSE(vor->isEnabled());
        details.BildzurueckClick();
        EXPECT_EQ(details.PictureIndex(), 1);
        EXPECT_TRUE(vor->isEnabled());
    });
    main.ShowCatchDetails(1);
    EXPECT_TRUE(modal_.Shown().contains(QStringLiteral("frmDetails")));
}

TEST_F(CatchEntryWindowTest, PictureWindowImportsNewPicturesAfterTheExistingOnes) {
    WriteJpeg(Folder() / "img" / "alt_0.jpg", 640, 480, 30, 90, 160);
    WriteJpeg(Folder() / "img" / "alt_1.jpg", 640, 480, 160, 90, 30);
    WriteJpeg(Folder() / "neu_a.jpg", 800, 600, 30, 160, 60);
    WriteJpeg(Folder() / "neu_b.jpg", 300, 300, 200, 200, 40);
    TfrmMain& main = Start();
    FixedRandom random;
    auto& pictures = *main.Forms().Get<TfrmBilder>(QStringLiteral("TfrmBilder"));
    pictures.SetRandomSource(&random);
    modal_.On(QStringLiteral("frmBilder"), [&](QDialog& dialog) {
        auto* list = Child<QListWidget>(dialog, "ListView1");
        EXPECT_EQ(list->count(), 2);
        prompts_.AnswerOpenFile(
            FileChoice{QString::fromStdString((Folder() / "neu_a.jpg").string()), 1});
        pictures.SpeedButton1Click();
        prompts_.AnswerOpenFile(
            FileChoice{QString::fromStdString((Folder() / "neu_b.jpg").string()), 1});
        pictures.SpeedButton1Click();
        EXPECT_EQ(list->count(), 4);
        RenderToPng(dialog, "pictures");
        pictures.BitBtn1Click();
    });
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        Child<QLineEdit>(dialog, "ed_bilder")->setText(QStringLiteral("alt_0.jpg,alt_1.jpg"));
        Entry().BitBtn1Click();
        EXPECT_EQ(Child<QLineEdit>(dialog, "ed_bilder")->text(),
                  QStringLiteral("alt_0.jpg,alt_1.jpg,0506200718420757_2.jpg,"
                                 "0506200718420757_3.jpg"));
        Entry().BitBtn3Click();
    });
    main.Hinzufgen1Click();
    EXPECT_TRUE(prompts_.Texts(PromptKind::Error).isEmpty());
    EXPECT_TRUE(std::filesystem::exists(Folder() / "img" / "0506200718420757_3.jpg"));
}

TEST_F(CatchEntryWindowTest, HelpTextsAndMapButtonMessage) {
    Start();
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog&) {
        Entry().Label22Click();
        Entry().Label15Click();
        Entry().BitBtn4Click();
        Entry().ed_laengeDblClick();
        Entry().BitBtn3Click();
    });
    main_->Hinzufgen1Click();
    const QStringList messages = prompts_.Texts(PromptKind::Message);
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0].count(QLatin1Char('\r')), 12);
    EXPECT_EQ(messages[1], QString::fromUtf8("Bitte Gewässer auswählen!"));
    EXPECT_EQ(messages[2], QString::fromUtf8("Bitte Gewicht oder Fischart auswählen"));
    EXPECT_TRUE(prompts_.Texts(PromptKind::Information)[0].endsWith(
        QString::fromUtf8("Beispiel für die Eingabe:\r\n47°12.1234N")));
}

TEST_F(CatchEntryWindowTest, NeededFieldsHelpNamesTheWeatherFieldsAsTheManagerLists) {
    Start();
    main_->Forms().Get<TfrmFelderverwalten>(QStringLiteral("TfrmFelderverwalten"))->Label2Click();
    const QString help = prompts_.Texts(PromptKind::Information).value(0);
    const QString weather = help.mid(help.indexOf(QStringLiteral("Statistik Wetter:")));
    for (const FieldViewItem& item : FieldViewItems()) {
        if (item.tag >= 11 && item.tag <= 18) { // the weather and water fields
            EXPECT_TRUE(weather.contains(QString::fromUtf8(item.text))) << item.text;
        }
    }
}

TEST_F(CatchEntryWindowTest, ShowingRefillsNineListsAndKeepsFourWhoseFileIsMissing) {
    struct List {
        const char* file;
        const char* box;
        bool keptWithoutFile;
    };
    const List lists[] = {
        {"Fischarten", "cb_fischart", false},
        {"Faenger", "cb_faenger", false},
        {"Koeder", "cb_koeder", false},
        {"Gewaesser", "cb_gewaesser", false},
        {"Stelle", "cb_stelle", false},
        {"Wetter", "cb_Wetter", false},
        {"Koederfarbe", "cb_koederfarbe", false},
        {"Koedertyp", "cb_koedertyp", false},
        {"Koederlaenge", "cb_koederlaenge", false},
        {"Fangmethode", "cb_fangmethode", true},
        {"Wasserstand", "cb_wasserstand", true},
        {"Wassertruebung", "cb_wassertruebung", true},
        {"Windrichtung", "cb_windrichtung", true},
    };
    for (const List& list : lists) {
        WriteTextFile(ValueListPath(Folder(), list.file), {std::string(list.file) + " 1"});
    }
    TfrmMain& main = Start();
    auto items = [this](QWidget& dialog, const char* box) {
        QStringList texts;
        for (int i = 0; i < Child<QComboBox>(dialog, box)->count(); ++i) {
            texts << Child<QComboBox>(dialog, box)->itemText(i);
        }
        return texts;
    };
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        for (const List& list : lists) {
            EXPECT_EQ(items(dialog, list.box), QStringList{QString::fromUtf8(list.file) + " 1"})
                << list.box;
        }
        Entry().BitBtn3Click();
    });
    main.Hinzufgen1Click();
    std::filesystem::remove_all(Folder() / "DATs");
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        for (const List& list : lists) {
            EXPECT_EQ(items(dialog, list.box).size(), list.keptWithoutFile ? 1 : 0) << list.box;
        }
        Entry().BitBtn3Click();
    });
    main.Hinzufgen1Click();
}

TEST_F(CatchEntryWindowTest, AddingAfterAnEditStartsWithoutPicturesMapOrReleaseMark) {
    WithCatches({{{"Fangdatum", "01.05.2007"},
                  {"Fangzeit", "10:00:00"},
                  {"Bilder", "alt_0.jpg"},
                  {"Kartenpos", "10,20"},
                  {"zurueckgesetzt", "-1"}}});
    TfrmMain& main = Start();
    main.SelectListRow(0);
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        EXPECT_TRUE(Child<QCheckBox>(dialog, "cbox_zurueckgesetzt")->isChecked());
        Entry().BitBtn3Click();
    });
    main.Bearbeiten1Click();
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Fang hinzufügen"));
        EXPECT_TRUE(Child<QLineEdit>(dialog, "ed_bilder")->text().isEmpty());
        EXPECT_TRUE(Child<QLineEdit>(dialog, "ed_karte")->text().isEmpty());
        EXPECT_FALSE(Child<QCheckBox>(dialog, "cbox_zurueckgesetzt")->isChecked());
        Entry().BitBtn3Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(modal_.Shown().size(), 2);
}

TEST_F(CatchEntryWindowTest, EveryOpeningStartsAtTheDateNotAtTheLastButton) {
    TfrmMain& main = Start();
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        EXPECT_EQ(dialog.focusWidget(), Child<QDateEdit>(dialog, "dt_fangdatum"));
        Child<QPushButton>(dialog, "BitBtn2")->setFocus(); // as a click on it leaves it
    });
    main.Hinzufgen1Click();
    main.Hinzufgen1Click();
}

TEST_F(CatchEntryWindowTest, PictureWindowFailuresLeaveThePicturesAsTheyWere) {
    WriteJpeg(Folder() / "img" / "alt_0.jpg", 640, 480, 30, 90, 160);
    WriteTextFile(Folder() / "kein.jpg", {"kein Bild"});
    TfrmMain& main = Start();
    auto& pictures = *main.Forms().Get<TfrmBilder>(QStringLiteral("TfrmBilder"));
    int showing = 0;
    bool savedAccepted = true;
    modal_.On(QStringLiteral("frmBilder"), [&](QDialog& dialog) {
        auto* list = Child<QListWidget>(dialog, "ListView1");
        ASSERT_EQ(list->count(), 1);
        list->setCurrentRow(0);
        if (++showing == 1) {
            // Removed, then cancelled: nothing happened.
            prompts_.AnswerYesNo(true);
            pictures.SpeedButton2Click();
            EXPECT_EQ(list->count(), 0);
            pictures.BitBtn2Click();
            return;
        }
        // A file that is no JPEG: reported when added (its item stays) and
        // again on "Speichern", which then changes nothing.
        prompts_.AnswerOpenFile(
            FileChoice{QString::fromStdString(PathToUtf8(Folder() / "kein.jpg")), 1});
        pictures.SpeedButton1Click();
        EXPECT_EQ(list->count(), 2);
        pictures.BitBtn1Click();
        savedAccepted = dialog.result() == QDialog::Accepted;
    });
    modal_.On(QStringLiteral("frmFangHinzufuegen"), [&](QDialog& dialog) {
        auto* field = Child<QLineEdit>(dialog, "ed_bilder");
        field->setText(QStringLiteral("alt_0.jpg"));
        Entry().BitBtn1Click();
        Entry().BitBtn1Click();
        EXPECT_EQ(field->text(), QStringLiteral("alt_0.jpg"));
        Entry().BitBtn3Click();
    });
    main.Hinzufgen1Click();
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNo),
              QStringList{QString::fromUtf8("Wollen Sie diese Bild wirklich entfernen?")});
    EXPECT_EQ(prompts_.Texts(PromptKind::Error).size(), 2);
    EXPECT_FALSE(savedAccepted);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder() / "img"), {}), 1);
}

TEST_F(CatchEntryWindowTest, DeletingAViewAsksFirst) {
    IniFile(Folder() / "Zelvorin.ini").WriteString("Felder", "Ansitz", "22,8");
    TfrmMain& main = Start();
    auto& manager = *main.Forms().Get<TfrmFelderverwalten>(QStringLiteral("TfrmFelderverwalten"));
    modal_.On(QStringLiteral("frmFelderverwalten"), [&](QDialog& dialog) {
        auto* list = Child<QListWidget>(dialog, "ListBox1");
        ASSERT_EQ(list->count(), 2);
        list->setCurrentRow(1);
        for (const bool yes : {false, true}) {
            prompts_.AnswerYesNo(yes);
            manager.SpeedButton3Click();
            EXPECT_EQ(list->count(), yes ? 1 : 2);
            EXPECT_EQ(IniFile(Folder() / "Zelvorin.ini").ReadSection("Felder").size(),
                      yes ? 0u : 1u);
        }
    });
    main.OpenForm(QStringLiteral("TfrmFelderverwalten"));
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNo),
              QStringList(2, QString::fromUtf8("Wollen Sie diese Ansicht wirklich löschen?")));
}

// After a catch is stored the list is refilled by the filters in effect;
// the angler box must name that filter, never "Letzte 10 Fänge".
TEST_F(CatchEntryWindowTest, AnglerBoxShowsWhatTheListShows) {
    WithCatches({{{"Fangdatum", "01.05.2007"}, {"Faenger", "Jan"}, {"Fischart", "Barsch"}},
                 {{"Fangdatum", "02.05.2007"}, {"Faenger", "Eva"}, {"Fischart", "Aal"}}});
    WriteTextFile(ValueListPath(Folder(), "Faenger"), {"Jan", "Eva"});
    TfrmMain& main = Start();
    auto* angler = main.findChild<QComboBox*>("cb_faenger");
    const QAbstractItemModel* list = main.findChild<QTableView*>("ListView1")->model();
    auto shown = [angler] {
        return (angler->currentIndex() >= 0 ? angler->currentText() : angler->placeholderText())
            .toStdString();
    };
    auto anglersListed = [list] {
        QStringList anglers;
        for (int row = 0; row < list->rowCount(); ++row) {
            anglers << list->index(row, 4).data().toString();
        }
        return anglers;
    };
    auto storeCatchOf = [&](const char* name) {
        modal_.On(QStringLiteral("frmFangHinzufuegen"), [&, name](QDialog& dialog) {
            Type(dialog, "cb_faenger", name);
            Entry().BitBtn2Click();
        });
        main.Hinzufgen1Click();
    };
    EXPECT_EQ(shown(), "Letzte 10 Fänge");

    angler->setCurrentIndex(angler->findText(QStringLiteral("Jan")));
    main.cb_faengerChange();
    storeCatchOf("Jan");
    EXPECT_EQ(shown(), "Jan");
    RenderToPng(main, "main_after_store");
    EXPECT_EQ(anglersListed(), QStringList({"Jan", "Jan"}));

    // From the last ten catches a stored catch lists every angler's catches.
    main.ShowLastCatches();
    storeCatchOf("Eva");
    EXPECT_EQ(shown(), "- Alle -");
    EXPECT_EQ(list->rowCount(), 4);
}

} // namespace
} // namespace zv::test
