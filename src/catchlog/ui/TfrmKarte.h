#pragma once

#include "base/Jpeg.h"
#include "base/RandomSource.h"
#include "catchlog/MapMarkers.h"

#include <QDialog>
#include <QPointer>

#include <filesystem>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace zv {

class WindowHost;

// The map of a water. Viewing: the picture with a small square in the
// species' colour for every catch on that water that has a position, a hint
// over each square, and the list of species colours beside it. Placing: a
// click on the picture becomes the position of the catch being entered.
class TfrmKarte : public QDialog {
    Q_OBJECT
public:
    // The window's Tag.
    enum class Mode { Placing = 0, Viewing = 1 };

    static constexpr int kWidth = 845;
    static constexpr int kHeight = 753;
    static constexpr const char* kPictureFilter =
        "Alle (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG-Grafikdatei (*.jpg)|*.jpg;*.jpeg|"
        "Bitmaps (*.bmp)|*.bmp";

    TfrmKarte(WindowHost& main, QWidget* parent);

    // The openers: the main window's "&Karte" items and the entry window's
    // "Karte" button (which hands over its position field).
    void OpenForViewing(const QString& water);
    void OpenForPlacing(const QString& water, QLineEdit* positionField);

    // Where the random colours of the species come from (tests fix it).
    void SetRandomSource(RandomSource* random) { random_ = random ? random : &systemRandom_; }

    void FormShow();
    // Loads the water's picture (asking for one when there is none) and, when
    // viewing, draws the markers. False when there is no picture to show.
    bool DrawMap();
    void Image1MouseDown(QPoint position, Qt::MouseButton button);
    void Image1MouseMove(QPoint position);
    void ListView1DblClick();
    void BitBtn1Click();
    void BitBtn2Click();

    Mode GetMode() const { return mode_; }
    const QString& Water() const { return water_; }
    const std::filesystem::path& PicturePath() const { return picturePath_; }
    // The picture as shown, markers included.
    const QImage& Picture() const { return picture_; }
    const std::vector<MapMarker>& Markers() const { return markers_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillColorList();
    bool LoadOrAskPicture(RgbImage& picture);
    bool AskPicture(RgbImage& picture);
    void ShowPicture(const RgbImage& picture);
    void CloseAtOnce();

    WindowHost& main_;
    SystemRandom systemRandom_;
    RandomSource* random_ = &systemRandom_;
    Mode mode_ = Mode::Viewing;
    QString water_;
    QPointer<QLineEdit> positionField_;
    std::filesystem::path picturePath_;
    QImage picture_;
    std::vector<MapMarker> markers_;
    int showing_ = 0;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* Datei1 = nullptr;
    QMenu* Einstellungen1 = nullptr;
    QFrame* Panel1 = nullptr;
    QTableWidget* ListView1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;
};

} // namespace zv
