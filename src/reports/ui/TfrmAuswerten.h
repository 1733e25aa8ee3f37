#pragma once

#include "reports/ReportWriter.h"

#include <QDialog>

#include <string>

class QComboBox;
class QFrame;
class QPushButton;

namespace zv {

class WindowHost;

// The report window: the catcher and year filters of the catch book and
// the cost list, and "Speichern", which asks for the file and writes the
// report. The year summary is written through it without showing it.
class TfrmAuswerten : public QDialog {
    Q_OBJECT
public:
    TfrmAuswerten(WindowHost& main, QWidget* parent);

    // The report kind (0 catch book, 1 cost list, 2 year summary), set by
    // the menu handler before the window is used.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    void FormShow();
    void FillReportFilters();
    void FillCatchYears();
    // Selects the rows, asks for the file and writes the report; the window
    // closes when the report is written.
    void BitBtn2Click();

    ReportWriter& Writer() { return writer_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    ReportOutcome WriteWithProgress(const std::string& path);

    WindowHost& main_;
    int tag_ = 0;
    ReportWriter writer_;
    bool running_ = false;

    QFrame* Panel1 = nullptr;
    QComboBox* cb_faenger = nullptr;
    QFrame* Panel2 = nullptr;
    QComboBox* cb_jahr = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
};

} // namespace zv
