#pragma once

#include <QStyledItemDelegate>

namespace zv {

// Paints the cells of the calendar's month grid: the header row grey with
// its text as usual, every other cell on its own background (light green
// for a day with catches, light red for a day without, light blue when
// selected, white otherwise) with its text centred from the top and
// wrapped at word boundaries.
class MonthCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static const QColor kHeaderColor;
    static const QColor kCatchColor;
    static const QColor kNothingCaughtColor;
    static const QColor kSelectedColor;

    using QStyledItemDelegate::QStyledItemDelegate;

    // The background of a cell below the header row.
    static QColor Background(const QString& text, bool selected, const QColor& normal);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace zv
