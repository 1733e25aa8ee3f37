#pragma once

#include <QDialog>

class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace zv {

class MonthGrid;
class WindowHost;

// The fishing calendar: one month as a grid of days, every fished day
// marked with its number of fish or "Keinen Fisch gefangen"; a double click
// on a marked day opens the day window. Reads the catch and calendar tables
// and changes nothing.
class TfrmKalender : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCellSize = 90;
    static constexpr int kHeaderHeight = 25;
    static constexpr int kFirstYear = 1;
    static constexpr int kLastYear = 9999;

    TfrmKalender(WindowHost& main, QWidget* parent);

    // Opens on the current month and year and fills the grid anew.
    void FormShow();
    // Pops up the month menu at the mouse position.
    void Edit1Click();
    // A month of the menu (1 to 12) in the shown year.
    void Januar1Click(int month);
    // The year box changed.
    void SpinEdit1Change();
    // Previous and next month, across the turn of the year.
    void BitBtn2Click();
    void BitBtn3Click();
    // A double click on a cell: a fished day opens the day window.
    void StringGrid1DblClick(int row, int column);
    // Fills the grid for the month of Edit1 and the year of SpinEdit1. The
    // plain month shows first, so a bad date in a table (reported by the
    // handler) leaves the day numbers readable.
    void FillMonth();

    // The month number held by Edit1 (its Tag) and the year shown.
    int Month() const { return month_; }
    int Year() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows that month and year and fills the grid once.
    void GoToMonth(int year, int month);
    void ShowGrid(const MonthGrid& grid);

    WindowHost& main_;
    int month_ = 1;
    // Set while month and year change together, so the change signals of
    // the boxes do not fill the grid for a half-set month.
    bool changing_ = false;
    QLineEdit* Edit1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace zv
