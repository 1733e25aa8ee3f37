#include "ReportTestSupport.h"

#include "reports/HtmlCatchSheet.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using namespace test;

const std::string kStyle =
    "<style> table { border : 1px solid  black; } td { border-right: 1px solid black; "
    "border-bottom: 1px solid black;} </style><table cellpadding=0 cellspacing=0 width=\"100%\">";

std::string RowOf(const std::string& shownName) {
    return "<tr><td width=100><font face=\"Verdana\" size=1><b>" + shownName +
           ":</b></font></td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td><td>&nbsp;</td>"
           "<td>&nbsp;</td><td>&nbsp;</td></tr>";
}

TEST(HtmlCatchSheetTest, OneRowPerFieldLessTheOnesTheProgramFills) {
    const struct {
        const char* what;
        std::vector<std::string> fields;
        std::vector<std::string> shown;
    } cases[] = {
        {"field order",
         {"Fangdatum", "Fangzeit", "Faenger", "Mondphase", "Koeder"},
         {"Fangdatum", "Fangzeit", "Fänger", "Köder"}},
        {"left out exactly", {"Angeldauer", "bilder", "Kartenpos", "Sonnenaufgang"}, {"bilder"}},
        {"another case", {"angeldauer", "Bilder", "MondPhase"}, {"angeldaür", "MondPhase"}},
        {"textual umlauts",
         {"Blauer Koeder", "Aeltester", "Oel", "Ueberbiss", "Wassertruebung", "zurueckgesetzt"},
         {"Blaür Köder", "Aeltester", "Oel", "Ueberbiss", "Wassertrübung", "zurückgesetzt"}},
        {"markup in a name", {"<b>Rute & Rolle</b>"}, {"&lt;b&gt;Rute &amp; Rolle&lt;/b&gt;"}},
        {"no fields", {}, {}},
    };
    for (const auto& c : cases) {
        auto db = MakeEmptyTable(c.fields);
        std::vector<std::string> expected{kStyle};
        for (const std::string& name : c.shown) {
            expected.push_back(RowOf(name));
        }
        expected.emplace_back("</table>");
        EXPECT_EQ(BuildCatchSheet(*db), expected) << c.what;
    }
}

TEST(HtmlCatchSheetTest, TheFileIsWindows1252WithCrLfAfterEveryLine) {
    TempFolder folder;
    auto db = MakeEmptyTable(CatchFields());
    const std::vector<std::string> lines = BuildCatchSheet(*db);
    // 38 fields less the seven of the left-out names that the schema has.
    EXPECT_EQ(lines.size(), 1u + 31u + 1u);
    std::string error;
    WriteBytes(folder.File("Fangliste.html"), "alt");
    ASSERT_TRUE(WriteCatchSheet(folder.File("Fangliste.html"), lines, error)) << error;
    const std::string bytes = ReadBytes(folder.File("Fangliste.html"));
    EXPECT_EQ(bytes.substr(0, kStyle.size() + 2), kStyle + "\r\n");
    EXPECT_NE(bytes.find("<b>F\xE4nger:</b>"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "</table>\r\n");
    EXPECT_EQ(CountOf(bytes, "\r\n"), 33);
    EXPECT_EQ(CountOf(bytes, "\n"), 33);
    EXPECT_EQ(FileNames(folder.Path()), std::vector<std::string>{"Fangliste.html"});

    const auto missing = folder.File("fehlt/Fangliste.html");
    EXPECT_FALSE(WriteCatchSheet(missing, lines, error));
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
}

} // namespace
} // namespace zv
