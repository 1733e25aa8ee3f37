// The quoted text format.

#include <gtest/gtest.h>

#include "TMlb2TestSupport.h"

namespace zv {
namespace {

using tabletest::Fill;
using tabletest::ReadBytes;
using tabletest::StateOf;
using tabletest::TempDir;
using tabletest::WriteBytes;

TEST(TMlb2TxtFile, QuotesTextCellsAndLeavesNumberCellsBare) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"Art", "Gewicht"}, {{"Hecht \"groß\"", "3,5"}, {"", ""}});
    t.Engine().SetFieldType(2, "FLOAT");
    const std::string path = dir.File("notes.txt");
    ASSERT_TRUE(t.SaveToFile(path)) << t.LastFailure();
    EXPECT_EQ(ReadBytes(path), "\"Art\";\"Gewicht\"\r\n"
                               "\"Hecht \"\"gro\xDF\"\"\";3,5\r\n"
                               "\"\";\r\n");
    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path)) << back.LastFailure();
    EXPECT_EQ(StateOf(back).names, StateOf(t).names);
    EXPECT_EQ(StateOf(back).types, StateOf(t).types);
    EXPECT_EQ(StateOf(back).rows, StateOf(t).rows);
    EXPECT_EQ(back.CurrentRow(), 2);
}

TEST(TMlb2TxtFile, NumberCellsThatWouldNotReadBackBareAreQuoted) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"Wert"}, {{"1;2"}, {"1 000"}, {"a\"b"}, {"zwei\r\nZeilen"}, {"7"}});
    t.Engine().SetFieldType(1, "FLOAT");
    const std::string path = dir.File("werte.txt");
    ASSERT_TRUE(t.SaveToFile(path)) << t.LastFailure();
    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path)) << back.LastFailure();
    EXPECT_EQ(StateOf(back).rows, StateOf(t).rows);
    EXPECT_NE(ReadBytes(path).find("\r\n7\r\n"), std::string::npos);
}

TEST(TMlb2TxtFile, ReadingSkipsBlanksOutsideQuotesAndKeepsTheLastLine) {
    TempDir dir;
    const std::string path = dir.File("x.TXT");
    WriteBytes(path, " \"A\" ; \"B\";\"C\"\r\n"
                     "\"x; y\" , ; 1 2 ;\"a\"\"b\"\r\n"
                     "\r\n"
                     "\"zwei\r\nZeilen\";;7");
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path)) << t.LastFailure();
    ASSERT_EQ(t.FieldCount(), 3);
    EXPECT_EQ(t.FieldName(2), "B");
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Cell(1, 1), "x; y,");
    EXPECT_EQ(t.Cell(1, 2), "12");
    EXPECT_EQ(t.Cell(1, 3), "a\"b");
    EXPECT_EQ(t.Cell(2, 1), "zwei\r\nZeilen");
    EXPECT_EQ(t.Cell(2, 2), "");
    EXPECT_EQ(t.Cell(2, 3), "7");
    EXPECT_EQ(t.Engine().FieldType(1), "STRING");
    EXPECT_EQ(t.Engine().FieldType(2), "FLOAT");
    EXPECT_EQ(t.Engine().FieldType(3), "STRING"); // quoted once, bare once
}

TEST(TMlb2TxtFailure, MissingFileRecordsNoLastError) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"A"}, {{"1"}});
    const auto before = StateOf(t);
    EXPECT_FALSE(t.LoadFromFile(dir.File("fehlt.txt")));
    EXPECT_EQ(StateOf(t), before);
    EXPECT_EQ(t.Engine().LastErrorCode(), 0);
    EXPECT_NE(t.LastFailure().find("fehlt.txt"), std::string::npos);
}

TEST(TMlb2TxtFailure, MoreValuesThanFieldsFailTheLoad) {
    TempDir dir;
    const std::string path = dir.File("x.txt");
    WriteBytes(path, "\"A\"\r\n\"1\";\"2\"\r\n");
    TMlbc t;
    Fill(t, {"Alt"}, {{"bleibt"}});
    const auto before = StateOf(t);
    EXPECT_FALSE(t.LoadFromFile(path));
    EXPECT_EQ(StateOf(t), before);
    EXPECT_NE(t.LastFailure().find("Zeile 2"), std::string::npos) << t.LastFailure();

    // Extra empty cells lose nothing and are ignored.
    WriteBytes(path, "\"A\"\r\n\"1\";\r\n");
    ASSERT_TRUE(t.LoadFromFile(path));
    EXPECT_EQ(t.Cell(1, 1), "1");
}

TEST(TMlb2TxtFailure, UnwritableTarget) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"A"}, {{"1"}});
    EXPECT_FALSE(t.SaveToFile(dir.File("fehlt/x.txt")));
    EXPECT_EQ(t.Engine().LastErrorCode(), 3);
    EXPECT_EQ(t.Engine().LastErrorMessage(), "1-Unable to open the file for writing");
}

} // namespace
} // namespace zv
