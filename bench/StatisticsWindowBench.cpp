// The statistics window over a catch database of 100,000 catches: choosing a
// year on the species tab refills the species drop-down, computes the tab and
// shows its six lists and six pie charts.

#include "WindowBenchSupport.h"
#include "app/Startup.h"
#include "app/TfrmMain.h"
#include "statistics/ui/TfrmStatistik.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"
#include "widgets/ModalShow.h"
#include "widgets/ScriptedPrompts.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kCatches = 100000;
constexpr int kListSize = 50;

using zv::bench::TwoDigits;

std::vector<std::string> NumberedList(const std::string& stem) {
    std::vector<std::string> lines;
    for (int i = 1; i <= kListSize; ++i) {
        lines.push_back(stem + " " + std::to_string(i));
    }
    return lines;
}

// A program folder with 100,000 catches by three anglers over ten years and
// value lists of 50 entries each, so every list has more than ten rows.
const std::filesystem::path& ProgramFolder() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "zv_statistics_window_bench";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path / "DATs");
        const char* lists[][2] = {{"Fischarten", "Fisch"},  {"Koeder", "Köder"},
                                  {"Wetter", "Wetter"},     {"Gewaesser", "See"},
                                  {"Koederfarbe", "Farbe"}, {"Koederlaenge", "Länge"}};
        std::string error;
        for (const auto& list : lists) {
            if (!zv::WriteValueList(path, list[0], NumberedList(list[1]), error)) {
                throw std::runtime_error(error);
            }
        }
        const char* phases[] = {"Neumond", "Zunehmender Mond", "Vollmond", "Abnehmender Mond"};
        const char* catchers[] = {"Max", "Eva", "Jörg"};
        std::mt19937 random(20070602);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        auto entry = [&](const std::string& stem) {
            return stem + " " + std::to_string(pick(kListSize) + 1);
        };
        auto db = zv::MakeEmptyTable(zv::CatchFields());
        for (int i = 0; i < kCatches; ++i) {
            db->AppendRow();
            db->SetData("Fangdatum", TwoDigits(pick(28) + 1) + "." + TwoDigits(pick(12) + 1) + "." +
                                         std::to_string(2000 + pick(10)));
            db->SetData("Fangzeit", TwoDigits(pick(24)) + ":" + TwoDigits(pick(60)) + ":" +
                                        TwoDigits(pick(60)));
            db->SetData("Faenger", catchers[pick(3)]);
            db->SetData("Fischart", entry("Fisch"));
            db->SetData("Laenge", pick(4) == 0 ? "" : std::to_string(20 + pick(80)) + ",5");
            db->SetData("Gewicht", pick(4) == 0 ? "" : std::to_string(100 + pick(9000)));
            db->SetData("Koeder", entry("Köder"));
            db->SetData("Gewaesser", entry("See"));
            db->SetData("Wetter", entry("Wetter"));
            db->SetData("Mondphase", phases[pick(4)]);
        }
        zv::bench::WriteCatchDatabase(path, *db);
        return path;
    }();
    return folder;
}

// The statistics window of a started program, shown with its years filled.
struct OpenWindow {
    zv::ScriptedPrompts prompts;
    std::unique_ptr<zv::TfrmMain> main;
    zv::TfrmStatistik* window = nullptr;
    QComboBox* years = nullptr;

    OpenWindow() {
        zv::bench::OffscreenApp();
        main = zv::CreateForms(ProgramFolder());
        main->show();
        QApplication::processEvents();
        window = main->Forms().Get<zv::TfrmStatistik>(QStringLiteral("TfrmStatistik"));
        window->show(); // runs FormShow: the years of all catches
        QApplication::processEvents();
        years = window->findChild<QComboBox*>("cb_fischjahr");
    }
    // Picks the next year (2009, 2008, …) as the user would.
    void ChooseNextYear(int& index) {
        index = index % (years->count() - 1) + 1;
        years->setCurrentIndex(index);
        window->cb_fischjahrChange();
    }
};

// Choosing a year: the species drop-down refilled, the computation, six
// lists and six pie charts.
void BM_SpeciesTabYearChoice(benchmark::State& state) {
    OpenWindow open;
    int index = 0;
    for (auto _ : state) {
        open.ChooseNextYear(index);
    }
    state.counters["rows"] = open.main->GetWorkspace().DB().RowCount();
}
BENCHMARK(BM_SpeciesTabYearChoice)->Unit(benchmark::kMillisecond)->Iterations(20);

// The same choice until the window has repainted what changed.
void BM_SpeciesTabYearChoicePainted(benchmark::State& state) {
    OpenWindow open;
    int index = 0;
    for (auto _ : state) {
        open.ChooseNextYear(index);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SpeciesTabYearChoicePainted)->Unit(benchmark::kMillisecond)->Iterations(20);

// The heaviest choice: "- Alle -", every catch of the table in the tab.
void BM_SpeciesTabAllYearsChoice(benchmark::State& state) {
    OpenWindow open;
    for (auto _ : state) {
        open.years->setCurrentIndex(0);
        open.window->cb_fischjahrChange();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SpeciesTabAllYearsChoice)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
