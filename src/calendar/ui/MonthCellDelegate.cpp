#include "calendar/ui/MonthCellDelegate.h"

#include "calendar/MonthGrid.h"
#include "widgets/QtText.h"

#include <QPainter>

namespace zv {

const QColor MonthCellDelegate::kHeaderColor = QColor(0xD2, 0xD2, 0xD2);
const QColor MonthCellDelegate::kCatchColor = QColor(0xB8, 0xDF, 0xC2);
const QColor MonthCellDelegate::kNothingCaughtColor = QColor(0xF3, 0xB3, 0xB3);
const QColor MonthCellDelegate::kSelectedColor = QColor(0xC6, 0xD3, 0xEF);

QColor MonthCellDelegate::Background(const QString& text, bool selected, const QColor& normal) {
    // A fished day keeps its colour when selected: the mark matters more
    // than the cursor.
    switch (MonthGrid::MarkOf(ToUtf8(text))) {
    case MonthGrid::Mark::Catches:
        return kCatchColor;
    case MonthGrid::Mark::NothingCaught:
        return kNothingCaughtColor;
    case MonthGrid::Mark::None:
        break;
    }
    return selected ? kSelectedColor : normal;
}

void MonthCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->save();
    painter->setPen(option.palette.color(QPalette::Text));
    if (index.row() == 0) {
        painter->fillRect(option.rect, kHeaderColor);
        painter->drawText(option.rect.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          text);
    } else {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->fillRect(option.rect,
                          Background(text, selected, option.palette.color(QPalette::Base)));
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        painter->drawText(option.rect.adjusted(3, 3, -3, -3),
                          Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, shown);
    }
    painter->restore();
}

} // namespace zv
