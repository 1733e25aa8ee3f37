#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zv {

class WindowHost;

// The explanation of the online statistics: what they are for, who may take
// part and which personal data are sent, and the way on to the upload.
class TfrmInternet : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 398;
    static constexpr int kClientHeight = 331;
    // How long "Online Statistik ansehen" waits for the server's answer.
    static constexpr long kHealthSeconds = 5;

    TfrmInternet(WindowHost& main, QWidget* parent);

    void FormShow();
    void BitBtn1Click(); // "Einträge abgleichen"
    void BitBtn2Click(); // "Online Statistik ansehen"

protected:
    void showEvent(QShowEvent* event) override;

private:
    WindowHost& main_;
    QLabel* Image1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
