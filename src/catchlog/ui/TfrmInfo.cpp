#include "catchlog/ui/TfrmInfo.h"

#include "widgets/ErrorBoundary.h"
#include "widgets/LinkLabel.h"
#include "widgets/ProgramVersion.h"
#include "widgets/UrlOpener.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QUrl>

namespace zv {

const char* const TfrmInfo::kWebAddress = "www.borentik.de";
const char* const TfrmInfo::kMailAddress = "zelvorin@borentik.de";

namespace {

// The program's logo: a fish over water, drawn so it needs no picture file.
QPixmap DrawLogo() {
    QPixmap pixmap(72, 72);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 110, 170));
    painter.drawEllipse(QRectF(2, 2, 68, 68));
    QPainterPath body;
    body.moveTo(14, 36);
    body.cubicTo(24, 18, 46, 18, 54, 36);
    body.cubicTo(46, 54, 24, 54, 14, 36);
    QPainterPath tail;
    tail.moveTo(52, 36);
    tail.lineTo(64, 25);
    tail.lineTo(64, 47);
    tail.closeSubpath();
    painter.setBrush(QColor(240, 200, 60));
    painter.drawPath(body.united(tail));
    painter.setBrush(QColor(20, 40, 60));
    painter.drawEllipse(QRectF(22, 31, 5, 5));
    return pixmap;
}

} // namespace

TfrmInfo::TfrmInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Info.."));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(DrawLogo());
    grid->addWidget(Image1, 0, 0, 4, 1, Qt::AlignTop);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    Label1->setFont(bold);
    grid->addWidget(Label1, 0, 1);

    Label2 = new QLabel(QStringLiteral("von Borentik"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    grid->addWidget(Label2, 1, 1);

    Label4 = new LinkLabel(QString::fromUtf8(kWebAddress), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    grid->addWidget(Label4, 2, 1);
    Label5 = new LinkLabel(QString::fromUtf8(kMailAddress), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    grid->addWidget(Label5, 3, 1);

    grid->setColumnStretch(1, 1);
    Label1->setText(QStringLiteral("Zelvorin  v. ") + ProgramVersionText());

    BitBtn1 = new QPushButton(QStringLiteral("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    grid->addWidget(BitBtn1, 4, 0, 1, 2, Qt::AlignHCenter);

    ConnectGuarded(Label4, &LinkLabel::clicked, this, [this] { Label4Click(); });
    ConnectGuarded(Label5, &LinkLabel::clicked, this, [this] { Label5Click(); });
    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    setFixedSize(360, 190);
}

void TfrmInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmInfo::FormShow() {
    Label1->setText(QStringLiteral("Zelvorin  v. ") + ProgramVersionText());
    // A fixed dialog centred on the screen.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrmInfo::Label4Click() {
    OpenUrl(QUrl(QStringLiteral("http://") + Label4->text()));
}

void TfrmInfo::Label5Click() {
    OpenUrl(QUrl(QStringLiteral("mailto:") + Label5->text()));
}

void TfrmInfo::BitBtn1Click() {
    accept();
}

} // namespace zv
