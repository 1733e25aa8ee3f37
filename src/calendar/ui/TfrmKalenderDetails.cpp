#include "calendar/ui/TfrmKalenderDetails.h"

#include "calendar/FishingCalendar.h"
#include "widgets/ElidedText.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include <utility>

namespace zv {

namespace {

constexpr int kWidth = 600;
constexpr int kRow = 22;
constexpr int kLeftValue = 152;
constexpr int kRightCaption = 316;
constexpr int kRightValue = 440;

} // namespace

TfrmKalenderDetails::TfrmKalenderDetails(WindowHost& main, QWidget* parent)
    : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmKalenderDetails"));
    setWindowTitle(QStringLiteral("Tages Informationen"));
    setStyleSheet(QStringLiteral("QLabel[heading=\"true\"] { background-color: #2f5d8a; color: "
                                 "white; font-weight: bold; }"));

    auto heading = [this](const char* text, int y) {
        auto* bar = new QLabel(U8(text), this);
        bar->setProperty("heading", true);
        bar->setGeometry(6, y, kWidth - 12, 20);
    };
    const int wide = kWidth - kLeftValue - 12;
    const int half = kRightCaption - kLeftValue - 8;
    const int right = kWidth - kRightValue - 12;
    int y = 8;
    heading(" Tag:", y);
    y += 24;
    const struct {
        const char* caption;
        const char* name;
        const char* rightCaption;
        const char* rightName;
    } rows[] = {{" Datum:", "lb_datum", nullptr, nullptr},
                {" Angelzeit:", "lb_angelzeit", nullptr, nullptr},
                {" Mondphase:", "lb_mond", nullptr, nullptr},
                {" Gewässer:", "lb_gewaesser", nullptr, nullptr},
                {" Stelle:", "lb_stelle", nullptr, nullptr},
                {" Wetter:", "lb_wetter", "Luftdruck:", "lb_luftdruck"},
                {" Wassertemperatur:", "lb_wassertemp", "Lufttemperatur:", "lb_lufttemp"},
                {" Windrichtung:", "lb_windrichtung", "Windstärke:", "lb_windstaerke"},
                {" Wassertrübung:", "lb_wassertruebung", "Wasserstand:", "lb_wasserstand"}};
    for (const auto& row : rows) {
        Caption(row.caption, 10, y);
        if (row.rightName == nullptr) {
            Value(row.name, kLeftValue, y, wide);
        } else {
            Value(row.name, kLeftValue, y, half);
            Caption(row.rightCaption, kRightCaption, y, kRightValue - kRightCaption - 2);
            Value(row.rightName, kRightValue, y, right);
        }
        y += kRow;
    }
    y += 6;
    heading(" Kommentar:", y);
    y += 24;
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setGeometry(10, y, kWidth - 20, 70);
    y += 78;
    heading(" Fänge:", y);
    y += 24;
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHeaderLabels({QStringLiteral("id"), U8("Fischart:"), U8("Gewässer:"),
                                U8("Fänger:"), U8("Länge (cm):"), U8("Gewicht (g):")});
    const int widths[] = {0, 130, 130, 120, 80, 90};
    for (int column = 0; column < 6; ++column) {
        ListView1->setColumnWidth(column, widths[column]);
    }
    // The first column holds the catch's row number for the double click.
    ListView1->setColumnHidden(0, true);
    ListView1->setGeometry(10, y, kWidth - 20, 140);
    y += 148;

    BitBtn1 = new QPushButton(U8("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    BitBtn1->setGeometry(kWidth - 120, y, 110, 28);
    setFixedSize(kWidth, y + 38);

    ConnectGuarded(ListView1, &QTreeWidget::itemDoubleClicked, this,
                   [this](QTreeWidgetItem*, int) { ListView1DblClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmKalenderDetails::Caption(const char* text, int x, int y, int width) {
    auto* label = new QLabel(U8(text), this);
    label->setGeometry(x, y, width, 20);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
}

QLabel* TfrmKalenderDetails::Value(const char* name, int x, int y, int width) {
    auto* value = new QLabel(this);
    value->setObjectName(U8(name));
    // Values are the angler's own text: never read as markup.
    value->setTextFormat(Qt::PlainText);
    value->setGeometry(x, y, width, 20);
    values_.push_back(value);
    return value;
}

void TfrmKalenderDetails::ShowDay(bool catchDay, const QString& dateText) {
    const Workspace& workspace = main_.GetWorkspace();
    Show(BuildFishingDay(workspace.DB(), workspace.cal(), catchDay, ToUtf8(dateText)));
}

void TfrmKalenderDetails::Show(const FishingDay& day) {
    const std::pair<const char*, const std::string*> texts[] = {
        {"lb_datum", &day.datum},
        {"lb_angelzeit", &day.angelzeit},
        {"lb_mond", &day.mond},
        {"lb_gewaesser", &day.gewaesser},
        {"lb_stelle", &day.stelle},
        {"lb_wetter", &day.wetter},
        {"lb_luftdruck", &day.luftdruck},
        {"lb_wassertemp", &day.wassertemp},
        {"lb_lufttemp", &day.lufttemp},
        {"lb_windrichtung", &day.windrichtung},
        {"lb_windstaerke", &day.windstaerke},
        {"lb_wassertruebung", &day.wassertruebung},
        {"lb_wasserstand", &day.wasserstand}};
    for (const auto& [name, text] : texts) {
        if (auto* label = findChild<QLabel*>(U8(name))) {
            SetElidedText(*label, ToQ(*text));
        }
    }
    Memo1->setPlainText(ToQ(day.kommentar));
    ListView1->clear();
    for (const FishingDayCatch& c : day.catches) {
        auto* item = new QTreeWidgetItem(ListView1);
        item->setText(0, QString::number(c.row));
        item->setText(1, ToQ(c.fischart));
        item->setText(2, ToQ(c.gewaesser));
        item->setText(3, ToQ(c.faenger));
        item->setText(4, ToQ(c.laenge));
        item->setText(5, ToQ(c.gewicht));
    }
}

void TfrmKalenderDetails::ListView1DblClick() {
    const QTreeWidgetItem* item = ListView1->currentItem();
    if (item == nullptr || !item->isSelected()) {
        return;
    }
    main_.ShowCatchDetails(item->text(0).toInt());
}

} // namespace zv
