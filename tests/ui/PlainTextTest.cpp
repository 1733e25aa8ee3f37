// The angler's own texts look like markup here; every window, hint and
// message shows them exactly as they were written.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "calendar/ui/TfrmKalenderDetails.h"
#include "catchlog/ui/TfrmKarte.h"
#include "statistics/ui/TfrmStatistik.h"
#include "widgets/QtPrompts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTextDocument>

#include <functional>

namespace zv::test {
namespace {

// Each probe, as written, and a word of it that shows wherever it shows.
const std::pair<QString, QString> kProbes[] = {
    {"<h1>Riesen</h1>", "Riesen"}, {"<b>Steg<font color=red>Nord</font></b>", "Steg"},
    {"<i>Anna</i>", "Anna"},       {"<u>Wobbler</u>", "Wobbler"},
    {"<b>Krämer</b>", "Krämer"},
};

// The text Qt puts on the screen for `text` in `format`.
QString Shown(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text))) {
        return text;
    }
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

void CollectModelHints(const QAbstractItemModel& model, const QModelIndex& parent,
                       QStringList& shown) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        for (int column = 0; column < model.columnCount(parent); ++column) {
            const QModelIndex index = model.index(row, column, parent);
            shown << Shown(model.data(index, Qt::ToolTipRole).toString());
            CollectModelHints(model, index, shown);
        }
    }
}

// What the labels, hints and list hints of `window` show.
QStringList ShownTexts(QWidget& window) {
    QStringList shown;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets << &window;
    for (QWidget* widget : widgets) {
        shown << Shown(widget->toolTip());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            shown << Shown(label->text(), label->textFormat());
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
            CollectModelHints(*view->model(), {}, shown);
        }
    }
    return shown;
}

// Every probe that shows in `window` shows as written, and one does.
void ExpectProbesAsWritten(QWidget& window) {
    SCOPED_TRACE(window.objectName().toStdString());
    int seen = 0;
    for (const QString& text : ShownTexts(window)) {
        for (const auto& [probe, word] : kProbes) {
            if (text.contains(word)) {
                // A value shortened to its box shows the start of the probe.
                const bool shortened =
                    text.endsWith(QChar(0x2026)) && probe.startsWith(text.chopped(1));
                EXPECT_TRUE(text.contains(probe) || shortened) << text.toStdString();
                ++seen;
            }
        }
    }
    EXPECT_GT(seen, 0);
}

class PlainTextTest : public ProgramTest {};

TEST_F(PlainTextTest, TheAnglersTextsShowAsWrittenInEveryHintLabelAndMessage) {
    WriteCatchDatabase(Folder() / "Fang.f", {{{"Fangdatum", "05.06.2007"},
                                              {"Fangzeit", "10:00:00"},
                                              {"Faenger", "<i>Anna</i>"},
                                              {"Fischart", "<h1>Riesen</h1>"},
                                              {"Laenge", "80"},
                                              {"Gewicht", "3886"},
                                              {"Gewaesser", "See"},
                                              {"Stelle", "<b>Steg<font color=red>Nord</font></b>"},
                                              {"Koeder", "<u>Wobbler</u>"},
                                              {"Kartenpos", "100,120"}}});
    WriteCostDatabase(Folder() / "Kosten.a", {{{"Kaufdatum", "03.05.2007"},
                                               {"Geschaeft", "<b>Krämer</b>"},
                                               {"Artikel", "<u>Wobbler</u>"},
                                               {"Menge", "1"},
                                               {"Einzelpreis", "9,90"},
                                               {"Gesamtpreis", "9,90"}}});
    for (const auto& [list, entry] : {std::pair{"Faenger", "<i>Anna</i>"},
                                      {"Fischarten", "<h1>Riesen</h1>"},
                                      {"Koeder", "<u>Wobbler</u>"}}) {
        WriteTextFile(Folder() / "DATs" / (std::string(list) + ".dat"), {entry});
    }
    WriteTextFile(Folder() / "DATs" / "Gewaesser.dat", {"See"});
    WriteJpeg(Folder() / "karte_see.jpg", 400, 300, 150, 196, 230);
    WriteTextFile(Folder() / "Zelvorin.ini",
                  {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f"),
                   "Angelkosten=" + PathToUtf8(Folder() / "Kosten.a"), "[Karte]",
                   "See=" + PathToUtf8(Folder() / "karte_see.jpg")});
    TfrmMain& main = Start();
    auto menuItem = [&](const char* menu, const char* text) {
        for (QAction* action : main.findChild<QMenu*>(menu)->actions()) {
            if (action->text() == QString::fromUtf8(text)) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << text;
    };
    auto& statistics = *main.Forms().Get<TfrmStatistik>("TfrmStatistik");
    struct Window {
        const char* name;
        std::function<void()> open;
        std::function<void()> whileShown; // brings the hints up
    };
    const Window windows[] = {
        {"frmDetails", [&] { main.ShowCatchDetails(1); }, {}},
        {"frmKarte", [&] { main.KarteItemClick("See"); },
         [&] { main.Forms().Get<TfrmKarte>("TfrmKarte")->Image1MouseMove(QPoint(101, 121)); }},
        {"frmStatistik", [&] { menuItem("Statistik1", "Gesamt"); },
         [&] {
             auto* year = statistics.findChild<QComboBox*>("cb_fischjahr");
             year->setCurrentIndex(year->findText("2007"));
             statistics.cb_fischjahrChange();
         }},
        {"frmFangempfehlung", [&] { menuItem("Statistik1", "Wann angeln gehen?"); }, {}},
        {"frmAKuebersicht", [&] { main.findChild<QAction*>("bersicht1")->trigger(); }, {}},
    };
    for (const Window& w : windows) {
        modal_.On(w.name, [&w](QDialog& window) {
            if (w.whileShown) {
                w.whileShown();
            }
            ExpectProbesAsWritten(window);
        });
        w.open();
        EXPECT_TRUE(modal_.Shown().contains(w.name)) << w.name;
    }

    auto& day = *main.Forms().Get<TfrmKalenderDetails>("TfrmKalenderDetails");
    day.ShowDay(true, "05.06.2007");
    ExpectProbesAsWritten(day);

    auto* angler = main.findChild<QComboBox*>("cb_faenger");
    angler->setCurrentIndex(angler->findText("<i>Anna</i>"));
    main.cb_faengerChange();
    ExpectProbesAsWritten(main);

    const auto box = CreateOkBox(QMessageBox::Warning, "'<h1>Riesen</h1>' fehlt.", &main);
    ExpectProbesAsWritten(*box);
    EXPECT_TRUE(prompts_.Shown().empty());
}

} // namespace
} // namespace zv::test
