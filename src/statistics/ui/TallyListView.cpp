#include "statistics/ui/TallyListView.h"

#include "statistics/PiePalette.h"
#include "widgets/PlainHint.h"
#include "widgets/QtText.h"
#include "widgets/ReportList.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zv {

namespace {

// Paints the swatch column: the row's legend colour whenever the item has
// text, also on the selected row, so a selection never hides which slice a
// row belongs to.
class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.column() != 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        if (index.data(Qt::DisplayRole).toString().isEmpty()) {
            painter->fillRect(option.rect, Qt::white);
            return;
        }
        const PieColour colour = LegendColour(static_cast<std::size_t>(index.row()));
        painter->fillRect(option.rect, QColor(colour.red, colour.green, colour.blue));
    }
};

} // namespace

TallyListView::TallyListView(const QString& name, const QString& countCaption, int countWidth,
                             const QString& labelCaption, int labelWidth, QWidget* parent)
    : QTableWidget(0, 3, parent) {
    setObjectName(name);
    setHorizontalHeaderLabels({QString(), countCaption, labelCaption});
    MakeReportList(this);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegateForColumn(0, new SwatchDelegate(this));
    QPalette white = palette();
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);

    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 3);
    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(kSwatchWidth);
    header->setFixedHeight(fontMetrics().height() + 6);
    setColumnWidth(0, kSwatchWidth);
    setColumnWidth(1, countWidth > 0 ? countWidth : kDefaultColumnWidth);
    setColumnWidth(2, labelWidth);
    // The label takes whatever room the list has left, so fewer labels are
    // cut short; the tool tip shows any label that still is.
    header->setStretchLastSection(true);
}

void TallyListView::ShowTally(const Tally& tally) {
    Empty();
    setRowCount(static_cast<int>(tally.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const TallyRow& entry = tally[static_cast<std::size_t>(row)];
        setItem(row, 0, new QTableWidgetItem(QStringLiteral(" ")));
        auto* count = new QTableWidgetItem(QString::number(entry.count));
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, 1, count);
        auto* label = new QTableWidgetItem(ToQ(entry.label));
        label->setToolTip(PlainHint(label->text()));
        setItem(row, 2, label);
    }
}

void TallyListView::Empty() {
    clearContents();
    setRowCount(0);
}

} // namespace zv
