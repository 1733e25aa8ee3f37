#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableView;

namespace zv {

class CatchSearchModel;
class WindowHost;

// "Fang suchen": lists the catches whose bait, comment, length, weight,
// spot, water, species or moon phase contains a term. Reads the catch table
// only; the term and the last results stay until the next search.
class TfrmFangsuchen : public QDialog {
    Q_OBJECT
public:
    TfrmFangsuchen(WindowHost& main, QWidget* parent);

    void BitBtn1Click();
    void BitBtn2Click();

    const CatchSearchModel& Results() const { return *model_; }

protected:
    // The term box has the focus at every opening, so typing and Enter search.
    void showEvent(QShowEvent* event) override;

private:
    WindowHost& main_;
    CatchSearchModel* model_ = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QTableView* ListView1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
