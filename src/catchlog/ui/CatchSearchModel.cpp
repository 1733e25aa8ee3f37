#include "catchlog/ui/CatchSearchModel.h"

#include "widgets/QtText.h"

namespace zv {

CatchSearchModel::CatchSearchModel(QObject* parent) : QAbstractTableModel(parent) {}

void CatchSearchModel::SetHits(std::vector<CatchSearchHit> hits) {
    beginResetModel();
    hits_ = std::move(hits);
    endResetModel();
}

int CatchSearchModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(hits_.size());
}

int CatchSearchModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CatchSearchModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(hits_.size())) {
        return {};
    }
    const CatchSearchHit& hit = hits_[std::size_t(index.row())];
    switch (index.column()) {
    case IdColumn:
        return QString::number(hit.row);
    case DateColumn:
        return ToQ(hit.date);
    case AnglerColumn:
        return ToQ(hit.angler);
    case SpeciesColumn:
        return ToQ(hit.species);
    case LengthColumn:
        return ToQ(hit.length);
    case WeightColumn:
        return ToQ(hit.weight);
    default:
        return {};
    }
}

QVariant CatchSearchModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const captions[ColumnCount] = {
        "ID", "Datum:", "Fänger:", "Fischart:", "Länge(cm):", "Gewicht(g):"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return {};
    }
    return QString::fromUtf8(captions[section]);
}

} // namespace zv
