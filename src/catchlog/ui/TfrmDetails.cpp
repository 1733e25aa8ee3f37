#include "catchlog/ui/TfrmDetails.h"

#include "base/AtomicFile.h"
#include "catchlog/CatchDetails.h"
#include "catchlog/PictureImport.h"
#include "catchlog/PictureNames.h"
#include "widgets/ElidedText.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/JpegImage.h"
#include "widgets/ModalShow.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <system_error>

namespace zv {
namespace {

constexpr int kRow = 22;

} // namespace

TfrmDetails::TfrmDetails(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmDetails"));
    setWindowTitle(QStringLiteral("Details"));
    setStyleSheet(QStringLiteral("QLabel[heading=\"true\"] { background-color: #2f5d8a; color: "
                                 "white; font-weight: bold; }"));

    auto heading = [this](const char* text, int y) {
        auto* bar = new QLabel(U8(text), this);
        bar->setProperty("heading", true);
        bar->setGeometry(6, y, 688, 20);
    };
    int y = 8;
    heading(" Fang:", y);
    y += 24;
    Value("lb_fischart", " Fischart:", 10, y);
    Value("lb_fangdatum", " Fangdatum:", 350, y);
    y += kRow;
    Value("lb_laenge", " Länge:", 10, y);
    Value("lb_fangzeit", " Fangzeit:", 350, y);
    y += kRow;
    Value("lb_gewicht", " Gewicht:", 10, y);
    Value("lb_mond", " Mondphase:", 350, y);
    y += kRow;
    Value("lb_koeder", " Köder:", 10, y);
    Value("lb_fangmethode", " Fangmethode:", 350, y);
    y += kRow;
    Value("lb_angelzeit", " Angelzeit:", 10, y, 520);
    y += kRow + 6;
    heading(" Wetter/Gewässer:", y);
    y += 24;
    Value("lb_gewaesser", " Gewässer:", 10, y);
    Value("lb_stelle", " Stelle:", 350, y);
    y += kRow;
    Value("lb_uferdistanz", " Uferdistanz:", 10, y);
    Value("lb_fangtiefe", " Fangtiefe:", 350, y);
    y += kRow;
    Value("lb_wetter", " Wetter:", 10, y);
    Value("lb_luftdruck", "Luftdruck:", 350, y);
    y += kRow;
    Value("lb_wassertemp", " Wassertemperatur:", 10, y);
    Value("lb_lufttemp", "Lufttemperatur:", 350, y);
    y += kRow;
    Value("lb_windrichtung", " Windrichtung:", 10, y);
    Value("lb_windstaerke", "Windstärke:", 350, y);
    y += kRow;
    Value("lb_wassertruebung", "Wassertrübung:", 10, y);
    Value("lb_wasserstand", "Wasserstand:", 350, y);
    y += kRow + 6;

    auto* bemerkungen = new QLabel(U8(" Bemerkungen:"), this);
    bemerkungen->setProperty("heading", true);
    bemerkungen->setGeometry(6, y, 340, 20);
    auto* bild = new QLabel(U8(" Bild:"), this);
    bild->setProperty("heading", true);
    bild->setGeometry(354, y, 340, 20);
    y += 24;
    me_bemerkung = new QPlainTextEdit(this);
    me_bemerkung->setObjectName(QStringLiteral("me_bemerkung"));
    me_bemerkung->setReadOnly(true);
    me_bemerkung->setFrameShape(QFrame::NoFrame);
    me_bemerkung->setGeometry(10, y, 330, 150);
    im_bild = new QLabel(this);
    im_bild->setObjectName(QStringLiteral("im_bild"));
    im_bild->setScaledContents(true);
    im_bild->setFrameShape(QFrame::Box);
    im_bild->setGeometry(420, y, 200, 150);
    im_bild->setCursor(Qt::PointingHandCursor);
    im_bild->installEventFilter(this);
    Bildzurueck = new QToolButton(this);
    Bildzurueck->setObjectName(QStringLiteral("Bildzurueck"));
    Bildzurueck->setArrowType(Qt::LeftArrow);
    Bildzurueck->setToolTip(U8("Bild zurück"));
    Bildzurueck->setGeometry(390, y + 62, 24, 26);
    Bildvor = new QToolButton(this);
    Bildvor->setObjectName(QStringLiteral("Bildvor"));
    Bildvor->setArrowType(Qt::RightArrow);
    Bildvor->setToolTip(U8("Bild vor"));
    Bildvor->setGeometry(626, y + 62, 24, 26);
    y += 158;

    cb_zurueckgesetzt = new QCheckBox(U8("Fisch zurückgesetzt"), this);
    cb_zurueckgesetzt->setObjectName(QStringLiteral("cb_zurueckgesetzt"));
    cb_zurueckgesetzt->setGeometry(10, y, 200, 24);
    BitBtn1 = new QPushButton(U8("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(580, y, 110, 28);
    setFixedSize(700, y + 38);

    bigView_ = new QDialog(this);
    bigView_->setObjectName(QStringLiteral("frmBildAnsehen"));
    bigView_->setWindowTitle(U8("Bild ansehen.."));
    auto* bigLayout = new QVBoxLayout(bigView_);
    bigLayout->setContentsMargins(0, 0, 0, 0);
    bigImage_ = new QLabel(bigView_);
    bigLayout->addWidget(bigImage_);

    ConnectGuarded(Bildvor, &QToolButton::clicked, this, [this](bool) { BildvorClick(); });
    ConnectGuarded(Bildzurueck, &QToolButton::clicked, this, [this](bool) { BildzurueckClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* TfrmDetails::Value(const char* name, const char* caption, int x, int y, int width) {
    auto* label = new QLabel(U8(caption), this);
    label->setGeometry(x, y, 140, 20);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    auto* value = new QLabel(this);
    value->setObjectName(U8(name));
    // Values are the angler's own text: never read as markup.
    value->setTextFormat(Qt::PlainText);
    value->setGeometry(x + 142, y, width, 20);
    values_.push_back(value);
    return value;
}

bool TfrmDetails::eventFilter(QObject* watched, QEvent* event) {
    if (watched == im_bild && event->type() == QEvent::MouseButtonRelease) {
        Guarded([this] { im_bildClick(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmDetails::FillFromRow(int row) {
    for (QLabel* value : values_) {
        value->clear();
    }
    me_bemerkung->clear();
    TMlbc& db = main_.GetWorkspace().DB();
    if (!db.GoToRow(row)) {
        return false;
    }
    const CatchDetailTexts t = BuildCatchDetails(db);
    im_bild->clear();
    Bildvor->setEnabled(true);
    Bildzurueck->setEnabled(false);
    const std::pair<const char*, const std::string*> texts[] = {
        {"lb_fischart", &t.fischart},
        {"lb_laenge", &t.laenge},
        {"lb_gewicht", &t.gewicht},
        {"lb_fangdatum", &t.fangdatum},
        {"lb_fangzeit", &t.fangzeit},
        {"lb_angelzeit", &t.angelzeit},
        {"lb_koeder", &t.koeder},
        {"lb_fangmethode", &t.fangmethode},
        {"lb_mond", &t.mond},
        {"lb_gewaesser", &t.gewaesser},
        {"lb_stelle", &t.stelle},
        {"lb_uferdistanz", &t.uferdistanz},
        {"lb_fangtiefe", &t.fangtiefe},
        {"lb_wetter", &t.wetter},
        {"lb_luftdruck", &t.luftdruck},
        {"lb_wassertemp", &t.wassertemp},
        {"lb_lufttemp", &t.lufttemp},
        {"lb_windrichtung", &t.windrichtung},
        {"lb_windstaerke", &t.windstaerke},
        {"lb_wassertruebung", &t.wassertruebung},
        {"lb_wasserstand", &t.wasserstand}};
    for (const auto& [name, text] : texts) {
        if (auto* label = findChild<QLabel*>(U8(name))) {
            SetElidedText(*label, ToQ(*text));
        }
    }
    me_bemerkung->setPlainText(ToQ(t.bemerkung));
    cb_zurueckgesetzt->setChecked(t.zurueckgesetzt);

    pictures_ = t.pictures;
    index_ = 0;
    const bool arrows = pictures_.size() >= 2;
    Bildvor->setVisible(arrows);
    Bildzurueck->setVisible(arrows);
    ShowPicture();
    return true;
}

void TfrmDetails::ShowCatch(int row) {
    if (FillFromRow(row)) {
        ShowModal(*this);
    }
}

void TfrmDetails::ShowPicture() {
    im_bild->clear();
    if (index_ < 0 || index_ >= static_cast<int>(pictures_.size())) {
        return;
    }
    const QImage image = LoadJpegImage(PictureFolder(main_.GetWorkspace().ProgramFolder()) /
                                       PathFromUtf8(pictures_[static_cast<std::size_t>(index_)]));
    if (!image.isNull()) {
        im_bild->setPixmap(QPixmap::fromImage(image));
    }
}

void TfrmDetails::BildvorClick() {
    if (index_ + 1 >= static_cast<int>(pictures_.size())) {
        return;
    }
    ++index_;
    ShowPicture();
    Bildvor->setEnabled(true);
    Bildzurueck->setEnabled(true);
    if (index_ == static_cast<int>(pictures_.size()) - 1) {
        Bildvor->setEnabled(false);
    }
}

void TfrmDetails::BildzurueckClick() {
    if (index_ == 0) {
        Bildzurueck->setEnabled(false);
        Bildvor->setEnabled(true);
        return;
    }
    --index_;
    ShowPicture();
    Bildvor->setEnabled(true);
    Bildzurueck->setEnabled(true);
    if (index_ == 0) {
        Bildzurueck->setEnabled(false);
    }
}

void TfrmDetails::im_bildClick() {
    if (pictures_.empty()) {
        return;
    }
    const std::string name = EnlargedPictureName(pictures_[static_cast<std::size_t>(index_)]);
    const QImage image =
        LoadJpegImage(PictureFolder(main_.GetWorkspace().ProgramFolder()) / PathFromUtf8(name));
    if (image.isNull()) {
        return;
    }
    bigImage_->setPixmap(QPixmap::fromImage(image));
    bigView_->setFixedSize(image.size());
    ShowModal(*bigView_);
}

} // namespace zv
