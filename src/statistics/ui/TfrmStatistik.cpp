#include "statistics/ui/TfrmStatistik.h"

#include "base/DateTime.h"
#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "statistics/CatchRecommendation.h"
#include "statistics/CatchStatistics.h"
#include "statistics/PieChart.h"
#include "statistics/StatisticsCategories.h"
#include "statistics/StatisticsChoices.h"
#include "statistics/StatisticsText.h"
#include "statistics/ui/RecordLabel.h"
#include "statistics/ui/TallyListView.h"
#include "statistics/ui/TfrmFangempfehlung.h"
#include "widgets/CenteredTabWidget.h"
#include "widgets/ElidingComboBox.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/ModalShow.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

namespace zv {

namespace {

constexpr int kClientWidth = 710;
constexpr int kClientHeight = 669;
// The record texts on the tabs' top right corner, in the 8-point font: six
// lines of the species record, five of the bait record.
constexpr int kRecordLeft = 516;
constexpr int kPageWidth = 706;
constexpr int kSpeciesRecordHeight = 80;
constexpr int kBaitRecordHeight = 65;

// What a record label says when the selection has no catch that weighs
// anything: there is nothing to open then.
constexpr const char* kNoRecord = "Kein Fang mit Gewicht";

// The year a year drop-down stands for: 0 for "- Alle -" or nothing.
int YearOf(const QComboBox* box) {
    const std::string text = ToUtf8(box->currentText());
    return text.empty() || text == AllEntry ? 0 : StrToIntDe(text);
}

void FillChoices(QComboBox* box, const std::vector<std::string>& items) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& item : items) {
        texts << ToQ(item);
    }
    box->clear();
    box->addItems(texts);
    box->setCurrentIndex(-1);
}

// Whether the row still holds the catch the record text describes: the
// catch table may have changed since the tab was computed.
bool HoldsRecord(TMlbc& db, const RecordCatch& record) {
    if (record.row < 1 || !db.GoToRow(record.row)) {
        return false;
    }
    double weight = 0;
    TDateTime date = 0;
    TDateTime time = 0;
    return db.GetData("Fischart") == record.species &&
           TryStrToFloatDe(db.GetData("Gewicht"), weight) && weight == record.weight &&
           TryStrToDate(db.GetData("Fangdatum"), date) && date == record.date &&
           TryStrToTime(db.GetData("Fangzeit"), time) && time == record.time;
}

} // namespace

// One list with its chart: where they sit on the tab and the list's columns.
struct TfrmStatistik::ViewLayout {
    const char* list;
    int x, y, width, height;
    const char* countCaption;
    int countWidth; // 0: the default width
    const char* labelCaption;
    int labelWidth;
    const char* chart;
    int chartX, chartY, chartWidth, chartHeight;
};

