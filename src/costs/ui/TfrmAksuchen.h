#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;
class QTableView;

namespace zv {

class CostListModel;
class WindowHost;

// The cost search: every cost row whose shop or article contains the text.
class TfrmAksuchen : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBannerWidth = 392;
    static constexpr int kBannerHeight = 32;

    TfrmAksuchen(WindowHost& main, QWidget* parent);

    void BitBtn1Click();
    CostListModel* ListModel() const { return model_; }

    // The banner at the top of the window.
    static QPixmap PaintBanner();

protected:
    // The term box has the focus at every opening, so typing and Enter search.
    void showEvent(QShowEvent* event) override;

private:
    WindowHost& main_;
    CostListModel* model_ = nullptr;
    QLabel* Image1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QTableView* ListView1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
