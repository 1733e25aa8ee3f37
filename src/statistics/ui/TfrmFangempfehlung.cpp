#include "statistics/ui/TfrmFangempfehlung.h"

#include "widgets/PlainHint.h"
#include "widgets/QtText.h"
#include "widgets/ReportList.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <string>

namespace zv {

namespace {

struct Column {
    const char* caption;
    int width; // 0: shares the room left with the other filling column
    std::string RecommendationRow::*value;
};

const std::array<Column, 7> kColumns = {{
    {"Monat:", 60, &RecommendationRow::month},
    {"Fischart:", 105, &RecommendationRow::species},
    {"Uhrzeit:", 50, &RecommendationRow::hour},
    {"Köder:", 0, &RecommendationRow::bait},
    {"Verhalten:", 75, &RecommendationRow::behaviour},
    {"Farbe:", 0, &RecommendationRow::colour},
    {"Länge(cm):", 70, &RecommendationRow::baitLength},
}};

// A month name or a behaviour is never cut short: its fixed column widens
// to the longest text this font needs, at the filling columns' cost.
int FittingWidth(const std::vector<RecommendationRow>& rows, const Column& column,
                 const QFontMetrics& metrics) {
    int width = metrics.horizontalAdvance(QString::fromUtf8(column.caption));
    for (const RecommendationRow& row : rows) {
        width = std::max(width, metrics.horizontalAdvance(ToQ(row.*(column.value))));
    }
    return width + 12;
}

} // namespace

TfrmFangempfehlung::TfrmFangempfehlung(const std::vector<RecommendationRow>& rows,
                                       const QIcon& closeGlyph, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmFangempfehlung"));
    setWindowTitle(QStringLiteral("Fangempfehlung"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    lv_empfehlung = new QTableWidget(static_cast<int>(rows.size()), int(kColumns.size()), this);
    lv_empfehlung->setObjectName(QStringLiteral("lv_empfehlung"));
    lv_empfehlung->setGeometry(0, 0, kWidth, kListHeight);
    MakeReportList(lv_empfehlung);
    lv_empfehlung->verticalHeader()->setDefaultSectionSize(lv_empfehlung->fontMetrics().height() +
                                                           6);
    QHeaderView* header = lv_empfehlung->horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QStringList captions;
    for (int c = 0; c < int(kColumns.size()); ++c) {
        const Column& column = kColumns[std::size_t(c)];
        captions << QString::fromUtf8(column.caption);
        if (column.width > 0) {
            header->setSectionResizeMode(c, QHeaderView::Fixed);
            lv_empfehlung->setColumnWidth(
                c,
                std::max(column.width, FittingWidth(rows, column, lv_empfehlung->fontMetrics())));
        } else {
            header->setSectionResizeMode(c, QHeaderView::Stretch);
        }
    }
    lv_empfehlung->setHorizontalHeaderLabels(captions);
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < int(kColumns.size()); ++c) {
            const std::string& text = rows[std::size_t(r)].*(kColumns[std::size_t(c)].value);
            auto* item = new QTableWidgetItem(ToQ(text));
            item->setToolTip(PlainHint(ToQ(text)));
            lv_empfehlung->setItem(r, c, item);
        }
    }

    BitBtn1 = new QPushButton(closeGlyph, QStringLiteral("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(230, 302, 90, 25);
    BitBtn1->setDefault(true);
    BitBtn1->setFocus();
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(kWidth, 330);
}

} // namespace zv
