// The four cost windows on the main window's cost table: entering, editing,
// reviewing, deleting, comparing by year and searching.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/NumberText.h"
#include "costs/ui/CostListModel.h"
#include "costs/ui/CostTreeModel.h"
#include "costs/ui/TfrmAKadd.h"
#include "costs/ui/TfrmAKjahr.h"
#include "costs/ui/TfrmAKuebersicht.h"
#include "costs/ui/TfrmAksuchen.h"
#include "storage/IniFile.h"
#include "storage/TMlbc.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>

#include <fstream>

namespace zv::test {
namespace {

using Rows = std::vector<std::map<std::string, std::string>>;

std::map<std::string, std::string> Cost(const std::string& date, const std::string& shop,
                                        const std::string& article, const std::string& quantity,
                                        const std::string& price, const std::string& total,
                                        const std::string& shipping = "") {
    return {{"Kaufdatum", date},        {"Geschaeft", shop},    {"Artikel", article},
            {"Menge", quantity},        {"Einzelpreis", price}, {"Gesamtpreis", total},
            {"Versandkosten", shipping}};
}

class CostWindowsTest : public ProgramTest {
protected:
    void SetUp() override { SetCurrentClock(&clock_); }
    void TearDown() override {
        SetCurrentClock(nullptr);
        ProgramTest::TearDown();
    }

    void UseCosts(const Rows& rows) {
        WriteCostDatabase(Folder() / "Kosten.a", rows);
        IniFile(Folder() / "Zelvorin.ini")
            .WriteString("Datenbank", "Angelkosten", PathToUtf8(Folder() / "Kosten.a"));
    }
    std::vector<std::string> StoredLines() { return ReadLines(Folder() / "Kosten.a"); }

    template <class T> static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    template <class T> T& Form(const char* className) {
        return *main_->Forms().Get<T>(QString::fromUtf8(className));
    }
    static QString Headers(const QAbstractItemModel* model) {
        QStringList headers;
        for (int column = 0; column < model->columnCount(); ++column) {
            headers << model->headerData(column, Qt::Horizontal).toString();
        }
        return headers.join(';');
    }
    // Every row in display order, cells joined by ";", article rows indented.
    static QStringList Lines(const QAbstractItemModel* model, const QModelIndex& parent = {}) {
        QStringList lines;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column) {
                cells << index.siblingAtColumn(column).data().toString();
            }
            lines << (parent.isValid() ? "  " : "") + cells.join(';');
            lines << Lines(model, index);
        }
        return lines;
    }
    static void Type(QWidget& window, const char* name, const char* text) {
        if (auto* edit =
                window.findChild<QLineEdit*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly)) {
            edit->setText(QString::fromUtf8(text));
        } else {
            Child<QComboBox>(window, name)->setEditText(QString::fromUtf8(text));
        }
    }
    static void AddArticle(TfrmAKadd& window, const char* name, const char* quantity,
                           const char* price) {
        Type(window, "cb_artikelbezeichnung", name);
        Type(window, "ed_menge", quantity);
        Type(window, "ed_einzelpreis", price);
        Child<QToolButton>(window, "btn_addart")->click();
    }
    QString Text(QWidget& window, const char* label) {
        return Child<QLabel>(window, label)->text();
    }

    FixedClock clock_{EncodeDate(2024, 6, 15) + EncodeTime(10, 0, 0)};
};

