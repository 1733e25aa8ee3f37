#pragma once

#include "statistics/RecordCatch.h"
#include "statistics/Tally.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace zv {

class RecordLabel;
class TallyListView;
class WindowHost;

// "Statistik": the three catch statistics (species, bait, weather) as lists
// with a pie chart beside each, the list rows coloured like the slices. It
// also hosts the catch recommendation. Created once, shown modally from the
// main window; between openings it keeps what it showed.
class TfrmStatistik : public QDialog {
    Q_OBJECT
public:
    // The window's mode (its Tag): normal statistics or only the catch
    // recommendation.
    static constexpr int kNormal = 0;
    static constexpr int kRecommendation = 2;

    TfrmStatistik(WindowHost& main, QWidget* parent);

    // The catcher every computation and the year lists are restricted to;
    // empty for all catchers. Set by the opener.
    void SetCatcherFilter(const std::string& catcher) { catcher_ = catcher; }
    const std::string& CatcherFilter() const { return catcher_; }
    int Tag() const { return tag_; }

    // Makes the first tab active and shows the window in that mode. In
    // recommendation mode only the recommendation window appears, and the
    // statistics window is closed again when it is; if the recommendation
    // cannot be computed, the message is shown and the statistics window
    // opens normally.
    void Open(int mode);

    // Fills the three year drop-downs afresh, nothing selected anywhere, and
    // names the catcher in the caption. Results of another catcher are not
    // left standing: the tabs are computed anew for this one, all years.
    void FormShow();

    // The drop-downs' handlers (run when the user picks an entry).
    void cb_fischjahrChange();
    void cb_fischartChange();
    void cb_koederjahrChange();
    void cb_koedertypChange();
    void cb_koederChange();
    void cb_wetterjahrChange();
    void cb_wetterfischartChange();
    // Open the catch details of the tab's record catch.
    void lb_rekordClick();
    void lb_koederrekordClick();

    // The table rows of the record catches the last computations found, 0
    // when there is none.
    int SpeciesRecordRow() const { return speciesRecord_ ? speciesRecord_->row : 0; }
    int BaitRecordRow() const { return baitRecord_ ? baitRecord_->row : 0; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A list and the chart beside it.
    struct TallyView {
        TallyListView* list = nullptr;
        QLabel* chart = nullptr;
    };
    struct ViewLayout;

    void BuildSpeciesTab(QWidget* page);
    void BuildBaitTab(QWidget* page);
    void BuildWeatherTab(QWidget* page);
    std::vector<TallyView> BuildViews(QWidget* page, const ViewLayout* layouts, std::size_t count);
    QComboBox* AddChoice(QWidget* page, const char* caption, const char* name, int x, int y,
                         int width);
    QLabel* AddTotal(QWidget* page, const char* panelName, const char* caption,
                     const char* valueName, const QColor& background, int x, int y, int width,
                     bool bold);

    void ComputeSpecies();
    void ComputeBait();
    void ComputeWeather();
    void ShowTallies(std::vector<TallyView>& views, const std::vector<const Tally*>& tallies);
    void OpenRecord(const std::optional<RecordCatch>& record);
    bool RunRecommendation();

    WindowHost& main_;
    std::string catcher_;
    // Per tab, the catcher its results were computed for; none before the
    // first computation.
    std::optional<std::string> speciesFor_;
    std::optional<std::string> baitFor_;
    std::optional<std::string> weatherFor_;
    int tag_ = kNormal;
    std::optional<RecordCatch> speciesRecord_;
    std::optional<RecordCatch> baitRecord_;

    QTabWidget* PageControl1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    QComboBox* cb_fischjahr = nullptr;
    QComboBox* cb_fischart = nullptr;
    RecordLabel* lb_rekord = nullptr;
    QLabel* lb_gefangeneFische = nullptr;
    QLabel* lb_laenge = nullptr;
    QLabel* lb_gewicht = nullptr;
    std::vector<TallyView> speciesViews_;

    QComboBox* cb_koederjahr = nullptr;
    QComboBox* cb_koedertyp = nullptr;
    QComboBox* cb_koeder = nullptr;
    RecordLabel* lb_koederrekord = nullptr;
    QLabel* lb_koedergefangenefische = nullptr;
    QLabel* lb_koederlaenge = nullptr;
    QLabel* lb_koedergewicht = nullptr;
    std::vector<TallyView> baitViews_;

    QComboBox* cb_wetterjahr = nullptr;
    QComboBox* cb_wetterfischart = nullptr;
    std::vector<TallyView> weatherViews_;
};

} // namespace zv
