#pragma once

#include <QDialog>

#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace zv {

class WindowHost;
struct FishingDay;

// "Tages Informationen": the conditions of one fished day and the list of
// its catches; a double click on a catch opens its details.
class TfrmKalenderDetails : public QDialog {
    Q_OBJECT
public:
    TfrmKalenderDetails(WindowHost& main, QWidget* parent);

    // Fills the window for the day "dd.mm.yyyy": from the catches of the day
    // (catch day) or from its fishing-day rows. A start or end that is not a
    // time throws EConvertError before anything changes.
    void ShowDay(bool catchDay, const QString& dateText);
    // Opens the details of the selected catch.
    void ListView1DblClick();

private:
    QLabel* Value(const char* name, int x, int y, int width);
    void Caption(const char* text, int x, int y, int width = 140);
    void Show(const FishingDay& day);

    WindowHost& main_;
    std::vector<QLabel*> values_;
    QPlainTextEdit* Memo1 = nullptr;
    QTreeWidget* ListView1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace zv
