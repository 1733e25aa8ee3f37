// Renders the statistics window's three tabs and the catch recommendation
// over a catch log of several seasons to PNG files (tests/ui/screens), so a
// person can look at them.

#include "UiTestSupport.h"

#include "base/AtomicFile.h"
#include "statistics/ui/TfrmStatistik.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QTabWidget>

#include <random>
#include <set>

namespace zv::test {
namespace {

struct Species {
    const char* name;
    int minLength, maxLength; // cm
    double factor;            // weight in g ≈ factor × length³ / 100
};

const Species kSpecies[] = {
    {"Hecht", 45, 105, 0.75}, {"Barsch", 15, 42, 1.3},   {"Zander", 35, 85, 0.85},
    {"Karpfen", 40, 85, 1.6}, {"Aal", 45, 90, 0.2},      {"Bachforelle", 22, 48, 1.1},
    {"Schleie", 25, 50, 1.4}, {"Brachsen", 30, 60, 1.2}, {"Rotauge", 15, 32, 1.2},
    {"Döbel", 25, 55, 1.1},   {"Wels", 80, 190, 0.6},    {"Rapfen", 40, 75, 0.9},
    {"Äsche", 25, 45, 0.95},  {"Quappe", 30, 60, 0.7},
};

const char* const kBaits[][2] = {{"Wobbler", "Kunstköder"},    {"Gummifisch", "Kunstköder"},
                                 {"Spinner", "Kunstköder"},    {"Blinker", "Kunstköder"},
                                 {"Tauwurm", "Naturköder"},    {"Maden", "Naturköder"},
                                 {"Mais", "Naturköder"},       {"Boilie", "Naturköder"},
                                 {"Köderfisch", "Naturköder"}, {"Jig", "Kunstköder"}};
const char* const kColours[] = {"Feuertiger", "Silber", "Gold", "Weiß",   "Barschdekor",
                                "Motoroil",   "Rot",    "Grün", "Schwarz"};
const char* const kBaitLengths[] = {"5", "7", "9", "12", "15"};
const char* const kBehaviours[] = {"schwimmend", "sinkend", "schwebend"};
const char* const kWaters[] = {"Rhein", "Möhnesee", "Elbe", "Mosel", "Baggersee Nord", "Kanal"};
const char* const kWeather[] = {"sonnig",      "bewölkt",  "bedeckt", "Regen",
                                "Nieselregen", "Gewitter", "Nebel"};
const char* const kWindDirections[] = {"N", "NO", "O", "SO", "S", "SW", "W", "NW", "-"};
const char* const kWindStrengths[] = {
    "Windstill",      "Leiser Zug",         "Leichte Brise", "Schwache Brise",   "Mäßige Brise",
    "Frische Brise",  "Starker Wind",       "Steifer Wind",  "Stürmischer Wind", "Sturm",
    "Schwerer Sturm", "Orkanartiger Sturm", "Orkan"};
const char* const kTurbidity[] = {"klar", "leicht trüb", "trüb", "sehr trüb"};
const char* const kLevels[] = {"niedrig", "normal", "hoch"};
const char* const kMoon[] = {"Neumond", "Zunehmender Mond", "Vollmond", "Abnehmender Mond"};

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// Four hundred catches of two anglers over five seasons, spread the way a
// real catch log is: pike and perch often, wels rarely, more in summer.
std::vector<CatchRow> SeasonCatches() {
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto skewed = [&](int n) { return std::min(pick(n), pick(n)); };
    std::vector<CatchRow> rows;
    for (int i = 0; i < 400; ++i) {
        const Species& species = kSpecies[skewed(std::size(kSpecies))];
        const int length = species.minLength + pick(species.maxLength - species.minLength + 1);
        const double weight = species.factor * length * length * length / 100.0;
        const int month = 3 + pick(8) - (pick(6) == 0 ? 2 : 0);
        const int bait = skewed(std::size(kBaits));
        CatchRow row;
        row["Fangdatum"] =
            TwoDigits(1 + pick(28)) + "." + TwoDigits(month) + "." + std::to_string(2005 + pick(5));
        row["Fangzeit"] = TwoDigits((5 + skewed(17)) % 24) + ":" + TwoDigits(pick(60)) + ":00";
        row["Faenger"] = pick(3) == 0 ? "Eva Brandt" : "Jan Kowalski";
        row["Fischart"] = species.name;
        row["Laenge"] = std::to_string(length);
        row["Gewicht"] = std::to_string(static_cast<int>(weight / 10) * 10);
        row["Koeder"] = kBaits[bait][0];
        row["Koedertyp"] = kBaits[bait][1];
        row["KoederFarbe"] = kColours[skewed(std::size(kColours))];
        row["KoederLaenge"] = kBaitLengths[pick(std::size(kBaitLengths))];
        row["Koederverhalten"] = kBehaviours[skewed(std::size(kBehaviours))];
        row["Gewaesser"] = kWaters[skewed(std::size(kWaters))];
        row["Wetter"] = kWeather[skewed(std::size(kWeather))];
        row["Lufttemp"] = std::to_string(4 + month + pick(12));
        row["Wassertemp"] = std::to_string(4 + month + pick(6));
        row["Luftdruck"] = std::to_string(1000 + skewed(30));
        row["Windrichtung"] = kWindDirections[pick(std::size(kWindDirections))];
        row["Windstaerke"] = kWindStrengths[skewed(7)];
        row["Wassertruebung"] = kTurbidity[skewed(std::size(kTurbidity))];
        row["Wasserstand"] = kLevels[pick(std::size(kLevels))];
        row["Mondphase"] = kMoon[pick(std::size(kMoon))];
        rows.push_back(row);
    }
    return rows;
}

template <std::size_t N> std::vector<std::string> Lines(const char* const (&texts)[N]) {
    return {std::begin(texts), std::end(texts)};
}

class StatisticsScreenshotTest : public ProgramTest {
protected:
    void SetUp() override {
        WriteCatchDatabase(Folder() / "Fang.f", SeasonCatches());
        WriteTextFile(Folder() / "Zelvorin.ini",
                      {"[Datenbank]", "Zelvorin=" + PathToUtf8(Folder() / "Fang.f")});
        std::vector<std::string> species;
        for (const Species& s : kSpecies) {
            species.push_back(s.name);
        }
        std::vector<std::string> baits;
        for (const auto& bait : kBaits) {
            baits.push_back(bait[0]);
        }
        const auto dats = Folder() / "DATs";
        WriteTextFile(dats / "Faenger.dat", {"Jan Kowalski", "Eva Brandt"});
        WriteTextFile(dats / "Fischarten.dat", species);
        WriteTextFile(dats / "Koeder.dat", baits);
        WriteTextFile(dats / "Koederfarbe.dat", Lines(kColours));
        WriteTextFile(dats / "Koederlaenge.dat", Lines(kBaitLengths));
        WriteTextFile(dats / "Gewaesser.dat", Lines(kWaters));
        WriteTextFile(dats / "Wetter.dat", Lines(kWeather));
        WriteTextFile(dats / "Windrichtung.dat", Lines(kWindDirections));
        WriteTextFile(dats / "Windstaerke.dat", Lines(kWindStrengths));
        WriteTextFile(dats / "Wassertruebung.dat", Lines(kTurbidity));
        WriteTextFile(dats / "Wasserstand.dat", Lines(kLevels));
    }

