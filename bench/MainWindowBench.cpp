// The main window with a large catch database: filling the unfiltered list
// and starting the program up to the shown main window.

#include "WindowBenchSupport.h"
#include "app/Startup.h"
#include "app/TfrmMain.h"
#include "base/AtomicFile.h"
#include "catchlog/CatchList.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "widgets/ScriptedPrompts.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kCatches = 100000;

using zv::bench::TwoDigits;

// A program folder with a catch database of 100,000 generated catches by
// five anglers over twenty years, and its settings.
const std::filesystem::path& ProgramFolder() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "zv_main_window_bench";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path / "DATs");
        const char* const anglers[] = {"Jan", "Eva", "Ole", "Mia", "Tom"};
        const char* const species[] = {"Hecht", "Barsch", "Zander", "Karpfen", "Aal", "Forelle"};
        const char* const waters[] = {"Rhein", "Möhnesee", "Elbe", "Mosel"};
        auto db = zv::MakeEmptyTable(zv::CatchFields());
        for (int i = 0; i < kCatches; ++i) {
            db->AppendRow();
            const int day = 1 + (i * 7) % 28;
            const int month = 1 + (i * 5) % 12;
            const int year = 2000 + (i * 3) % 20;
            db->SetData("Fangdatum",
                        TwoDigits(day) + "." + TwoDigits(month) + "." + std::to_string(year));
            db->SetData("Fangzeit", TwoDigits(i % 24) + ":" + TwoDigits(i % 60) + ":00");
            db->SetData("Angelbeginn", TwoDigits(4 + i % 5) + ":00:00");
            db->SetData("Angelende", TwoDigits(10 + i % 7) + ":30:00");
            db->SetData("Faenger", anglers[i % 5]);
            db->SetData("Fischart", species[i % 6]);
            db->SetData("Laenge", std::to_string(20 + i % 80) + ",5");
            db->SetData("Gewicht", std::to_string(100 + (i * 13) % 9000));
            db->SetData("Gewaesser", waters[i % 4]);
            db->SetData("Koeder", "Wobbler");
            db->SetData("Bilder", "0506200718420757_0.jpg");
        }
        zv::bench::WriteCatchDatabase(path, *db);
        std::ofstream anglerList(path / "DATs" / "Faenger.dat", std::ios::binary);
        for (const char* angler : anglers) {
            anglerList << angler << "\r\n";
        }
        return path;
    }();
    return folder;
}

// Creating the twenty windows, loading the settings and the database and
// showing the main window with its last ten catches.
void BM_StartUpToShownMainWindow(benchmark::State& state) {
    zv::bench::OffscreenApp();
    const auto& folder = ProgramFolder();
    zv::ScriptedPrompts prompts;
    for (auto _ : state) {
        std::unique_ptr<zv::TfrmMain> main = zv::CreateForms(folder);
        main->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(main->GetWorkspace().DB().RowCount());
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShownMainWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// ShowCatchList with every filter off: all 100,000 catches listed, sorted
// and summed, the panels set and the view repainted.
void BM_ShowCatchListAllFiltersOff(benchmark::State& state) {
    zv::bench::OffscreenApp();
    zv::ScriptedPrompts prompts;
    std::unique_ptr<zv::TfrmMain> main = zv::CreateForms(ProgramFolder());
    main->show();
    QApplication::processEvents();
    auto* angler = main->findChild<QComboBox*>("cb_faenger");
    angler->setCurrentIndex(0); // "- Alle -"
    for (auto _ : state) {
        main->ShowCatchList();
        QApplication::processEvents();
    }
    state.counters["rows"] = main->GetWorkspace().DB().RowCount();
}
BENCHMARK(BM_ShowCatchListAllFiltersOff)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same listing in the engine alone, without the window.
void BM_ListCatchesEngine(benchmark::State& state) {
    zv::TMlbc db;
    db.LoadFromFile(zv::PathToUtf8(ProgramFolder() / "Fang.f"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::ListCatches(db, {}).rows.size());
    }
}
BENCHMARK(BM_ListCatchesEngine)->Unit(benchmark::kMillisecond);

} // namespace
