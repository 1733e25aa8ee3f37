#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

class QLabel;
class QTableView;
class QTreeView;
class QWidget;

namespace zv {

class CostListModel;
class CostTreeModel;

// Pieces the cost windows share.

// A heading bar in the program's colours (white bold text on blue).
QLabel* AddHeading(QWidget* parent, const char* name, const char* text, const QRect& geometry);

// The tree grid of purchases and articles over `model`, with the given
// column widths. Expanding a row switches the column captions to those of
// the articles and draws the row bold; collapsing switches them back.
QTreeView* AddCostTree(QWidget* parent, CostTreeModel* model, const int (&widths)[4],
                       const QRect& geometry);

// A report-style list over `model` at `topLeft`: grid lines, whole rows
// selected, read-only; the first column ("id") has width 0 and is hidden, the
// others get the given widths, widened where the caption needs more. The
// list is as wide as its columns and the scroll bar.
QTableView* AddCostList(QWidget* parent, CostListModel* model, std::vector<int> widths,
                        const QPoint& topLeft, int height);

} // namespace zv
