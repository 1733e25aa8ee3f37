#pragma once

#include "storage/DatabaseKind.h"

#include <QDialog>

#include <memory>
#include <optional>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace zv {

class CenteredTabWidget;
class TMlbc;
class TfrmMain;
struct FileChoice;

// Chooses the catch, cost and calendar database files, creates empty ones
// and converts the older catch and cost files. Nothing takes effect before
// "Speichern".
class TfrmDatenbank : public QDialog {
    Q_OBJECT
public:
    static const char* const kCatchFilter;
    static const char* const kCostFilter;
    static const char* const kCalendarFilter;

    TfrmDatenbank(TfrmMain& main, QWidget* parent);
    ~TfrmDatenbank() override;

    void FormShow();
    void SpeedButton1Click(); // open catch database
    void SpeedButton2Click(); // create catch database
    void SpeedButton3Click(); // create cost database
    void SpeedButton4Click(); // open cost database
    void SpeedButton5Click(); // open calendar database
    void SpeedButton6Click(); // create calendar database
    void SpeichernClick();
    void AbbrechenClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OpenDatabase(DatabaseKind kind);
    void ConvertLegacy(DatabaseKind kind, const QString& legacyPath);
    void CreateDatabase(DatabaseKind kind);
    // Shows the save dialog for a database of that kind; the chosen path or
    // nothing.
    std::optional<QString> AskSavePath(DatabaseKind kind);
    bool SaveScratchTable(const QString& path);
    QLineEdit* PathField(DatabaseKind kind) const;

    TfrmMain& main_;
    CenteredTabWidget* PageControl1 = nullptr;
    QLineEdit* ed_zelvorindb = nullptr;
    QLineEdit* ed_angelkostendb = nullptr;
    QLineEdit* ed_caldb = nullptr;
    QPushButton* Speichern = nullptr;
    QPushButton* Abbrechen = nullptr;
    // The scratch table in which new and converted databases are built.
    std::unique_ptr<TMlbc> Mlbc1;
};

} // namespace zv
