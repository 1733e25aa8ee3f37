#include "storage/ValueListRebuild.h"

#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/ValueList.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using List = std::vector<std::string>;
using Row = std::map<std::string, std::string>;

std::unique_ptr<TMlbc> Catches(const std::vector<Row>& rows) {
    auto table = MakeEmptyTable(CatchFields());
    for (const Row& row : rows) {
        table->AppendRow();
        for (const auto& [field, value] : row) {
            table->SetData(field, value);
        }
    }
    return table;
}

const char* const kAllLists[] = {"Faenger",     "Fischarten",    "Fangmethode",  "Koeder",
                                 "Koederfarbe", "Koederlaenge",  "Koedertyp",    "Gewaesser",
                                 "Stelle",      "Wetter",        "Windrichtung", "Windstaerke",
                                 "Wasserstand", "Wassertruebung"};

TEST(ValueListRebuildTest, SortsAndDropsDuplicatesIgnoringCaseFirstFormStays) {
    TempFolder folder;
    auto table = Catches({{{"Fischart", "Hecht"}, {"Faenger", "Jörg"}},
                          {{"Fischart", "hecht"}, {"Faenger", "jörg"}},
                          {{"Fischart", "Barsch"}, {"Faenger", "Anna"}}});
    std::string error;
    ASSERT_TRUE(RebuildValueLists(*table, folder.Path(), error)) << error;
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Fischarten.dat"), "Barsch\r\nHecht\r\n");
    EXPECT_EQ(ReadValueList(folder.Path(), "Faenger"), (List{"Anna", "Jörg"}));
    for (const char* name : kAllLists) {
        EXPECT_TRUE(std::filesystem::exists(ValueListPath(folder.Path(), name))) << name;
    }
}

TEST(ValueListRebuildTest, UmlautsSortBesideTheirLetterAndFoldCase) {
    TempFolder folder;
    auto table = Catches({{{"Fischart", "Barbe"}},
                          {{"Fischart", "Äsche"}},
                          {{"Fischart", "Aal"}},
                          {{"Fischart", "äsche"}},
                          {{"Fischart", "Asche"}}});
    std::string error;
    ASSERT_TRUE(RebuildValueLists(*table, folder.Path(), error)) << error;
    // Äsche and äsche are one entry; Asche without the umlaut is another.
    EXPECT_EQ(ReadValueList(folder.Path(), "Fischarten"), (List{"Aal", "Asche", "Äsche", "Barbe"}));
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Fischarten.dat"),
              "Aal\r\nAsche\r\n\xC4sche\r\nBarbe\r\n");
}

TEST(ValueListRebuildTest, EmptyValuesComeFirstExceptForTheCatcher) {
    TempFolder folder;
    auto table = Catches({{{"Faenger", "Uwe"}, {"KoederFarbe", "rot"}, {"KoederLaenge", "12"}},
                          {{"Faenger", ""}, {"KoederFarbe", ""}, {"KoederLaenge", "9"}}});
    std::string error;
    ASSERT_TRUE(RebuildValueLists(*table, folder.Path(), error)) << error;
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Koederfarbe.dat"), "\r\nrot\r\n");
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Faenger.dat"), "Uwe\r\n");
    // Text order, as the collator sees it: "12" before "9".
    EXPECT_EQ(ReadValueList(folder.Path(), "Koederlaenge"), (List{"12", "9"}));
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Wetter.dat"), "\r\n");
}

TEST(ValueListRebuildTest, EmptyCatchTableLeavesListsUntouched) {
    TempFolder folder;
    WriteBytes(folder / "DATs" / "Fischarten.dat", "Zander\r\nAal\r\n");
    auto table = Catches({});
    std::string error;
    ASSERT_TRUE(RebuildValueLists(*table, folder.Path(), error)) << error;
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Fischarten.dat"), "Zander\r\nAal\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "DATs" / "Faenger.dat"));

    TempFolder fresh;
    ASSERT_TRUE(RebuildValueLists(*table, fresh.Path(), error));
    EXPECT_TRUE(std::filesystem::is_directory(fresh / "DATs"));
}

TEST(ValueListRebuildTest, DoesNotMoveTheSharedCursor) {
    TempFolder folder;
    auto table =
        Catches({{{"Fischart", "Aal"}}, {{"Fischart", "Zander"}}, {{"Fischart", "Hecht"}}});
    table->GoToRow(2);
    std::string error;
    ASSERT_TRUE(RebuildValueLists(*table, folder.Path(), error));
    EXPECT_EQ(table->CurrentRow(), 2);
}

TEST(ValueListRebuildTest, UnwritableProgramFolderIsReported) {
    TempFolder folder;
    WriteBytes(folder / "blocked", "x");
    auto table = Catches({{{"Fischart", "Aal"}}});
    std::string error;
    EXPECT_FALSE(RebuildValueLists(*table, folder / "blocked", error));
    EXPECT_FALSE(error.empty());

    // A list that cannot be written does not stop the others.
    WriteBytes(folder / "DATs" / "keep.txt", "");
    std::filesystem::create_directories(folder / "DATs" / "Wetter.dat");
    EXPECT_FALSE(RebuildValueLists(*table, folder.Path(), error));
    EXPECT_NE(error.find("Wetter.dat"), std::string::npos) << error;
    EXPECT_EQ(ReadValueList(folder.Path(), "Fischarten"), (List{"Aal"}));
}

} // namespace
} // namespace zv
