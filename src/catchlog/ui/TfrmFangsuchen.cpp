#include "catchlog/ui/TfrmFangsuchen.h"

#include "catchlog/CatchSearch.h"
#include "catchlog/ui/CatchSearchModel.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/QtText.h"
#include "widgets/ReportList.h"
#include "widgets/WindowHost.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace zv {

TfrmFangsuchen::TfrmFangsuchen(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmFangsuchen"));
    setWindowTitle(QStringLiteral("Fang suchen"));
    resize(560, 430);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(6);

    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setAutoFillBackground(true);
    QPalette grey = bar->palette();
    grey.setColor(QPalette::Window, QColor(0xEF, 0xEF, 0xEF));
    bar->setPalette(grey);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(6, 5, 6, 5);
    auto* caption = new QLabel(QStringLiteral(" Suchbegriff:"), bar);
    caption->setObjectName(QStringLiteral("Label1"));
    barLayout->addWidget(caption);
    Edit1 = new QLineEdit(bar);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    barLayout->addWidget(Edit1, 1);
    BitBtn1 = new QPushButton(QStringLiteral("Suche starten"), bar);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    // Enter in the term box starts the search.
    BitBtn1->setDefault(true);
    barLayout->addWidget(BitBtn1);
    outer->addWidget(bar);

    auto* results = new QLabel(QStringLiteral("Ergebnisse:"), this);
    results->setObjectName(QStringLiteral("Label2"));
    outer->addWidget(results);

    model_ = new CatchSearchModel(this);
    ListView1 = new QTableView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(model_);
    MakeReportList(ListView1);
    ListView1->verticalHeader()->setDefaultSectionSize(20);
    QHeaderView* header = ListView1->horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(true);
    // The row number only identifies the catch; it is not shown.
    ListView1->setColumnHidden(CatchSearchModel::IdColumn, true);
    const int widths[CatchSearchModel::ColumnCount] = {0, 90, 130, 120, 85, 85};
    const QFontMetrics headerFont(header->font());
    for (int column = 1; column < CatchSearchModel::ColumnCount; ++column) {
        const QString text = model_->headerData(column, Qt::Horizontal).toString();
        ListView1->setColumnWidth(
            column, std::max(widths[column], headerFont.horizontalAdvance(text) + 14));
    }
    outer->addWidget(ListView1, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    BitBtn2 = new QPushButton(QStringLiteral("Schließen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    buttons->addWidget(BitBtn2);
    outer->addLayout(buttons);

    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
}

void TfrmFangsuchen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}

void TfrmFangsuchen::BitBtn1Click() {
    model_->SetHits(SearchCatches(main_.GetWorkspace().DB(), ToUtf8(Edit1->text())));
}

void TfrmFangsuchen::BitBtn2Click() {
    reject();
}

} // namespace zv
