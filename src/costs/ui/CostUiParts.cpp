#include "costs/ui/CostUiParts.h"

#include "costs/ui/CostListModel.h"
#include "costs/ui/CostTreeModel.h"
#include "widgets/ReportList.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableView>

#include <QTreeView>
#include <algorithm>

namespace zv {

QLabel* AddHeading(QWidget* parent, const char* name, const char* text, const QRect& geometry) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setStyleSheet(
        QStringLiteral("background-color: #2f5d8a; color: white; font-weight: bold;"));
    label->setGeometry(geometry);
    return label;
}

QTreeView* AddCostTree(QWidget* parent, CostTreeModel* model, const int (&widths)[4],
                       const QRect& geometry) {
    auto* tree = new QTreeView(parent);
    tree->setObjectName(QStringLiteral("vst"));
    tree->setModel(model);
    tree->setGeometry(geometry);
    tree->setUniformRowHeights(true); // keeps large cost databases smooth
    tree->setAlternatingRowColors(true);
    tree->setIndentation(14); // article names keep more of their column
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionsMovable(false);
    for (int column = 0; column < 4; ++column) {
        tree->setColumnWidth(column, widths[column]);
    }
    QObject::connect(tree, &QTreeView::expanded, model, [model](const QModelIndex& index) {
        model->SetHeaders(CostTreeModel::ArticleHeaders());
        model->SetExpanded(CostTreeModel::PurchaseOf(index), true);
    });
    QObject::connect(tree, &QTreeView::collapsed, model, [model](const QModelIndex& index) {
        model->SetHeaders(CostTreeModel::PurchaseHeaders());
        model->SetExpanded(CostTreeModel::PurchaseOf(index), false);
    });
    return tree;
}

QTableView* AddCostList(QWidget* parent, CostListModel* model, std::vector<int> widths,
                        const QPoint& topLeft, int height) {
    auto* list = new QTableView(parent);
    list->setObjectName(QStringLiteral("ListView1"));
    list->setModel(model);
    MakeReportList(list);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->verticalHeader()->setDefaultSectionSize(20);
    QHeaderView* header = list->horizontalHeader();
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    // A caption wider than its column would lose its beginning ("+ - …"):
    // such a column grows to fit it.
    const QFontMetrics metrics(header->font());
    int total = 0;
    for (int column = 1; column < int(widths.size()); ++column) {
        const QString caption =
            model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        int& width = widths[std::size_t(column)];
        width = std::max(width, metrics.horizontalAdvance(caption) + 16);
        list->setColumnWidth(column, width);
        total += width;
    }
    list->setColumnWidth(0, 0);
    list->setColumnHidden(0, true);
    const int frame = 2 * list->frameWidth();
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setGeometry(topLeft.x(), topLeft.y(), total + frame + scrollBar, height);
    return list;
}

} // namespace zv
