#include "catchlog/CatchSearch.h"

#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <map>

namespace zv {
namespace {

using Row = std::map<std::string, std::string>;

std::unique_ptr<TMlbc> Catches(const std::vector<Row>& rows) {
    auto table = MakeEmptyTable(CatchFields());
    for (const Row& row : rows) {
        table->AppendRow();
        for (const auto& [field, value] : row) {
            EXPECT_TRUE(table->SetData(field, value)) << field;
        }
    }
    return table;
}

std::vector<int> Rows(const std::vector<CatchSearchHit>& hits) {
    std::vector<int> rows;
    for (const CatchSearchHit& hit : hits) {
        rows.push_back(hit.row);
    }
    return rows;
}

TEST(CatchSearchTest, FindsTheTermInTheSearchedFieldsIgnoringCaseOfAToZOnly) {
    const auto db = Catches({
        {{"Fischart", "Hecht"}, {"Laenge", "45"}, {"Mondphase", "Vollmond"}},
        {{"Fischart", "Äsche"}, {"Gewicht", "1450"}, {"Koeder", "Hechtköder"}},
        {{"Fischart", "Barsch"}, {"Laenge", "4,5"}, {"Faenger", "Hechtmann"}},
        {{"Kommentar", "großer Hecht"}, {"Stelle", "Steg"}, {"Gewaesser", "Vollmersee"}},
        {{"Fischart", "Zander"}, {"Mondphase", "Neumond"}},
    });
    const struct {
        const char* term;
        std::vector<int> rows;
    } cases[] = {
        {"", {}},             // an empty text is never found
        {"hecht", {1, 2, 4}}, // species, bait, comment; not the catcher
        {"HECHT", {1, 2, 4}},
        {"äsche", {}}, // umlauts keep their case
        {"Äsche", {2}},
        {"45", {1, 2}}, // length 45 and weight 1450, not 4,5
        {"voll", {1, 4}},
        {"steg", {4}},
        {"mond", {1, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Rows(SearchCatches(*db, c.term)), c.rows) << c.term;
    }
}

TEST(CatchSearchTest, ListsEachRowOnceInTableOrderWithItsStoredTexts) {
    const auto db = Catches({
        {{"Fischart", "Aal"}},
        {{"Fangdatum", "05.06.2007"},
         {"Faenger", "Jan"},
         {"Fischart", "Hecht"},
         {"Laenge", "80,5"},
         {"Gewicht", ""},
         {"Koeder", "Hechtblinker"},
         {"Kommentar", "Hecht am Schilf"}},
        {{"Fangdatum", "1.1.08"}, {"Gewaesser", "Hechtsee"}},
    });
    db->GoToRow(1);
    const std::vector<CatchSearchHit> hits = SearchCatches(*db, "hecht");
    ASSERT_EQ(Rows(hits), (std::vector<int>{2, 3}));
    EXPECT_EQ(hits[0].date, "05.06.2007");
    EXPECT_EQ(hits[0].angler, "Jan");
    EXPECT_EQ(hits[0].species, "Hecht");
    EXPECT_EQ(hits[0].length, "80,5");
    EXPECT_EQ(hits[0].weight, "");
    EXPECT_EQ(hits[1].date, "1.1.08");
    // The search only reads: the shared cursor stays.
    EXPECT_EQ(db->CurrentRow(), 1);
}

} // namespace
} // namespace zv