TEST_F(CostWindowsTest, AddingAPurchaseStoresItsRowsAndShowsTheNewTotal) {
    TfrmMain& main = Start();
    modal_.On("frmAKadd", [&](QDialog& dialog) {
        auto& window = static_cast<TfrmAKadd&>(dialog);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Angelkosten hinzufügen"));
        EXPECT_EQ(Child<QDateEdit>(dialog, "dt_kaufdatum")->date(), QDate(2024, 6, 15));
        EXPECT_TRUE(Child<QToolButton>(dialog, "btn_addgesch")->isVisible());
        Child<QDateEdit>(dialog, "dt_kaufdatum")->setDate(QDate(2024, 5, 3));
        Type(dialog, "cb_geschaeft", "Angelshop Nord");
        Type(dialog, "ed_versandkosten", "4,90");
        Child<QToolButton>(dialog, "btn_addgesch")->click();
        AddArticle(window, "Karpfenrute", "2", "3");
        AddArticle(window, "Haken", "2", "3");
        CostTreeModel* model = window.TreeModel();
        QTreeView* tree = Child<QTreeView>(dialog, "vst");
        EXPECT_TRUE(tree->isExpanded(model->PurchaseIndex(0)));
        EXPECT_EQ(Headers(model), "Artikel;Anzahl;Einzelpreis;Gesamtpreis");
        EXPECT_TRUE(model->PurchaseIndex(0).data(Qt::FontRole).value<QFont>().bold());
        EXPECT_EQ(Lines(model),
                  QStringList({"03.05.2024;Angelshop Nord;4,90 €;12,00 €",
                               "  Karpfenrute;2;3,00 €;6,00 €", "  Haken;2;3,00 €;6,00 €"}));
        tree->collapse(model->PurchaseIndex(0));
        EXPECT_EQ(Headers(model), QString::fromUtf8("Datum;Geschäft;Versandkosten;Gesamtpreis"));
        EXPECT_FALSE(model->PurchaseIndex(0).data(Qt::FontRole).value<QFont>().bold());

        // In place: a quantity typed into its cell; then save with an
        // article row focused.
        model->setData(model->ArticleIndex(0, 1, kArticleQuantity), "3", Qt::EditRole);
        EXPECT_EQ(model->PurchaseIndex(0, kPurchaseSum).data().toString(), "15,00 €");
        tree->setCurrentIndex(model->ArticleIndex(0, 1));
        Child<QPushButton>(dialog, "BitBtn1")->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    main.findChild<QAction*>("Hinzufgen2")->trigger();

    EXPECT_EQ(prompts_.Texts(PromptKind::Information),
              QStringList({"Es wurde automatisch eine Datenbank angelegt. \r\nDiese kann jederzeit "
                           "unter dem Menüpunkt \"Datei\" \"Datenbank\" verändert werden."}));
    EXPECT_EQ(ReadLines(Folder() / "Angelkosten.a"),
              (std::vector<std::string>{
                  "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;Versandkosten",
                  "03.05.2024;Angelshop Nord;Karpfenrute;2;3,00;6,00;4,90",
                  "03.05.2024;Angelshop Nord;Haken;3;3,00;9,00;"}));
    EXPECT_EQ(Text(main, "lb_angelkosten"), QString::fromUtf8("19,90 €"));
}

TEST_F(CostWindowsTest, NewPurchaseAsksToSaveTheOldAndCancelStoresNothing) {
    UseCosts({});
    TfrmMain& main = Start();
    prompts_.AnswerYesNoCancel(PromptAnswer::No);
    prompts_.AnswerYesNoCancel(PromptAnswer::Yes);
    modal_.On("frmAKadd", [&](QDialog& dialog) {
        auto& window = static_cast<TfrmAKadd&>(dialog);
        Type(dialog, "cb_geschaeft", "Nord");
        window.btn_addgeschClick();
        AddArticle(window, "Pose", "1", "viel"); // the boundary shows the message
        AddArticle(window, "Pose", "1", "2");
        window.btn_addgeschClick(); // No: nothing happens
        EXPECT_EQ(window.Entry().Articles().size(), 1u);
        window.btn_addgeschClick(); // Yes: stored, the tree is empty
        EXPECT_TRUE(window.Entry().Empty());
        Type(dialog, "cb_geschaeft", "Süd");
        window.btn_addgeschClick();
        window.btn_addartClick();
        window.BitBtn2Click(); // "Abbrechen": the Süd purchase is discarded
    });
    main.Hinzufgen2Click();
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList({"'viel' ist kein gültiger Gleitkommawert"}));
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNoCancel),
              QStringList(2, QString::fromUtf8(TfrmAKadd::kSaveOldQuestion)));
    EXPECT_EQ(StoredLines().size(), 2u);
    EXPECT_EQ(StoredLines()[1], "15.06.2024;Nord;Pose;1;2,00;2,00;");

    // Closing emptied the tree. An empty tree and "Speichern": the message,
    // then the window closes.
    prompts_.Clear();
    modal_.On("frmAKadd", [&](QDialog& dialog) {
        Child<QPushButton>(dialog, "BitBtn1")->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    main.Hinzufgen2Click();
    EXPECT_EQ(prompts_.Texts(PromptKind::Information), QStringList({"Keine Daten zu speichern"}));
}

// A cost database that did not load at start holds the angler's costs: a
// new purchase must neither create a default database nor rewrite the key.
TEST_F(CostWindowsTest, ANewPurchaseWithACostDatabaseThatDidNotLoadSaysWhich) {
    UseCosts({Cost("03.05.2024", "Nord", "Pose", "1", "2", "2")});
    std::ofstream(Folder() / "Kosten.a", std::ios::app) << "1;2;3;4;5;6;7;8\r\n";
    const std::string settings = ReadWholeFile(Folder() / "Zelvorin.ini");
    TfrmMain& main = Start();
    prompts_.Clear();
    modal_.On("frmAKadd", [&](QDialog& dialog) {
        auto& window = static_cast<TfrmAKadd&>(dialog);
        window.btn_addgeschClick();
        EXPECT_TRUE(window.Entry().Empty());
        window.BitBtn2Click();
    });
    main.Hinzufgen2Click();

    const QStringList errors = prompts_.Texts(PromptKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QString::fromStdString(PathToUtf8(Folder() / "Kosten.a")) +
                                   QString::fromUtf8("\" konnte nicht geöffnet werden")))
        << errors[0].toStdString();
    EXPECT_FALSE(std::filesystem::exists(Folder() / "Angelkosten.a"));
    EXPECT_EQ(ReadWholeFile(Folder() / "Zelvorin.ini"), settings);
}

