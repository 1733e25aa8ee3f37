#pragma once

#include "catchlog/CatchList.h"

#include <QAbstractTableModel>

#include <vector>

namespace zv {

// The rows of the main window's catch list. Holds a snapshot of the listed
// catches and turns only the visible cells into text, so a list of a
// hundred thousand catches fills at once.
class CatchListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        IdColumn,
        DateColumn,
        SpeciesColumn,
        WaterColumn,
        AnglerColumn,
        LengthColumn,
        WeightColumn,
        ColumnCount
    };

    explicit CatchListModel(QObject* parent = nullptr);

    void SetRows(std::vector<CatchListRow> rows);
    void Clear();
    const CatchListRow& Row(int index) const { return rows_[std::size_t(index)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<CatchListRow> rows_;
};

} // namespace zv
