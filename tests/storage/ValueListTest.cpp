#include "storage/ValueList.h"

#include "DataTestSupport.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using List = std::vector<std::string>;

TEST(ValueListTest, ListsLiveInDatsOfTheProgramFolder) {
    TempFolder folder;
    EXPECT_EQ(ValueListPath(folder.Path(), "Faenger"), folder / "DATs" / "Faenger.dat");
}

TEST(ValueListTest, ReadingSplitsAtEveryKindOfLineEnd) {
    TempFolder folder;
    const auto file = ValueListPath(folder.Path(), "Koeder");
    EXPECT_TRUE(ReadValueList(folder.Path(), "Koeder").empty());
    WriteBytes(file, "");
    EXPECT_TRUE(ReadValueList(folder.Path(), "Koeder").empty());
    WriteBytes(file, "Blinker\r\nWobbler\rGummifisch\nSpinner");
    EXPECT_EQ(ReadValueList(folder.Path(), "Koeder"),
              (List{"Blinker", "Wobbler", "Gummifisch", "Spinner"}));
    WriteBytes(file, "\r\nBlinker\r\n\r\n");
    EXPECT_EQ(ReadValueList(folder.Path(), "Koeder"), (List{"", "Blinker", ""}));
    WriteBytes(file, "K\xF6"
                     "der\r\n");
    EXPECT_EQ(ReadValueList(folder.Path(), "Koeder"), (List{"Köder"}));
}

TEST(ValueListTest, WritingUsesWindows1252AndCrLfAndCreatesDats) {
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(WriteValueList(folder.Path(), "Fischarten", {"", "Äsche", "Hecht"}, error))
        << error;
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Fischarten.dat"), "\r\n\xC4sche\r\nHecht\r\n");
    EXPECT_EQ(ReadValueList(folder.Path(), "Fischarten"), (List{"", "Äsche", "Hecht"}));

    ASSERT_TRUE(WriteValueList(folder.Path(), "Fischarten", {}, error));
    EXPECT_EQ(ReadBytes(folder / "DATs" / "Fischarten.dat"), "");
}

TEST(ValueListTest, FailedWriteKeepsTheOldList) {
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(WriteValueList(folder.Path(), "Wetter", {"sonnig"}, error));
    EXPECT_FALSE(WriteValueList(folder.Path(), "Wetter", {"sonnig", "\xE2\x98\x80"}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadValueList(folder.Path(), "Wetter"), (List{"sonnig"}));

    WriteBytes(folder / "blocked", "x");
    EXPECT_FALSE(WriteValueList(folder / "blocked", "Wetter", {"a"}, error));
    EXPECT_NE(error.find("blocked"), std::string::npos) << error;
}

} // namespace
} // namespace zv