TEST_F(CostWindowsTest, OverviewFiltersEditsAndDeletesPurchases) {
    UseCosts({Cost("02.03.2024", "Alpha", "Rute", "1", "50,00", "50,00", "4,90"),
              Cost("02.03.2024", "beta", "Pose", "2", "1,50", "3,00"),
              Cost("02.03.2024", "Alpha", "Rolle", "1", "30,00", "30,00"),
              Cost("11.11.2023", "Gamma", "Kescher", "1", "25,00", "25,00")});
    TfrmMain& main = Start();
    auto& overview = Form<TfrmAKuebersicht>("TfrmAKuebersicht");
    auto* years = Child<QComboBox>(overview, "cb_jahr");
    auto* shops = Child<QComboBox>(overview, "cb_geschaeft");
    auto* tree = Child<QTreeView>(overview, "vst");
    CostTreeModel* model = overview.TreeModel();
    prompts_.AnswerYesNo(false);
    prompts_.AnswerYesNo(true);
    modal_.On("frmAKadd", [&](QDialog& entry) {
        auto& window = static_cast<TfrmAKadd&>(entry);
        EXPECT_EQ(entry.windowTitle(), "Angelkosten bearbeiten");
        EXPECT_FALSE(Child<QToolButton>(entry, "btn_addgesch")->isVisible());
        EXPECT_EQ(Child<QLineEdit>(entry, "ed_versandkosten")->text(), QString::fromUtf8("4,90 €"));
        EXPECT_EQ(Child<QComboBox>(entry, "cb_geschaeft")->currentText(), "Alpha");
        window.TreeModel()->setData(window.TreeModel()->PurchaseIndex(0, kPurchaseDate),
                                    "04.03.2024", Qt::EditRole);
        window.BitBtn1Click();
    });
    modal_.On("frmAKuebersicht", [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Übersicht"));
        EXPECT_EQ(years->count(), 3); // -Alle-, 2024, 2023
        EXPECT_EQ(model->rowCount(), 3);
        EXPECT_EQ(Text(dialog, "gversand") + Text(dialog, "gsumme") + Text(dialog, "gsum"),
                  QString::fromUtf8("4,90 €108,00 €112,90 €"));
        years->setCurrentIndex(years->findText("2023"));
        EXPECT_EQ(shops->count(), 2); // -Alle-, Gamma
        EXPECT_EQ(model->rowCount(), 1);
        years->setCurrentIndex(years->findText("2024"));
        shops->setCurrentIndex(shops->findText("Alpha"));
        EXPECT_EQ(Lines(model),
                  QStringList({"02.03.2024;Alpha;4,90 €;80,00 €", "  Rolle;1;30,00 €;30,00 €",
                               "  Rute;1;50,00 €;50,00 €"}));

        // Edit: the entry window opens on a copy; the date changed in place
        // moves every row, and this tree is rebuilt.
        tree->setCurrentIndex(model->PurchaseIndex(0));
        overview.Bearbeiten1Click();
        EXPECT_EQ(Lines(model).first(), QString::fromUtf8("04.03.2024;Alpha;4,90 €;80,00 €"));

        // Delete: asks; No keeps, Yes removes every row of the purchase.
        tree->setCurrentIndex(model->ArticleIndex(0, 0));
        overview.Lschen1Click(); // an article row: no question, nothing goes
        tree->setCurrentIndex(model->PurchaseIndex(0));
        overview.Lschen1Click();
        EXPECT_EQ(model->rowCount(), 1);
        overview.Lschen1Click();
        EXPECT_EQ(model->rowCount(), 0);
    });
    main.findChild<QAction*>("bersicht1")->trigger();
    EXPECT_EQ(prompts_.Texts(PromptKind::ConfirmYesNo),
              QStringList(2, QString::fromUtf8(TfrmAKuebersicht::kDeleteQuestion)));
    EXPECT_EQ(StoredLines(),
              (std::vector<std::string>{
                  "Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;Versandkosten",
                  "02.03.2024;beta;Pose;2;1,50;3,00;", "11.11.2023;Gamma;Kescher;1;25,00;25,00;"}));
    EXPECT_EQ(Text(main, "lb_angelkosten"), QString::fromUtf8("28,00 €"));
    EXPECT_EQ(model->rowCount(), 0); // closing empties the tree

    // The entry window, reused after the edit, opens for adding as such.
    modal_.On("frmAKadd", [&](QDialog& entry) {
        EXPECT_EQ(entry.windowTitle(), QString::fromUtf8("Angelkosten hinzufügen"));
    });
    main.Hinzufgen2Click();
}

