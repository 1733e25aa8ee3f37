#include "costs/ui/TfrmAksuchen.h"

#include "costs/CostSearch.h"
#include "costs/ui/CostListModel.h"
#include "costs/ui/CostUiParts.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>

#include <algorithm>
#include <cmath>

namespace zv {

TfrmAksuchen::TfrmAksuchen(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmAksuchen"));
    setWindowTitle(QStringLiteral("Angelkosten suchen"));
    model_ =
        new CostListModel({QStringLiteral("ID"), QStringLiteral("Datum:"),
                           QString::fromUtf8("Geschäft:"), QStringLiteral("Artikel:"),
                           QStringLiteral("Menge:"), QStringLiteral("EP:"), QStringLiteral("GP:")},
                          {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft,
                           Qt::AlignRight, Qt::AlignRight, Qt::AlignRight},
                          this);
    // A date is read whole; the other columns show the rest in a tool tip.
    const int dateWidth =
        std::max(67, fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 12);
    ListView1 = AddCostList(this, model_, {0, dateWidth, 85, 142, 48, 60, 60}, QPoint(8, 98), 260);
    const int listWidth = ListView1->width();
    const int width = listWidth + 16;

    // The banner lies on a strip of its blue that runs across the window.
    auto* strip = new QLabel(this);
    strip->setStyleSheet(QStringLiteral("background-color: #2f5d8a;"));
    strip->setGeometry(0, 0, width, kBannerHeight);
    Image1 = new QLabel(strip);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(PaintBanner());
    Image1->setGeometry(0, 0, kBannerWidth, kBannerHeight);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 42, listWidth - 132, 26);
    BitBtn1 = new QPushButton(QStringLiteral("Suche starten"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(8 + listWidth - 124, 41, 124, 28);
    BitBtn1->setDefault(true); // Enter in the search box starts the search
    auto* Label1 = new QLabel(QStringLiteral("Ergebnisse:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 76, 200, 20);

    BitBtn2 = new QPushButton(QString::fromUtf8("Schließen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(8 + listWidth - 100, 366, 100, 28);
    setFixedSize(width, 402);

    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

QPixmap TfrmAksuchen::PaintBanner() {
    QPixmap banner(kBannerWidth, kBannerHeight);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, kBannerWidth, 0);
    gradient.setColorAt(0, QColor(0x1d, 0x3f, 0x62));
    gradient.setColorAt(1, QColor(0x2f, 0x5d, 0x8a));
    painter.fillRect(banner.rect(), gradient);
    // A wave along the bottom edge, and a magnifier before the title.
    QPainterPath wave;
    wave.moveTo(0, kBannerHeight);
    for (int x = 0; x <= kBannerWidth; x += 4) {
        wave.lineTo(x, kBannerHeight - 5 - 2.5 * std::sin(x / 18.0));
    }
    wave.lineTo(kBannerWidth, kBannerHeight);
    wave.closeSubpath();
    painter.fillPath(wave, QColor(0x4f, 0x86, 0xb8));
    painter.setPen(QPen(Qt::white, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(17, 14), 7, 7);
    painter.drawLine(QPointF(22, 19), QPointF(28, 25));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(16);
    painter.setFont(font);
    painter.drawText(QRect(38, 0, kBannerWidth - 46, kBannerHeight - 4),
                     Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Angelkosten suchen"));
    return banner;
}

void TfrmAksuchen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
    Edit1->selectAll();
}

void TfrmAksuchen::BitBtn1Click() {
    model_->SetRows({});
    std::vector<CostListModel::Row> rows;
    for (CostSearchHit& hit : SearchCosts(main_.GetWorkspace().ak(), ToUtf8(Edit1->text()))) {
        CostListModel::Row row;
        row.cells.reserve(7);
        row.cells.push_back(std::to_string(hit.row));
        for (std::string& cell : hit.cells) {
            row.cells.push_back(std::move(cell));
        }
        rows.push_back(std::move(row));
    }
    model_->SetRows(std::move(rows));
}

} // namespace zv
