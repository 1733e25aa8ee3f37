#include "catchlog/ui/TfrmBilder.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "catchlog/CommaText.h"
#include "catchlog/PictureImport.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/JpegImage.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

namespace zv {

TfrmBilder::TfrmBilder(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmBilder"));
    setWindowTitle(QString::fromUtf8("Bilder hinzufügen"));

    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(kThumbWidth, kThumbHeight));
    ListView1->setGridSize(QSize(kThumbWidth + 16, kThumbHeight + 40));
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setMovement(QListView::Static);
    ListView1->setWordWrap(true);
    ListView1->setGeometry(10, 10, 600, 390);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QString::fromUtf8("Bild hinzufügen"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton1->setGeometry(10, 408, 140, 28);
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setText(QString::fromUtf8("Bild entfernen"));
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    SpeedButton2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton2->setGeometry(156, 408, 140, 28);
    BitBtn1 = new QPushButton(QStringLiteral("Speichern"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(384, 408, 110, 28);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(500, 408, 110, 28);
    setFixedSize(620, 446);

    ConnectGuarded(SpeedButton1, &QToolButton::clicked, this,
                   [this](bool) { SpeedButton1Click(); });
    ConnectGuarded(SpeedButton2, &QToolButton::clicked, this,
                   [this](bool) { SpeedButton2Click(); });
    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
}

void TfrmBilder::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

QPixmap TfrmBilder::Thumbnail(const std::filesystem::path& path) {
    const QImage image = LoadJpegImage(path);
    if (image.isNull()) {
        return {};
    }
    QPixmap icon(kThumbWidth, kThumbHeight);
    icon.fill(Qt::white);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, kThumbWidth, kThumbPictureHeight), image);
    return icon;
}

void TfrmBilder::AddItem(const QString& caption, const std::filesystem::path& file) {
    auto* item = new QListWidgetItem(caption, ListView1);
    const QPixmap thumbnail = Thumbnail(file);
    if (!thumbnail.isNull()) {
        item->setIcon(QIcon(thumbnail));
    } else {
        // A picture that is gone or unreadable keeps its place with a blank
        // icon, so the grid stays even; "Speichern" decides what happens.
        QPixmap blank(kThumbWidth, kThumbHeight);
        blank.fill(QColor(235, 235, 235));
        item->setIcon(QIcon(blank));
    }
}

void TfrmBilder::FormShow() {
    ListView1->clear();
    if (field_ == nullptr) {
        return;
    }
    const std::filesystem::path folder = PictureFolder(main_.GetWorkspace().ProgramFolder());
    for (const std::string& name : SplitCommaText(ToUtf8(field_->text()))) {
        if (!name.empty()) {
            AddItem(ToQ(name), folder / PathFromUtf8(name));
        }
    }
}

void TfrmBilder::SpeedButton1Click() {
    FileDialogOptions options;
    options.filter = QStringLiteral("JPEG Image File (*.jpg)|*.jpg");
    const std::optional<FileChoice> choice = CurrentPrompts().OpenFile(options);
    if (!choice || choice->path.isEmpty()) {
        return;
    }
    const std::filesystem::path file = PathFromUtf8(ToUtf8(choice->path));
    AddItem(choice->path, file);
    RgbImage image;
    std::string error;
    if (!LoadJpegFile(file, image, error)) {
        CurrentPrompts().Error(ToQ(error));
    }
}

void TfrmBilder::SpeedButton2Click() {
    QListWidgetItem* item = ListView1->currentItem();
    if (item == nullptr) {
        return;
    }
    if (CurrentPrompts().ConfirmYesNo(
            QString::fromUtf8("Wollen Sie diese Bild wirklich entfernen?"))) {
        delete ListView1->takeItem(ListView1->row(item));
    }
}

void TfrmBilder::BitBtn1Click() {
    std::vector<std::string> captions;
    for (int i = 0; i < ListView1->count(); ++i) {
        captions.push_back(ToUtf8(ListView1->item(i)->text()));
    }
    const PictureImportResult result =
        ImportPictures(main_.GetWorkspace().ProgramFolder(), captions, CurrentClock(), *random_);
    if (!result.ok) {
        CurrentPrompts().Error(ToQ(result.error));
        return;
    }
    if (field_ != nullptr) {
        field_->setText(ToQ(JoinCommaText(result.names)));
    }
    accept();
}

void TfrmBilder::BitBtn2Click() {
    reject();
}

} // namespace zv
