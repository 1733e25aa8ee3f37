#include "costs/ui/CostListModel.h"

#include "widgets/PlainHint.h"
#include "widgets/QtText.h"

#include <QBrush>

namespace zv {

CostListModel::CostListModel(QStringList headers, std::vector<Qt::Alignment> alignments,
                             QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)),
      alignments_(std::move(alignments)) {}

void CostListModel::SetRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int CostListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int CostListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant CostListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) {
        return {};
    }
    const Row& row = rows_[std::size_t(index.row())];
    const auto column = std::size_t(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return column < row.cells.size() ? ToQ(row.cells[column]) : QString();
    case Qt::ToolTipRole: // the whole text of a cell too narrow for it
        return column < row.cells.size() ? PlainHint(ToQ(row.cells[column])) : QString();
    case Qt::ForegroundRole:
        return row.colour ? QVariant(QBrush(*row.colour)) : QVariant();
    case Qt::TextAlignmentRole:
        return column < alignments_.size() ? QVariant(alignments_[column] | Qt::AlignVCenter)
                                           : QVariant();
    default:
        return {};
    }
}

QVariant CostListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return headers_[section];
    }
    if (role == Qt::TextAlignmentRole && std::size_t(section) < alignments_.size()) {
        return QVariant(alignments_[std::size_t(section)] | Qt::AlignVCenter);
    }
    return {};
}

} // namespace zv
