#include "costs/ui/TfrmAKjahr.h"

#include "costs/ui/CostListModel.h"
#include "costs/ui/CostUiParts.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/WindowHost.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTableView>

namespace zv {

TfrmAKjahr::TfrmAKjahr(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmAKjahr"));
    setWindowTitle(QStringLiteral("Jahreszusammenfassung"));
    model_ = new CostListModel(
        {QStringLiteral("id"), QStringLiteral("Jahr:"), QString::fromUtf8("Betrag (€):"),
         QString::fromUtf8("+ - Vorjahr (€)"), QString::fromUtf8("+ - Vorjahr (%)")},
        {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignRight, Qt::AlignRight}, this);
    ListView1 = AddCostList(this, model_, {0, 60, 75, 82, 82}, QPoint(8, 8), 300);
    const int listWidth = ListView1->width();
    BitBtn2 = new QPushButton(QString::fromUtf8("Schließen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(8 + listWidth - 100, 316, 100, 28);
    setFixedSize(listWidth + 16, 352);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAKjahr::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmAKjahr::FormShow() {
    // The id column stays out of sight whatever the angler dragged.
    ListView1->setColumnWidth(0, 0);
    BuildYearSummary();
}

void TfrmAKjahr::BuildYearSummary() {
    items_.clear();
    model_->SetRows({});
    items_ = zv::BuildYearSummary(main_.GetWorkspace().ak(), CurrentClock().Now());
    std::vector<CostListModel::Row> rows;
    rows.reserve(items_.size());
    for (const YearSummaryItem& item : items_) {
        CostListModel::Row row;
        row.cells = {std::to_string(item.id), std::to_string(item.year), item.amount,
                     item.changeEuro, item.changePercent};
        if (item.colour == YearColour::Red) {
            row.colour = QColor(255, 0, 0);
        } else if (item.colour == YearColour::Green) {
            row.colour = QColor(0, 128, 0);
        }
        rows.push_back(std::move(row));
    }
    model_->SetRows(std::move(rows));
}

} // namespace zv
