#pragma once

#include "base/RandomSource.h"

#include <QDialog>
#include <QPixmap>

#include <filesystem>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace zv {

class WindowHost;

// Adds pictures to, or removes them from, the catch or fishing day being
// entered. New pictures are imported into img on "Speichern"; the list of
// names goes back into the entry window's picture field.
class TfrmBilder : public QDialog {
    Q_OBJECT
public:
    static constexpr int kThumbWidth = 180;
    static constexpr int kThumbHeight = 140;
    static constexpr int kThumbPictureHeight = 120;

    TfrmBilder(WindowHost& main, QWidget* parent);

    // The field the window reads on showing and replaces on "Speichern".
    void SetPictureField(QLineEdit* field) { field_ = field; }
    // Where the random part of new names comes from (tests fix it).
    void SetRandomSource(RandomSource* random) { random_ = random ? random : &systemRandom_; }

    // A picture file drawn stretched to 180 × 120 on a blank 180 × 140 icon;
    // a null pixmap when the file is not a readable JPEG.
    static QPixmap Thumbnail(const std::filesystem::path& path);

    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddItem(const QString& caption, const std::filesystem::path& file);

    WindowHost& main_;
    QLineEdit* field_ = nullptr;
    SystemRandom systemRandom_;
    RandomSource* random_ = &systemRandom_;
    QListWidget* ListView1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
