#pragma once

#include "storage/DatabaseKind.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace zv {

class WindowHost;

// "Datei" → "Exportieren…": which table goes into a spreadsheet (the
// catches, the costs or the fishing days), for the catches optionally only
// those the main window lists; "Exportieren…" asks for the file, whose name
// or filter chooses .xlsx or .csv, and writes it.
class TfrmExportieren : public QDialog {
    Q_OBJECT
public:
    TfrmExportieren(WindowHost& main, QWidget* parent);

    // Shows the window modally; `listedCatches` are the catch table's rows
    // the main window's list shows, for "Nur die angezeigten Fänge".
    void Open(std::vector<int> listedCatches);

    DatabaseKind ChosenKind() const;
    // Asks for the file and writes it; the window closes when it is written.
    void btn_exportierenClick();

private:
    void KindChanged();

    WindowHost& main_;
    std::vector<int> listedCatches_;

    QRadioButton* rb_faenge = nullptr;
    QRadioButton* rb_angelkosten = nullptr;
    QRadioButton* rb_angeltage = nullptr;
    QCheckBox* cb_angezeigt = nullptr;
    QPushButton* btn_exportieren = nullptr;
    QPushButton* btn_schliessen = nullptr;
};

} // namespace zv
