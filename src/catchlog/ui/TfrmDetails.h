#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace zv {

class WindowHost;

// Every recorded value of one catch, read-only, with its pictures.
class TfrmDetails : public QDialog {
    Q_OBJECT
public:
    TfrmDetails(WindowHost& main, QWidget* parent);

    // Fills the window from that row of the catch table and shows it.
    void ShowCatch(int row);
    // Fills without showing (ShowCatch does both).
    bool FillFromRow(int row);

    void BildvorClick();
    void BildzurueckClick();
    void im_bildClick();

    int PictureIndex() const { return index_; }
    const std::vector<std::string>& Pictures() const { return pictures_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Value(const char* name, const char* caption, int x, int y, int width = 190);
    void ShowPicture();

    WindowHost& main_;
    std::vector<std::string> pictures_;
    int index_ = 0;
    std::vector<QLabel*> values_;
    QPlainTextEdit* me_bemerkung = nullptr;
    QLabel* im_bild = nullptr;
    QToolButton* Bildzurueck = nullptr;
    QToolButton* Bildvor = nullptr;
    QCheckBox* cb_zurueckgesetzt = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QDialog* bigView_ = nullptr;
    QLabel* bigImage_ = nullptr;
};

} // namespace zv
