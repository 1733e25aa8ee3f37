#include "statistics/ui/TfrmInternet.h"

#include "statistics/UploadServer.h"
#include "statistics/http/HttpPoster.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/OverrideCursor.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/UrlOpener.h"
#include "widgets/WindowHost.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zv {

namespace {

// The banner: a fish swimming round a globe, drawn so it needs no file.
QPixmap DrawBanner() {
    QPixmap pixmap(189, 70);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 189, 70);
    sky.setColorAt(0, QColor(16, 52, 110));
    sky.setColorAt(1, QColor(40, 120, 190));
    painter.fillRect(pixmap.rect(), sky);

    const QRectF globe(10, 9, 52, 52);
    painter.setPen(QPen(QColor(210, 230, 250), 1.5));
    painter.setBrush(QColor(60, 140, 210));
    painter.drawEllipse(globe);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(globe.adjusted(14, 0, -14, 0));
    painter.drawLine(QPointF(globe.center().x(), globe.top()),
                     QPointF(globe.center().x(), globe.bottom()));
    painter.drawLine(QPointF(globe.left(), globe.center().y()),
                     QPointF(globe.right(), globe.center().y()));

    QPainterPath fish;
    fish.moveTo(30, 47);
    fish.cubicTo(38, 37, 54, 37, 60, 47);
    fish.cubicTo(54, 57, 38, 57, 30, 47);
    fish.moveTo(58, 47);
    fish.lineTo(68, 40);
    fish.lineTo(68, 54);
    fish.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 200, 60));
    painter.drawPath(fish);
    painter.setBrush(QColor(20, 40, 60));
    painter.drawEllipse(QRectF(36, 45, 3, 3));

    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setBold(true);
    title.setPixelSize(17);
    painter.setFont(title);
    painter.drawText(QRectF(76, 12, 110, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Zelvorin"));
    QFont subtitle = painter.font();
    subtitle.setBold(false);
    subtitle.setPixelSize(11);
    painter.setFont(subtitle);
    painter.drawText(QRectF(76, 36, 110, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Online Statistik"));
    return pixmap;
}

constexpr int kQuestionWidth = 124;

QFrame* Separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TfrmInternet::TfrmInternet(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmInternet"));
    setWindowTitle(QStringLiteral("Online Statistiken"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 10);
    outer->setSpacing(5);

    // The banner with a white area to its right.
    auto* top = new QWidget(this);
    top->setAutoFillBackground(true);
    QPalette white = top->palette();
    white.setColor(QPalette::Window, Qt::white);
    top->setPalette(white);
    top->setFixedHeight(70);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(0, 0, 0, 0);
    Image1 = new QLabel(top);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(DrawBanner());
    Image1->setFixedSize(189, 70);
    topRow->addWidget(Image1);
    topRow->addStretch(1);
    outer->addWidget(top);
    outer->addWidget(Separator(this));

    // Questions in bold, the answers in navy beside them, in the small
    // font of a dialog's notes so all four fit the fixed window.
    auto* answers = new QGridLayout();
    answers->setContentsMargins(10, 2, 10, 0);
    answers->setHorizontalSpacing(8);
    answers->setVerticalSpacing(5);
    const char* const pairs[][2] = {
        {"Online Statistik?",
         "Seit Version 1.1.0 ist es möglich die Einträge in das Zelvorin online abzugleichen. "},
        {"Sinn?", "Ausführlichere Statistiken erzeugen."},
        {"Kann ich mitmachen?", "Natürlich. Es ist sogar erwünscht. Je mehr Leute ihre Daten "
                                "abgleichen umso ausführlicher wird die Statistik"},
        {"Personenbezogene Daten?",
         "Sie können selbst aussuchen welche personenbezogenen Daten übertragen werden sollen. "
         "Personenbezogene Daten sind Gewässer, Stelle und Fänger."},
    };
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() - 1);
    QFont smallBold = small;
    smallBold.setBold(true);
    int row = 0;
    for (const auto& pair : pairs) {
        auto* question = new QLabel(QString::fromUtf8(pair[0]), this);
        question->setObjectName(QStringLiteral("lb_frage%1").arg(row + 1));
        question->setFont(smallBold);
        question->setWordWrap(true);
        question->setFixedWidth(kQuestionWidth);
        auto* answer = new QLabel(QString::fromUtf8(pair[1]), this);
        answer->setObjectName(QStringLiteral("lb_antwort%1").arg(row + 1));
        answer->setFont(small);
        answer->setTextFormat(Qt::PlainText);
        answer->setWordWrap(true);
        QPalette navy = answer->palette();
        navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
        answer->setPalette(navy);
        answers->addWidget(question, row, 0, Qt::AlignTop);
        answers->addWidget(answer, row, 1, Qt::AlignTop);
        ++row;
    }
    answers->setColumnStretch(1, 1);
    outer->addLayout(answers);
    outer->addStretch(1);
    outer->addWidget(Separator(this));

    auto* heading = new QLabel(QStringLiteral("Wie möchten Sie vorgehen?"), this);
    heading->setObjectName(QStringLiteral("lb_vorgehen"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(10);
    heading->setFont(headingFont);
    heading->setContentsMargins(10, 0, 10, 0);
    outer->addWidget(heading);

    auto* buttons = new QHBoxLayout();
    buttons->setContentsMargins(10, 0, 10, 0);
    BitBtn2 = new QPushButton(QStringLiteral("Online Statistik ansehen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn1 = new QPushButton(QStringLiteral("Einträge abgleichen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    buttons->addWidget(BitBtn2, 1);
    buttons->addWidget(BitBtn1, 1);
    outer->addLayout(buttons);

    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
    setFixedSize(kClientWidth, kClientHeight);
}

void TfrmInternet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmInternet::FormShow() {
    if (const QWidget* owner = parentWidget()) {
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrmInternet::BitBtn1Click() {
    main_.OpenForm(QStringLiteral("TfrmOSabgleichen"));
}

// The pages are opened only when the service answers, so the angler is
// told here why they cannot be seen instead of by a browser error page.
void TfrmInternet::BitBtn2Click() {
    std::string problem;
    const std::optional<UploadServer> server =
        ConfiguredUploadServer(main_.GetWorkspace().Settings(), problem);
    if (!server) {
        CurrentPrompts().Error(ToQ(problem));
        return;
    }
    HttpReply reply;
    {
        const OverrideCursor wait(Qt::WaitCursor);
        reply =
            HttpPoster({kHealthSeconds, kHealthSeconds, kHealthSeconds}).Get(server->HealthUrl());
    }
    const QString statistics = ToQ(server->StatisticsUrl());
    if (!reply.ok) {
        CurrentPrompts().Warning(
            QStringLiteral("Die Online Statistik auf \"%1\" ist nicht erreichbar.\n\n%2")
                .arg(ToQ(server->Text()), ToQ(reply.error)));
    } else if (!OpenUrl(QUrl(statistics))) {
        CurrentPrompts().Warning(
            QStringLiteral(
                "Der Browser ließ sich nicht öffnen. Die Online Statistik steht unter %1.")
                .arg(statistics));
    }
}

} // namespace zv
