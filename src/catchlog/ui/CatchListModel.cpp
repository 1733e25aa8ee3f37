#include "catchlog/ui/CatchListModel.h"

#include "widgets/QtText.h"

#include <QBrush>
#include <QColor>

namespace zv {

CatchListModel::CatchListModel(QObject* parent) : QAbstractTableModel(parent) {}

void CatchListModel::SetRows(std::vector<CatchListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void CatchListModel::Clear() {
    SetRows({});
}

int CatchListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int CatchListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CatchListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) {
        return {};
    }
    const CatchListRow& row = rows_[std::size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case IdColumn:
            return QString::number(row.id);
        case DateColumn:
            return ToQ(row.date);
        case SpeciesColumn:
            return ToQ(row.species);
        case WaterColumn:
            return ToQ(row.water);
        case AnglerColumn:
            return ToQ(row.angler);
        case LengthColumn:
            return ToQ(row.length);
        case WeightColumn:
            return ToQ(row.weight);
        default:
            return {};
        }
    }
    if (role == Qt::BackgroundRole) {
        // White rows, every second one (odd index) light grey.
        return QBrush(index.row() % 2 == 1 ? QColor(241, 241, 241) : QColor(Qt::white));
    }
    return {};
}

QVariant CatchListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const captions[ColumnCount] = {
        "id", "Datum:", "Fischart:", "Gewässer:", "Fänger:", "Länge (cm):", "Gewicht (g):"};
    if (section < 0 || section >= ColumnCount) {
        return {};
    }
    return QString::fromUtf8(captions[section]);
}

} // namespace zv
