#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace zv {

class LinkLabel;
class WindowHost;

// The view manager: lists the user's field views, shows which fields a view
// holds as check marks, stores the ticked fields under a view's name and
// deletes views.
class TfrmFelderverwalten : public QDialog {
    Q_OBJECT
public:
    TfrmFelderverwalten(WindowHost& main, QWidget* parent);

    void FormShow();
    void ListBox1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void SpeedButton3Click();
    void Label2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    WindowHost& main_;
    QListWidget* ListBox1 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QLabel* Label1 = nullptr;
    LinkLabel* Label2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