    TfrmStatistik& Stat() const {
        return *main_->Forms().Get<TfrmStatistik>(QStringLiteral("TfrmStatistik"));
    }
    void Choose(const char* name, const QString& text, void (TfrmStatistik::*handler)()) {
        auto* box = Stat().findChild<QComboBox*>(name);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << name << ": " << text.toStdString();
        box->setCurrentIndex(index);
        (Stat().*handler)();
    }
    void Render(int tab, const std::string& name) {
        Stat().findChild<QTabWidget*>("PageControl1")->setCurrentIndex(tab);
        QApplication::processEvents();
        ExpectPainted(RenderToPng(Stat(), name), Stat().size());
    }
    static void ExpectPainted(const std::filesystem::path& png, QSize size) {
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(png.string())));
        EXPECT_EQ(image.size(), size);
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_GT(colours.size(), 11u); // at least the eleven chart colours
    }
};

TEST_F(StatisticsScreenshotTest, ThreeTabsOfFiveSeasons) {
    Start();
    // Shown as the user sees it: the years filled, then chosen.
    Stat().SetCatcherFilter({});
    Stat().show();
    Choose("cb_fischjahr", "- Alle -", &TfrmStatistik::cb_fischjahrChange);
    Render(0, "statistik_fischart");
    Choose("cb_koederjahr", "2007", &TfrmStatistik::cb_koederjahrChange);
    Choose("cb_koedertyp", "Kunstköder", &TfrmStatistik::cb_koedertypChange);
    Render(1, "statistik_koeder");
    Choose("cb_wetterjahr", "- Alle -", &TfrmStatistik::cb_wetterjahrChange);
    Render(2, "statistik_wetter");
    EXPECT_TRUE(prompts_.Texts(PromptKind::Error).isEmpty());
}

TEST_F(StatisticsScreenshotTest, Recommendation) {
    Start();
    bool rendered = false;
    modal_.On("frmFangempfehlung", [&](QDialog& window) {
        QApplication::processEvents();
        ExpectPainted(RenderToPng(window, "fangempfehlung"), window.size());
        rendered = true;
    });
    Stat().Open(TfrmStatistik::kRecommendation);
    EXPECT_TRUE(rendered);
}

} // namespace
} // namespace zv::test
