#pragma once

#include "costs/YearSummary.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableView;

namespace zv {

class CostListModel;
class WindowHost;

// The year summary: the cost total of every year with the change against
// the year before, rises red and falls green.
class TfrmAKjahr : public QDialog {
    Q_OBJECT
public:
    TfrmAKjahr(WindowHost& main, QWidget* parent);

    void FormShow();
    // Fills the list from the cost table; the items stay readable for
    // others (the year summary report) through Items().
    void BuildYearSummary();
    const std::vector<YearSummaryItem>& Items() const { return items_; }
    CostListModel* ListModel() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    WindowHost& main_;
    std::vector<YearSummaryItem> items_;
    CostListModel* model_ = nullptr;
    QTableView* ListView1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