TEST_F(CostWindowsTest, YearSummaryAndSearchListTheirLines) {
    UseCosts({Cost("01.02.2024", "Ruten-Shop", "Pose", "1", "60,00", "60,00"),
              Cost("01.02.2023", "Nord", "Karpfenrute", "1", "75,10", "75,10", "4,90"),
              Cost("01.02.2022", "Nord", "Kescher", "1", "40,00", "40,00")});
    TfrmMain& main = Start();
    modal_.On("frmAKjahr", [&](QDialog& dialog) {
        auto* list = Child<QTableView>(dialog, "ListView1");
        EXPECT_EQ(list->columnWidth(0), 0);
        EXPECT_EQ(Headers(list->model()),
                  QString::fromUtf8("id;Jahr:;Betrag (€):;+ - Vorjahr (€);+ - Vorjahr (%)"));
        EXPECT_EQ(Lines(list->model()),
                  QStringList({"0;2024;60,00;-20,00;-25,00", "1;2023;80,00;40,00;100,00",
                               "2;2022;40,00;0;0"}));
        QStringList colours;
        for (int row = 0; row < 3; ++row) {
            const QVariant brush = list->model()->index(row, 1).data(Qt::ForegroundRole);
            colours << (brush.isValid() ? brush.value<QBrush>().color().name() : "normal");
        }
        EXPECT_EQ(colours, QStringList({"#008000", "#ff0000", "normal"}));
    });
    main.findChild<QAction*>("Jahresbersicht1")->trigger();

    modal_.On("frmAksuchen", [&](QDialog& dialog) {
        EXPECT_EQ(Child<QLabel>(dialog, "Image1")->pixmap().size(), QSize(392, 32));
        Type(dialog, "Edit1", "rute");
        Child<QPushButton>(dialog, "BitBtn1")->click();
        EXPECT_EQ(Lines(Child<QTableView>(dialog, "ListView1")->model()),
                  QStringList({"1;01.02.2024;Ruten-Shop;Pose;1;60,00;60,00",
                               "2;01.02.2023;Nord;Karpfenrute;1;75,10;75,10"}));
    });
    main.findChild<QAction*>("Suchen2")->trigger();
    EXPECT_EQ(modal_.Shown(), QStringList({"frmAKjahr", "frmAksuchen"}));
}

TEST_F(CostWindowsTest, UnreadableCellsAreReportedAndLeaveNothingStale) {
    UseCosts({Cost("02.03.2024", "Alpha", "Rute", "1", "50,00", "50,00")});
    TfrmMain& main = Start();
    main.findChild<QAction*>("bersicht1")->trigger();
    main.findChild<QAction*>("Jahresbersicht1")->trigger();
    // A date that does not read stops the overview before its tree is
    // built: the sums of the last showing are gone with it.
    TMlbc& ak = main.GetWorkspace().ak();
    ak.GoToRow(1);
    ak.SetData("Kaufdatum", "31.02.2024");
    main.findChild<QAction*>("bersicht1")->trigger();
    ak.SetData("Kaufdatum", "02.03.2024");
    ak.SetData("Gesamtpreis", "zehn");
    main.findChild<QAction*>("Jahresbersicht1")->trigger();
    EXPECT_EQ(prompts_.Texts(PromptKind::Error),
              QStringList({"'31.02.2024' ist kein gültiges Datum",
                           "'zehn' ist kein gültiger Gleitkommawert"}));
    EXPECT_EQ(Text(Form<TfrmAKuebersicht>("TfrmAKuebersicht"), "gsum"), "");
    EXPECT_EQ(Form<TfrmAKjahr>("TfrmAKjahr").ListModel()->rowCount(), 0);
}