TfrmStatistik::TfrmStatistik(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmStatistik"));
    setWindowTitle(QStringLiteral("Statistik"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // The lists and charts are small: the whole window uses an 8-point font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    PageControl1 = new CenteredTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 0, kClientWidth, 633);
    const char* const pages[][2] = {
        {"TabSheet1", "Fischart"}, {"TabSheet2", "Köder"}, {"TabSheet3", "Wetter"}};
    for (const auto& [name, caption] : pages) {
        auto* page = new QWidget();
        page->setObjectName(U8(name));
        page->setAutoFillBackground(true);
        page->setPalette(white);
        PageControl1->addTab(page, U8(caption));
    }
    BuildSpeciesTab(PageControl1->widget(0));
    BuildBaitTab(PageControl1->widget(1));
    BuildWeatherTab(PageControl1->widget(2));

    BitBtn1 =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), U8("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    // Wide enough for the glyph and the caption in this font.
    BitBtn1->setGeometry(310, 640, 90, 25);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(kClientWidth, kClientHeight);
}

QComboBox* TfrmStatistik::AddChoice(QWidget* page, const char* caption, const char* name, int x,
                                    int y, int width) {
    auto* label = new QLabel(U8(caption), page);
    label->adjustSize();
    label->move(x, y + 4);
    auto* box = new ElidingComboBox(page);
    box->setObjectName(U8(name));
    box->setMaxVisibleItems(20);
    box->setGeometry(x + label->width() + 4, y, width, 22);
    return box;
}

QLabel* TfrmStatistik::AddTotal(QWidget* page, const char* panelName, const char* caption,
                                const char* valueName, const QColor& background, int x, int y,
                                int width, bool bold) {
    auto* panel = new QFrame(page);
    panel->setObjectName(U8(panelName));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette colour = panel->palette();
    colour.setColor(QPalette::Window, background);
    panel->setPalette(colour);
    panel->setGeometry(x, y, width, 24);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 0, 6, 0);
    layout->addWidget(new QLabel(U8(caption), panel));
    auto* value = new QLabel(QStringLiteral("0"), panel);
    value->setObjectName(U8(valueName));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (bold) {
        QFont font = value->font();
        font.setBold(true);
        value->setFont(font);
    }
    layout->addWidget(value, 1);
    return value;
}

std::vector<TfrmStatistik::TallyView>
TfrmStatistik::BuildViews(QWidget* page, const ViewLayout* layouts, std::size_t count) {
    std::vector<TallyView> views;
    for (std::size_t i = 0; i < count; ++i) {
        const ViewLayout& layout = layouts[i];
        TallyView view;
        view.list = new TallyListView(U8(layout.list), U8(layout.countCaption), layout.countWidth,
                                      U8(layout.labelCaption), layout.labelWidth, page);
        view.list->setGeometry(layout.x, layout.y, layout.width, layout.height);
        view.chart = new QLabel(page);
        view.chart->setObjectName(U8(layout.chart));
        view.chart->setGeometry(layout.chartX, layout.chartY, layout.chartWidth,
                                layout.chartHeight);
        views.push_back(view);
    }
    return views;
}

void TfrmStatistik::BuildSpeciesTab(QWidget* page) {
    cb_fischjahr = AddChoice(page, "Jahr:", "cb_fischjahr", 4, 4, 97);
    cb_fischart = AddChoice(page, "Fischart:", "cb_fischart", 150, 4, 141);
    auto* caption = new QLabel(U8("Rekordfisch:"), page);
    caption->adjustSize();
    caption->move(512 - caption->width(), 2);
    // Six lines in the window's font: the record takes the corner up to the
    // tab's edge, and the moon list and chart below start under it.
    lb_rekord = new RecordLabel(QStringLiteral("lb_rekord"), page);
    lb_rekord->setGeometry(kRecordLeft, 0, kPageWidth - kRecordLeft, kSpeciesRecordHeight);

    const QColor grey(239, 239, 239);
    const QColor green(184, 223, 194);
    lb_gefangeneFische = AddTotal(page, "Panel4", " gefangene Fische:", "lb_gefangeneFische", grey,
                                  0, 38, 168, true);
    lb_laenge = AddTotal(page, "Panel2", " Ø Länge (cm):", "lb_laenge", green, 172, 38, 168, false);
    lb_gewicht =
        AddTotal(page, "Panel3", " Ø Gewicht (g):", "lb_gewicht", green, 344, 38, 168, false);

    static const ViewLayout layouts[] = {
        {"lv_koeder", 0, 70, 192, 187, "Fische:", 47, "Köder:", 115, "Image1", 194, 72, 161, 185},
        {"lv_wetter", 0, 261, 192, 171, "Fische:", 47, "Wetter:", 115, "Image5", 194, 261, 161,
         169},
        {"lv_zeit", 0, 434, 192, 171, "Fische:", 47, "Zeit:", 115, "Image6", 194, 434, 161, 169},
        {"lv_mond", 358, 82, 184, 137, "Fische:", 47, "Mond:", 110, "Image2", 544, 80, 158, 145},
        {"lv_gewaesser", 358, 222, 184, 179, "Fische:", 47, "Gewässer:", 110, "Image3", 544, 226,
         158, 169},
        {"lv_monat", 358, 404, 184, 200, "Fische:", 47, "Monat:", 110, "Image4", 544, 418, 158,
         169},
    };
    speciesViews_ = BuildViews(page, layouts, std::size(layouts));

    ConnectGuarded(cb_fischjahr, &QComboBox::activated, this, [this] { cb_fischjahrChange(); });
    ConnectGuarded(cb_fischart, &QComboBox::activated, this, [this] { cb_fischartChange(); });
    ConnectGuarded(lb_rekord, &RecordLabel::clicked, this, [this] { lb_rekordClick(); });
}

void TfrmStatistik::BuildBaitTab(QWidget* page) {
    cb_koederjahr = AddChoice(page, "Jahr:", "cb_koederjahr", 4, 4, 65);
    cb_koedertyp = AddChoice(page, "Ködertyp:", "cb_koedertyp", 112, 4, 141);
    cb_koeder = AddChoice(page, "Köder:", "cb_koeder", 318, 4, 157);
    auto* heading = new QLabel(U8("Rekordfisch"), page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->adjustSize();
    heading->move(630, 0);
    // Five lines under the heading, so a long species is not drawn under
    // it; the last one reaches into the blank margin above the colour chart.
    lb_koederrekord = new RecordLabel(QStringLiteral("lb_koederrekord"), page);
    lb_koederrekord->setGeometry(kRecordLeft, heading->height() + 1, kPageWidth - kRecordLeft,
                                 kBaitRecordHeight);

    const QColor grey(239, 239, 239);
    const QColor green(184, 223, 194);
    lb_koedergefangenefische = AddTotal(
        page, "Panel16", " gefangene Fische:", "lb_koedergefangenefische", grey, 1, 30, 168, true);
    lb_koederlaenge =
        AddTotal(page, "Panel11", " Ø Länge (cm):", "lb_koederlaenge", green, 173, 30, 168, false);
    lb_koedergewicht = AddTotal(page, "Panel15", " Ø Gewicht (g):", "lb_koedergewicht", green, 345,
                                30, 168, false);

    static const ViewLayout layouts[] = {
        {"lv_koederkoeder", 1, 56, 192, 129, "Anzahl:", 47, "Köder:", 115, "Image20", 194, 56, 161,
         129},
        {"lv_verhalten", 1, 188, 192, 97, "Anzahl:", 47, "Verhalten:", 115, "Image23", 194, 188,
         161, 97},
        {"lv_koederfischarten", 1, 288, 192, 105, "Anzahl:", 47, "Fischart:", 115, "Image7", 194,
         288, 161, 101},
        {"lv_koederwetter", 1, 396, 192, 97, "Fische:", 47, "Wetter:", 115, "Image8", 194, 396, 161,
         97},
        {"lv_koederzeit", 1, 496, 192, 108, "Fische:", 47, "Zeit:", 115, "Image9", 194, 496, 161,
         104},
        {"lv_koederfarbe", 358, 81, 184, 87, "Anzahl:", 47, "Farbe:", 110, "Image21", 544, 69, 158,
         101},
        {"lv_koederlaenge", 358, 170, 184, 99, "Anzahl:", 47, "Köderlänge:", 110, "Image22", 544,
         170, 158, 101},
        {"lv_koedermond", 358, 272, 184, 99, "Fische:", 47, "Mond:", 110, "Image10", 544, 272, 158,
         101},
        {"lv_koedergewaesser", 358, 374, 184, 103, "Fische:", 47, "Gewässer:", 110, "Image11", 544,
         374, 158, 103},
        {"lv_koedermonat", 358, 480, 184, 125, "Fische:", 47, "Monat:", 110, "Image12", 544, 480,
         158, 119},
    };
    baitViews_ = BuildViews(page, layouts, std::size(layouts));
    lb_koederrekord->raise();

    ConnectGuarded(cb_koederjahr, &QComboBox::activated, this, [this] { cb_koederjahrChange(); });
    ConnectGuarded(cb_koedertyp, &QComboBox::activated, this, [this] { cb_koedertypChange(); });
    ConnectGuarded(cb_koeder, &QComboBox::activated, this, [this] { cb_koederChange(); });
    ConnectGuarded(lb_koederrekord, &RecordLabel::clicked, this,
                   [this] { lb_koederrekordClick(); });
}

void TfrmStatistik::BuildWeatherTab(QWidget* page) {
    cb_wetterjahr = AddChoice(page, "Jahr:", "cb_wetterjahr", 4, 4, 97);
    cb_wetterfischart = AddChoice(page, "Fischart:", "cb_wetterfischart", 150, 4, 141);

    static const ViewLayout layouts[] = {
        {"lv_wetterltemp", 1, 32, 170, 157, "Anzahl:", 47, "L-Temp. (°C):", 85, "Image13", 176, 32,
         169, 153},
        {"lv_wetterwtemp", 1, 192, 170, 157, "Anzahl:", 47, "W-Temp. (°C):", 85, "Image14", 176,
         192, 169, 153},
        {"lv_wetterwindrichtung", 1, 352, 170, 113, "Anzahl:", 0, "Windrichtung:", 85, "Image18",
         176, 352, 169, 113},
        {"lv_wetterwindstaerke", 0, 468, 170, 133, "Anzahl:", 0, "Windstärke:", 85, "Image19", 176,
         468, 169, 133},
        {"lv_wetterwasserstand", 348, 32, 168, 143, "Anzahl:", 0, "Wasserstand:", 85, "Image15",
         520, 32, 182, 145},
        {"lv_wettertruebung", 348, 178, 168, 175, "Anzahl:", 0, "Trübung:", 85, "Image16", 520, 184,
         182, 161},
        {"lv_wetterluftdruck", 348, 356, 168, 245, "Anzahl:", 0, "Luftdruck (hPa):", 88, "Image17",
         520, 384, 182, 185},
    };
    weatherViews_ = BuildViews(page, layouts, std::size(layouts));

    ConnectGuarded(cb_wetterjahr, &QComboBox::activated, this, [this] { cb_wetterjahrChange(); });
    ConnectGuarded(cb_wetterfischart, &QComboBox::activated, this,
                   [this] { cb_wetterfischartChange(); });
}

void TfrmStatistik::Open(int mode) {
    PageControl1->setCurrentIndex(0);
    tag_ = mode;
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    if (tag_ == kRecommendation) {
        const bool shown = RunRecommendation();
        // The statistics window closes by itself once the recommendation
        // is closed; it only opens when the recommendation failed.
        tag_ = kNormal;
        if (shown) {
            return;
        }
    }
    ShowModal(*this);
}

bool TfrmStatistik::RunRecommendation() {
    std::vector<RecommendationRow> rows;
    try {
        rows = CatchRecommendation(main_.GetWorkspace().DB(), main_.GetWorkspace().ProgramFolder());
    } catch (const std::exception& error) {
        ReportHandlerError(error);
        return false;
    }
    // Over the main window, the way every window of the program opens.
    TfrmFangempfehlung window(rows, BitBtn1->icon(), parentWidget());
    ShowModal(window);
    return true;
}

void TfrmStatistik::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmStatistik::FormShow() {
    for (QComboBox* box : {cb_fischjahr, cb_fischart, cb_koederjahr, cb_koedertyp, cb_koeder,
                           cb_wetterjahr, cb_wetterfischart}) {
        box->setCurrentIndex(-1);
    }
    // A catch date that is not valid leaves no years to choose rather than
    // the years of another opening.
    for (QComboBox* box : {cb_fischjahr, cb_koederjahr, cb_wetterjahr}) {
        box->clear();
    }
    setWindowTitle(catcher_.empty() ? QStringLiteral("Statistik")
                                    : QStringLiteral("Statistik – ") + ToQ(catcher_));
    const std::vector<std::string> years = YearChoices(main_.GetWorkspace().DB(), catcher_);
    for (QComboBox* box : {cb_fischjahr, cb_koederjahr, cb_wetterjahr}) {
        FillChoices(box, years);
    }
    auto other = [this](const std::optional<std::string>& computedFor) {
        return computedFor && *computedFor != catcher_;
    };
    if (other(speciesFor_)) {
        Guarded([this] { ComputeSpecies(); });
    }
    if (other(baitFor_)) {
        Guarded([this] { ComputeBait(); });
    }
    if (other(weatherFor_)) {
        Guarded([this] { ComputeWeather(); });
    }
}

void TfrmStatistik::cb_fischjahrChange() {
    FillChoices(cb_fischart,
                SpeciesChoices(main_.GetWorkspace().DB(), YearOf(cb_fischjahr), false));
    ComputeSpecies();
}

void TfrmStatistik::cb_fischartChange() {
    ComputeSpecies();
}

void TfrmStatistik::cb_koederjahrChange() {
    FillChoices(cb_koedertyp, BaitTypeChoices(main_.GetWorkspace().DB(), YearOf(cb_koederjahr)));
    ComputeBait();
}

void TfrmStatistik::cb_koedertypChange() {
    FillChoices(cb_koeder, BaitChoices(main_.GetWorkspace().DB(),
                                       ToUtf8(cb_koedertyp->currentText()), YearOf(cb_koederjahr)));
    ComputeBait();
}

void TfrmStatistik::cb_koederChange() {
    ComputeBait();
}

void TfrmStatistik::cb_wetterjahrChange() {
    FillChoices(cb_wetterfischart,
                SpeciesChoices(main_.GetWorkspace().DB(), YearOf(cb_wetterjahr), true));
    ComputeWeather();
}

void TfrmStatistik::cb_wetterfischartChange() {
    ComputeWeather();
}

void TfrmStatistik::ComputeSpecies() {
    Workspace& workspace = main_.GetWorkspace();
    const SpeciesResult result =
        SpeciesStatistics(workspace.DB(), workspace.ProgramFolder(), catcher_, YearOf(cb_fischjahr),
                          ToUtf8(cb_fischart->currentText()));
    lb_gefangeneFische->setText(QString::number(result.count));
    lb_laenge->setText(ToQ(FormatAverage(result.lengthSum, result.count)));
    lb_gewicht->setText(ToQ(FormatAverage(result.weightSum, result.count)));
    speciesFor_ = catcher_;
    speciesRecord_ = result.record;
    lb_rekord->ShowRecord(result.record ? ToQ(SpeciesRecordText(*result.record)) : U8(kNoRecord),
                          result.record.has_value());
    ShowTallies(speciesViews_, {&result.bait, &result.weather, &result.hour, &result.moon,
                                &result.water, &result.month});
}

void TfrmStatistik::ComputeBait() {
    Workspace& workspace = main_.GetWorkspace();
    const BaitResult result =
        BaitStatistics(workspace.DB(), workspace.ProgramFolder(), catcher_, YearOf(cb_koederjahr),
                       ToUtf8(cb_koedertyp->currentText()), ToUtf8(cb_koeder->currentText()));
    lb_koedergefangenefische->setText(QString::number(result.count));
    lb_koederlaenge->setText(ToQ(FormatAverage(result.lengthSum, result.count)));
    lb_koedergewicht->setText(ToQ(FormatAverage(result.weightSum, result.count)));
    baitFor_ = catcher_;
    baitRecord_ = result.record;
    lb_koederrekord->ShowRecord(result.record ? ToQ(BaitRecordText(*result.record)) : U8(kNoRecord),
                                result.record.has_value());
    ShowTallies(baitViews_,
                {&result.bait, &result.behaviour, &result.species, &result.weather, &result.hour,
                 &result.colour, &result.baitLength, &result.moon, &result.water, &result.month});
}

void TfrmStatistik::ComputeWeather() {
    Workspace& workspace = main_.GetWorkspace();
    // The lists are emptied once the ranges stand: a bad weather number
    // leaves them as they were, a bad catch date of the selection empty.
    const WeatherResult result =
        WeatherStatistics(workspace.DB(), workspace.ProgramFolder(), catcher_,
                          YearOf(cb_wetterjahr), ToUtf8(cb_wetterfischart->currentText()), [this] {
                              for (TallyView& view : weatherViews_) {
                                  view.list->Empty();
                              }
                          });
    weatherFor_ = catcher_;
    ShowTallies(weatherViews_,
                {&result.airTemperature, &result.waterTemperature, &result.windDirection,
                 &result.windStrength, &result.waterLevel, &result.turbidity, &result.airPressure});
}

void TfrmStatistik::ShowTallies(std::vector<TallyView>& views,
                                const std::vector<const Tally*>& tallies) {
    for (std::size_t i = 0; i < views.size() && i < tallies.size(); ++i) {
        TallyView& view = views[i];
        view.list->ShowTally(*tallies[i]);
        view.chart->setPixmap(QPixmap::fromImage(
            DrawPieChart(PieValues(*tallies[i]), view.chart->width(), view.chart->height())));
    }
}

void TfrmStatistik::lb_rekordClick() {
    OpenRecord(speciesRecord_);
}

void TfrmStatistik::lb_koederrekordClick() {
    OpenRecord(baitRecord_);
}

void TfrmStatistik::OpenRecord(const std::optional<RecordCatch>& record) {
    if (!record || record->row < 1) {
        return;
    }
    if (!HoldsRecord(main_.GetWorkspace().DB(), *record)) {
        CurrentPrompts().Information(
            U8("Dieser Rekordfisch wurde inzwischen geändert oder gelöscht. Bitte wählen Sie "
               "das Jahr erneut aus, um den aktuellen Rekordfisch zu sehen."));
        return;
    }
    main_.ShowCatchDetails(record->row);
}

} // namespace zv
