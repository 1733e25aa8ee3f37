#pragma once

#include "statistics/UploadFile.h"
#include "statistics/http/HttpPoster.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace zv {

struct PreparedUpload;
class WindowHost;

// The upload: lists what is sent, lets the angler add the personal fields
// and sends every catch to the online statistics server. The transfer runs
// on a worker thread behind a progress dialog that can cancel it.
class TfrmOSabgleichen : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 354;
    static constexpr int kClientHeight = 214;
    // The object name of the progress dialog shown during the transfer.
    static const char* const kProgressName;

    TfrmOSabgleichen(WindowHost& main, QWidget* parent);

    void FormShow();
    void BitBtn1Click(); // "Starten"
    void BitBtn2Click(); // "Abbrechen"

    // The ticks of "Fänger", "Gewässer" and "Stelle".
    UploadPersonalFields PersonalFields() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    HttpReply Transfer(const PreparedUpload& prepared);

    WindowHost& main_;
    HttpPoster poster_;
    QListWidget* ListBox1 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
