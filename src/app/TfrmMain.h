#pragma once

#include "catchlog/CatchList.h"
#include "storage/Workspace.h"
#include "widgets/FormSet.h"
#include "widgets/WindowHost.h"

#include <QMainWindow>

#include <filesystem>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class QPushButton;
class QTableView;

namespace zv {

class CatchListModel;
class TfrmAuswerten;

// The program's home: owns the Workspace (the three tables and their
// paths), shows the filtered catch list with its summary, the preview of the
// selected catch, and the menus that lead to every other window.
class TfrmMain : public QMainWindow, public WindowHost {
    Q_OBJECT
public:
    // Heights of the window without and with the detail area.
    static constexpr int kShortHeight = 434;
    static constexpr int kTallHeight = 588;
    static constexpr int kWidth = 830;
    // The object names of the progress dialogs of "Backup erstellen.." and
    // "&Backup laden..".
    static constexpr const char* kBackupProgressName = "BackupProgress";
    static constexpr const char* kRestoreProgressName = "RestoreProgress";

    explicit TfrmMain(std::filesystem::path programFolder, QWidget* parent = nullptr);
    ~TfrmMain() override;

    Workspace& GetWorkspace() override { return workspace_; }
    FormSet& Forms() override { return forms_; }
    QRect FrameGeometry() const override { return frameGeometry(); }

    // Start-up work, run when the window is first shown.
    void FormShow();

    // Refresh operations other windows call after they change data.
    void FillAnglerLists() override;
    void ShowCostTotal() override;
    void ShowLastCatches();
    void ShowCatchList() override;
    void FillYearFilter();
    void FillSpeciesFilter();
    void FillMapMenu();
    void ShowCatchDetails(int row) override;
    // After the database window switched the databases: the angler lists,
    // the cost total and the last ten catches of the tables now open.
    void DatabasesReloaded();
    // The openers of the catch entry window ("&Hinzufügen", "&Bearbeiten").
    void Hinzufgen1Click();
    void Bearbeiten1Click();
    // The opener of the cost entry window ("Angelkosten" → "&Hinzufügen").
    void Hinzufgen2Click();

    // The catch table's row of the selected list row, or 0 when none is selected.
    int SelectedCatchId() const;
    // Selects the list row at `index` (0-based) and handles it like a click.
    void SelectListRow(int index);

    // Handlers.
    void cb_faengerChange();
    void cb_jahrChange();
    void cb_fischartChange();
    void ListView1SelectItem(bool selected);
    void ListView1Click();
    void bildvorClick();
    void bildzurueckClick();
    void im_leftClick();
    void Lschen1Click();
    void Klonen1Click();
    void Details1Click();
    void Beenden1Click();
    void Datenbankauswhlen1Click();
    // "&Exportieren…": the export window, with the catches the list shows.
    void Exportieren1Click();
    // The catch table's rows the list shows, in the list's order.
    std::vector<int> ListedCatchIds() const;
    // "Backup erstellen.." and "&Backup laden..".
    void Backuperstellen1Click();
    void Backup1Click();
    void Info1Click();
    // "&Extras" → "Auswerten" and "&Fangliste erstellen".
    void Zelvorin1Click();
    void Angelkosten2Click();
    void Jahreszusammenfassung1Click();
    void Fanglisteerstellen1Click();
    // Opens the statistics window: number 0 for all anglers, 1 for the angler
    // named by the caption, 2 for the catch recommendation.
    void StatistikItemClick(int number, const QString& caption);
    // The toolbar's statistics: for the angler chosen in the filter.
    void SpeedButton2Click();
    void KarteItemClick(const QString& water);
    // Opens a window of the set modally by its class name.
    void OpenForm(const QString& className) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    // The Statistik menu's fixed items, then one item per angler.
    void StartStatistikMenu();
    void AddStatistikItem(const QString& caption, int number);
    void BuildControls();
    // The list by the three filters and its summary; the waters, and with
    // them the Karte menu, stay as they are.
    void ShowFilteredCatches();
    void ShowListing(CatchListing listing);
    void ClearPreview();
    void ShowPicture(int index);
    void ReportProblem(const WorkspaceResult& result);
    void ReportProblems(const std::vector<std::string>& problems);
    void SetWindowHeight(int height);
    std::filesystem::path PicturePath(const std::string& name) const;
    // The report window set to report `tag` (0 catch book, 1 cost list,
    // 2 year summary); none, after saying so, when `table` has no rows.
    TfrmAuswerten* ReportWindow(int tag, const TMlbc& table);

    Workspace workspace_;
    FormSet forms_;
    bool shownOnce_ = false;

    CatchListModel* model_ = nullptr;
    QTableView* ListView1 = nullptr;
    QComboBox* cb_faenger = nullptr;
    QComboBox* cb_jahr = nullptr;
    QComboBox* cb_fischart = nullptr;
    QLabel* anzahlfische = nullptr;
    QLabel* fischgewicht = nullptr;
    QLabel* fischlaenge = nullptr;
    QLabel* dgewicht = nullptr;
    QLabel* dlaenge = nullptr;
    QLabel* l_maxgewicht = nullptr;
    QLabel* l_maxlaenge = nullptr;
    QLabel* lb_angelkosten = nullptr;
    QLabel* lb_angelzeit = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QFrame* detailArea_ = nullptr;
    QLabel* Bild = nullptr;
    QLabel* im_left = nullptr;
    QToolButton* bildzurueck = nullptr;
    QToolButton* bildvor = nullptr;
    QLabel* detfisch = nullptr;
    QLabel* detdatum = nullptr;
    QLabel* detgew = nullptr;
    QLabel* detkoeder = nullptr;
    QDialog* bigPicture_ = nullptr;
    QLabel* bigPictureImage_ = nullptr;

    QMenu* Statistik1 = nullptr;
    QMenu* Karte1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    // The picture list of the selected catch (the invisible ListBox1) and
    // the index of the picture shown.
    std::vector<std::string> pictures_;
    int pictureIndex_ = 0;
    bool pictureShown_ = false;
};

} // namespace zv
