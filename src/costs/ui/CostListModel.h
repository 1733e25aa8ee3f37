#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace zv {

// A read-only list of text rows for the report-style lists of the cost
// windows (year summary, search results): captions and alignment per column,
// an optional text colour per row.
class CostListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        std::vector<std::string> cells;
        std::optional<QColor> colour;
    };

    CostListModel(QStringList headers, std::vector<Qt::Alignment> alignments,
                  QObject* parent = nullptr);

    void SetRows(std::vector<Row> rows);
    const std::vector<Row>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    std::vector<Qt::Alignment> alignments_;
    std::vector<Row> rows_;
};

} // namespace zv
