#include "catchlog/CatchSearch.h"

#include "EntryTestSupport.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(CatchSearchTest, FindsEachRowOnceInTableOrderIgnoringCaseOfAToZOnly) {
    const auto db = test::CatchTable({
        {{"Fischart", "Hecht"},
         {"Koeder", "Hechtblinker"},
         {"Laenge", "45"},
         {"Mondphase", "Vollmond"}},
        {{"Fischart", "Äsche"}, {"Gewicht", "1450"}, {"Koeder", "Hechtköder"}},
        {{"Fischart", "Barsch"}, {"Laenge", "4,5"}, {"Faenger", "Hechtmann"}},
        {{"Kommentar", "großer Hecht"}, {"Stelle", "Steg"}, {"Gewaesser", "Vollmersee"}},
        {{"Fischart", "Zander"}, {"Mondphase", "Neumond"}},
    });
    db->GoToRow(3);
    const struct {
        const char* term;
        std::vector<int> rows;
    } cases[] = {
        {"", {}},             // an empty text is never found
        {"hecht", {1, 2, 4}}, // row 1 once for two fields; not the catcher
        {"HECHT", {1, 2, 4}},
        {"äsche", {}}, // umlauts keep their case
        {"Äsche", {2}},
        {"45", {1, 2}}, // length 45 and weight 1450, not 4,5
        {"voll", {1, 4}},
        {"steg", {4}},
        {"mond", {1, 5}},
    };
    for (const auto& c : cases) {
        std::vector<int> rows;
        for (const CatchSearchHit& hit : SearchCatches(*db, c.term)) {
            rows.push_back(hit.row);
        }
        EXPECT_EQ(rows, c.rows) << c.term;
    }
    // The search only reads: the shared cursor stays.
    EXPECT_EQ(db->CurrentRow(), 3);
}

TEST(CatchSearchTest, AHitCarriesTheStoredTexts) {
    const auto db = test::CatchTable({{{"Fangdatum", "1.1.08"},
                                       {"Faenger", "Jan"},
                                       {"Fischart", "Hecht"},
                                       {"Laenge", "80,5"},
                                       {"Gewicht", ""}}});
    const std::vector<CatchSearchHit> hits = SearchCatches(*db, "hecht");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].date + ";" + hits[0].angler + ";" + hits[0].species + ";" + hits[0].length +
                  ";" + hits[0].weight,
              "1.1.08;Jan;Hecht;80,5;");
}

} // namespace
} // namespace zv
