#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zv {

class LinkLabel;

// The about window: program name and version, the maker and how to reach
// him on the web and by mail.
class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    static const char* const kWebAddress;
    static const char* const kMailAddress;

    explicit TfrmInfo(QWidget* parent);

    void FormShow();
    void Label4Click();
    void Label5Click();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    LinkLabel* Label4 = nullptr;
    LinkLabel* Label5 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace zv
