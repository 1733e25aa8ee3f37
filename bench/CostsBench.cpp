// The cost overview and year summary on a large cost database: 100,000 cost
// rows in about 30,000 purchases at 300 shops over 25 years.

#include "base/DateTime.h"
#include "base/NumberText.h"
#include "costs/CostFields.h"
#include "costs/CostOverview.h"
#include "costs/CostSearch.h"
#include "costs/YearSummary.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kRows = 100000;

const zv::TMlbc& Costs() {
    static const std::unique_ptr<zv::TMlbc> table = [] {
        auto ak = zv::MakeEmptyTable(zv::CostFields());
        const char* const articles[] = {
            "Karpfenrute 3,60 m", "Freilaufrolle 6000",  "Monofile Schnur 0,30 mm",
            "Haken Gr. 6",        "Boilies Scopex 1 kg", "Wirbel mit Karabiner",
            "Bissanzeiger",       "Kescher 100 cm",      "Tauwürmer"};
        const zv::TDateTime first = zv::EncodeDate(2000, 1, 1);
        int rows = 0;
        for (int purchase = 0; rows < kRows; ++purchase) {
            const std::string date = zv::DateToStr(first + (purchase * 37) % 9100);
            const std::string shop = "Angelshop Nr. " + std::to_string(purchase % 300);
            const int count = 1 + (purchase * 7) % 5; // 3.0 articles on average
            for (int i = 0; i < count && rows < kRows; ++i, ++rows) {
                ak->AppendRow();
                ak->SetData(zv::kKaufdatum, date);
                ak->SetData(zv::kGeschaeft, shop);
                ak->SetData(zv::kArtikel, articles[(purchase + i) % 9]);
                const int quantity = 1 + i % 3;
                const double price = 0.5 + (purchase % 200) * 0.45;
                ak->SetData(zv::kMenge, std::to_string(quantity));
                ak->SetData(zv::kEinzelpreis, zv::FormatFixed2(price));
                ak->SetData(zv::kGesamtpreis, zv::FormatFixed2(price * quantity));
                ak->SetData(zv::kVersandkosten, i == 0 && purchase % 3 == 0 ? "4,90" : "");
            }
        }
        // The program holds the cost table as loaded from its file.
        const std::string file =
            (std::filesystem::temp_directory_path() / "zv-costs-bench.a").string();
        if (!ak->SaveToFile(file) || !ak->LoadFromFile(file)) {
            std::fprintf(stderr, "%s\n", ak->LastFailure().c_str());
            std::exit(1);
        }
        std::filesystem::remove(file);
        return ak;
    }();
    return *table;
}

const zv::TDateTime kNow = zv::EncodeDate(2024, 12, 1);

void BM_BuildPurchaseTreeAll(benchmark::State& state) {
    const zv::TMlbc& ak = Costs();
    std::size_t purchases = 0;
    for (auto _ : state) {
        const zv::PurchaseTree tree = zv::BuildPurchaseTree(ak, zv::kAllCosts, zv::kAllCosts);
        purchases = tree.purchases.size();
        benchmark::DoNotOptimize(tree.articleTotal);
    }
    state.counters["purchases"] = double(purchases);
    state.counters["rows"] = ak.RowCount();
}
BENCHMARK(BM_BuildPurchaseTreeAll)->Unit(benchmark::kMillisecond);

void BM_BuildPurchaseTreeOneYear(benchmark::State& state) {
    const zv::TMlbc& ak = Costs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::BuildPurchaseTree(ak, "2012", zv::kAllCosts));
    }
}
BENCHMARK(BM_BuildPurchaseTreeOneYear)->Unit(benchmark::kMillisecond);

void BM_BuildYearSummary(benchmark::State& state) {
    const zv::TMlbc& ak = Costs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::BuildYearSummary(ak, kNow));
    }
}
BENCHMARK(BM_BuildYearSummary)->Unit(benchmark::kMillisecond);

// What the overview does before its tree: the year and shop choices.
void BM_FillYearsAndShops(benchmark::State& state) {
    const zv::TMlbc& ak = Costs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::FillYears(ak, kNow));
        benchmark::DoNotOptimize(zv::FillShops(ak, zv::kAllCosts));
    }
}
BENCHMARK(BM_FillYearsAndShops)->Unit(benchmark::kMillisecond);

void BM_SearchCosts(benchmark::State& state) {
    const zv::TMlbc& ak = Costs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::SearchCosts(ak, "rute"));
    }
}
BENCHMARK(BM_SearchCosts)->Unit(benchmark::kMillisecond);

} // namespace
