#include "calendar/ui/TfrmKalender.h"

#include "base/DateTime.h"
#include "calendar/FishingCalendar.h"
#include "calendar/MonthGrid.h"
#include "calendar/ui/MonthCellDelegate.h"
#include "calendar/ui/TfrmKalenderDetails.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/ModalShow.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zv {

namespace {

// Object names of the month menu's items, January first.
constexpr const char* kMonthItemNames[12] = {"Januar1",    "Februar1", "Mrz1",      "April1",
                                             "Mai1",       "Juni1",    "Juli1",     "August1",
                                             "September1", "Oktober1", "November1", "Dezember1"};

} // namespace

TfrmKalender::TfrmKalender(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmKalender"));
    setWindowTitle(QStringLiteral("Kalender"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 10);
    outer->setSpacing(8);

    auto* selector = new QHBoxLayout();
    selector->setSpacing(4);
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    BitBtn2->setToolTip(QStringLiteral("Vorheriger Monat"));
    BitBtn2->setFixedWidth(32);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setCursor(Qt::PointingHandCursor);
    Edit1->setFixedWidth(120);
    Edit1->installEventFilter(this);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(kFirstYear, kLastYear);
    // A typed year counts once it is complete, not at every digit.
    SpinEdit1->setKeyboardTracking(false);
    SpinEdit1->setFixedWidth(80);
    BitBtn3 = new QPushButton(this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    BitBtn3->setToolTip(QStringLiteral("Nächster Monat"));
    BitBtn3->setFixedWidth(32);
    selector->addWidget(BitBtn2);
    selector->addWidget(Edit1);
    selector->addWidget(SpinEdit1);
    selector->addWidget(BitBtn3);
    selector->addStretch(1);
    outer->addLayout(selector);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (int month = 1; month <= 12; ++month) {
        QAction* item = PopupMenu1->addAction(ToQ(LongMonthNameDe(month)));
        item->setObjectName(QString::fromUtf8(kMonthItemNames[month - 1]));
        item->setData(month); // the item's Tag
        ConnectGuarded(item, &QAction::triggered, this,
                       [this, month](bool) { Januar1Click(month); });
    }

    StringGrid1 = new QTableWidget(MonthGrid::kRows, MonthGrid::kColumns, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setFocusPolicy(Qt::StrongFocus);
    StringGrid1->setItemDelegate(new MonthCellDelegate(StringGrid1));
    for (int column = 0; column < MonthGrid::kColumns; ++column) {
        StringGrid1->setColumnWidth(column, kCellSize);
    }
    StringGrid1->setRowHeight(0, kHeaderHeight);
    for (int row = 1; row < MonthGrid::kRows; ++row) {
        StringGrid1->setRowHeight(row, kCellSize);
    }
    for (int row = 0; row < MonthGrid::kRows; ++row) {
        for (int column = 0; column < MonthGrid::kColumns; ++column) {
            auto* item = new QTableWidgetItem();
            // The header row is fixed: it cannot be selected.
            item->setFlags(row == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            StringGrid1->setItem(row, column, item);
        }
    }
    const int frame = StringGrid1->frameWidth() * 2;
    StringGrid1->setFixedSize(MonthGrid::kColumns * kCellSize + frame,
                              kHeaderHeight + (MonthGrid::kRows - 1) * kCellSize + frame);
    StringGrid1->setCurrentCell(1, 0);
    outer->addWidget(StringGrid1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    buttons->addWidget(BitBtn1);
    outer->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
    ConnectGuarded(BitBtn3, &QPushButton::clicked, this, [this](bool) { BitBtn3Click(); });
    ConnectGuarded(SpinEdit1, &QSpinBox::valueChanged, this, [this](int) {
        if (!changing_) {
            SpinEdit1Change();
        }
    });
    ConnectGuarded(StringGrid1, &QTableWidget::cellDoubleClicked, this,
                   [this](int row, int column) { StringGrid1DblClick(row, column); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    GoToMonth(SpinEdit1->value(), 1);
}

void TfrmKalender::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

bool TfrmKalender::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::MouseButtonRelease) {
        Guarded([this] { Edit1Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

int TfrmKalender::Year() const {
    return SpinEdit1->value();
}

void TfrmKalender::FormShow() {
    const DateParts today = DecodeDate(CurrentClock().Now());
    GoToMonth(today.year, today.month);
}

void TfrmKalender::Edit1Click() {
    PopupMenu1->popup(QCursor::pos());
}

void TfrmKalender::Januar1Click(int month) {
    GoToMonth(Year(), month);
}

void TfrmKalender::SpinEdit1Change() {
    FillMonth();
}

void TfrmKalender::BitBtn2Click() {
    if (month_ > 1) {
        GoToMonth(Year(), month_ - 1);
    } else if (Year() > kFirstYear) {
        GoToMonth(Year() - 1, 12);
    }
}

void TfrmKalender::BitBtn3Click() {
    if (month_ < 12) {
        GoToMonth(Year(), month_ + 1);
    } else if (Year() < kLastYear) {
        GoToMonth(Year() + 1, 1);
    }
}

void TfrmKalender::GoToMonth(int year, int month) {
    changing_ = true;
    month_ = month;
    Edit1->setProperty("Tag", month);
    Edit1->setText(ToQ(LongMonthNameDe(month)));
    SpinEdit1->setValue(year);
    changing_ = false;
    FillMonth();
}

void TfrmKalender::FillMonth() {
    const int year = Year();
    ShowGrid(MonthGrid(year, month_));
    const Workspace& workspace = main_.GetWorkspace();
    ShowGrid(zv::FillMonth(workspace.DB(), workspace.cal(), year, month_));
}

void TfrmKalender::ShowGrid(const MonthGrid& grid) {
    for (int row = 0; row < MonthGrid::kRows; ++row) {
        for (int column = 0; column < MonthGrid::kColumns; ++column) {
            StringGrid1->item(row, column)->setText(ToQ(grid.Cell(row, column)));
        }
    }
}

void TfrmKalender::StringGrid1DblClick(int row, int column) {
    const QTableWidgetItem* item = StringGrid1->item(row, column);
    if (item == nullptr || !MonthGrid::IsFishedDay(ToUtf8(item->text()))) {
        return;
    }
    const MonthGrid layout(Year(), month_);
    const int day = layout.DayAt(row, column);
    auto* details = main_.Forms().Get<TfrmKalenderDetails>(QStringLiteral("TfrmKalenderDetails"));
    if (day == 0 || details == nullptr) {
        return;
    }
    const bool catchDay = !MonthGrid::IsNothingCaught(ToUtf8(item->text()));
    details->ShowDay(catchDay, ToQ(FishingDayDateText(Year(), month_, day)));
    ShowModal(*details);
}

} // namespace zv
