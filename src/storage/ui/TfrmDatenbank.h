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
class Workspace;
struct FileChoice;

// Chooses the catch, cost and calendar database files, creates empty ones
// and converts the older catch and cost files. Nothing takes effect before
// "Speichern", which reloads the Workspace's tables and then announces it
// with DatabasesChanged; the windows that show the tables listen to that.
class TfrmDatenbank : public QDialog {
    Q_OBJECT
public:
    static const char* const kCatchFilter;
    static const char* const kCostFilter;
    static const char* const kCalendarFilter;

    // Shown centred on `parent` (the main window).
    TfrmDatenbank(Workspace& workspace, QWidget* parent);
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

signals:
    // "Speichern" has written the paths, reloaded the tables and rebuilt the
    // value lists.
    void DatabasesChanged();

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

    Workspace& workspace_;
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