// Purchases over six years at eight shops, some with shipping.
Rows RealisticCosts() {
    const char* const shops[] = {"Angelsport Müller", "Fischerhütte Brandt", "Askari Versand",
                                 "Gerlinger",         "Angel-Domäne",        "Rute & Rolle",
                                 "Köder-Kalle",       "Anglerbedarf Nord"};
    const char* const articles[][2] = {{"Karpfenrute 3,60 m", "89,90"},
                                       {"Freilaufrolle 6000", "64,95"},
                                       {"Monofile Schnur 0,30 mm", "7,49"},
                                       {"Haken Gr. 6", "2,95"},
                                       {"Boilies Scopex 1 kg", "9,99"},
                                       {"Wirbel mit Karabiner", "3,20"},
                                       {"Bissanzeiger", "24,50"},
                                       {"Kescher 100 cm", "39,00"},
                                       {"Tauwürmer", "3,50"},
                                       {"Posen-Set", "8,75"},
                                       {"Blinker 18 g", "4,60"},
                                       {"Wathose", "119,00"},
                                       {"Jahresfischereischein", "45,00"}};
    Rows rows;
    for (int purchase = 0; purchase < 40; ++purchase) {
        const std::string date =
            DateToStr(EncodeDate(2019 + purchase * 6 / 40, purchase % 12 + 1, purchase % 27 + 1));
        const std::string shop = shops[(purchase * 5) % 8];
        const bool mail = shop.find("Versand") != std::string::npos || purchase % 4 == 0;
        for (int i = 0; i <= purchase % 4; ++i) {
            const auto& [name, price] = articles[(purchase * 3 + i * 5) % 13];
            const int quantity = 1 + (purchase + i) % 3;
            rows.push_back(Cost(date, shop, name, std::to_string(quantity), price,
                                FormatFixed2(StrToFloatDe(price) * quantity),
                                mail && i == 0 ? "4,90" : ""));
        }
    }
    return rows;
}

// Renders the four windows with a realistic cost database to
// tests/ui/screens so a person can judge them.
TEST_F(CostWindowsTest, ScreenshotsOfTheFourWindows) {
    UseCosts(RealisticCosts());
    TfrmMain& main = Start();
    std::vector<std::filesystem::path> pngs;
    modal_.On("frmAKadd", [&](QDialog& dialog) {
        auto& window = static_cast<TfrmAKadd&>(dialog);
        Child<QDateEdit>(dialog, "dt_kaufdatum")->setDate(QDate(2024, 6, 14));
        Type(dialog, "cb_geschaeft", "Angelsport Müller");
        Type(dialog, "ed_versandkosten", "4,90");
        window.btn_addgeschClick();
        AddArticle(window, "Karpfenrute 3,60 m", "2", "89,90");
        AddArticle(window, "Freilaufrolle 6000", "2", "64,95");
        AddArticle(window, "Monofile Schnur 0,30 mm", "1", "7,49");
        Type(dialog, "cb_artikelbezeichnung", "Haken Gr. 6");
        Type(dialog, "ed_menge", "5");
        Type(dialog, "ed_einzelpreis", "2,95");
        pngs.push_back(RenderToPng(dialog, "costs_entry"));
    });
    main.Hinzufgen2Click();
    modal_.On("frmAKuebersicht", [&](QDialog& dialog) {
        auto& overview = static_cast<TfrmAKuebersicht&>(dialog);
        auto* tree = Child<QTreeView>(dialog, "vst");
        tree->expand(overview.TreeModel()->PurchaseIndex(1));
        tree->setCurrentIndex(overview.TreeModel()->PurchaseIndex(1));
        pngs.push_back(RenderToPng(dialog, "costs_overview"));
    });
    main.findChild<QAction*>("bersicht1")->trigger();
    modal_.On("frmAKjahr",
              [&](QDialog& dialog) { pngs.push_back(RenderToPng(dialog, "costs_years")); });
    main.findChild<QAction*>("Jahresbersicht1")->trigger();
    modal_.On("frmAksuchen", [&](QDialog& dialog) {
        Type(dialog, "Edit1", "rute");
        Child<QPushButton>(dialog, "BitBtn1")->click();
        pngs.push_back(RenderToPng(dialog, "costs_search"));
    });
    main.findChild<QAction*>("Suchen2")->trigger();
    ASSERT_EQ(pngs.size(), 4u);
    for (const auto& png : pngs) {
        EXPECT_FALSE(QImage(QString::fromStdString(png.string())).isNull()) << png;
    }
    EXPECT_TRUE(prompts_.Shown().empty());
}

} // namespace
} // namespace zv::test
