#pragma once

#include "catchlog/CatchSearch.h"

#include <QAbstractTableModel>

#include <vector>

namespace zv {

// The hits of the catch search as rows of the result list. Only the visible
// cells become text, so a search that finds most of a large table fills the
// list at once.
class CatchSearchModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        IdColumn,
        DateColumn,
        AnglerColumn,
        SpeciesColumn,
        LengthColumn,
        WeightColumn,
        ColumnCount
    };

    explicit CatchSearchModel(QObject* parent = nullptr);

    void SetHits(std::vector<CatchSearchHit> hits);
    const std::vector<CatchSearchHit>& Hits() const { return hits_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<CatchSearchHit> hits_;
};

} // namespace zv
