// Fields, rows, cursor and flags of the table component.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "TMlb2TestSupport.h"

namespace zv {
namespace {

using tabletest::Fill;
using tabletest::StateOf;
using tabletest::TempDir;

// Five rows whose Nr cell is their row number.
void FillNumbered(TMlbc& t, int rows) {
    t.AddField("Nr");
    t.AddField("Ort");
    for (int i = 1; i <= rows; ++i) {
        t.AppendRow();
        t.SetData("Nr", std::to_string(i));
        t.SetData("Ort", "Ort " + std::to_string(i));
    }
}

TEST(TMlbcFields, NewTableIsEmptyWithBothFlagsSet) {
    TMlbc t;
    EXPECT_EQ(t.FieldCount(), 0);
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.CurrentRow(), 0);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_EQ(t.CSVSeparator(), ";");
    EXPECT_EQ(t.QuoteSeparator(), "\"");
    EXPECT_FALSE(t.Distinct());
    EXPECT_EQ(t.FileName(), "");
}

TEST(TMlbcFields, NamesMatchIgnoringCaseButNotAccents) {
    TMlbc t;
    ASSERT_TRUE(t.AddField("Fischart"));
    EXPECT_FALSE(t.AddField("FISCHART"));
    EXPECT_EQ(t.FieldIndex("fischart"), 1);

    ASSERT_TRUE(t.AddField("Gewässer"));
    EXPECT_FALSE(t.AddField("GEWÄSSER"));
    EXPECT_EQ(t.FieldIndex("gewÄsser"), 2);

    // a and ä are different letters: both can be fields.
    ASSERT_TRUE(t.AddField("Mass"));
    EXPECT_TRUE(t.AddField("Mäss"));
    EXPECT_EQ(t.FieldIndex("mass"), 3);
    EXPECT_EQ(t.FieldIndex("MÄSS"), 4);
    EXPECT_EQ(t.FieldCount(), 4);
    EXPECT_EQ(t.FieldIndex("Laenge"), 0);

    t.AppendRow();
    EXPECT_TRUE(t.SetData("FISCHART", "Hecht"));
    EXPECT_EQ(t.GetData("fischart"), "Hecht");
    EXPECT_EQ(t.Cell(1, 1), "Hecht");
}

TEST(TMlbcFields, EmptyAndBlankNamesAreRefusedLeadingBlanksKept) {
    TMlbc t;
    EXPECT_FALSE(t.AddField(""));
    EXPECT_FALSE(t.AddField("   "));
    EXPECT_FALSE(t.AddField(" \t "));
    EXPECT_TRUE(t.AddField("  Ort"));
    EXPECT_EQ(t.FieldName(1), "  Ort");
    EXPECT_EQ(t.FieldCount(), 1);
    EXPECT_EQ(t.FieldName(0), "");
    EXPECT_EQ(t.FieldName(2), "");
    EXPECT_EQ(t.Engine().FieldType(1), "STRING");
    EXPECT_EQ(t.Engine().FieldType(2), "");
}

TEST(TMlbcFields, FieldAddedLaterGivesEveryRowAnEmptyCell) {
    TMlbc t;
    Fill(t, {"A"}, {{"1"}, {"2"}});
    ASSERT_TRUE(t.AddField("B"));
    EXPECT_EQ(t.Cell(1, 2), "");
    EXPECT_EQ(t.Cell(2, 2), "");
    EXPECT_TRUE(t.SetData("B", "x"));
    EXPECT_EQ(t.Cell(2, 2), "x");
    EXPECT_EQ(t.Cell(2, 1), "2");
}

TEST(TMlbcFields, FieldTypesAreSetOnlyInsideTheFields) {
    TMlbc t;
    t.AddField("Laenge");
    TMlb2& e = t.Engine();
    EXPECT_TRUE(e.SetFieldType(1, "FLOAT"));
    EXPECT_EQ(e.FieldType(1), "FLOAT");
    EXPECT_FALSE(e.SetFieldType(0, "FLOAT"));
    EXPECT_FALSE(e.SetFieldType(2, "FLOAT"));
}

TEST(TMlbcCells, GetAndSetNeedAFieldAndACursorRow) {
    TMlbc t;
    t.AddField("Ort");
    EXPECT_FALSE(t.SetData("Ort", "See"));
    EXPECT_EQ(t.GetData("Ort"), "");
    ASSERT_TRUE(t.AppendRow());
    EXPECT_FALSE(t.SetData("Fluss", "x"));
    EXPECT_EQ(t.GetData("Fluss"), "");
    const std::string odd = "a;b\\c\r\nd\n\xC3\xA4\0e";
    EXPECT_TRUE(t.SetData("Ort", std::string(odd.data(), odd.size() + 2)));
    EXPECT_EQ(t.GetData("Ort"), std::string(odd.data(), odd.size() + 2));
}

TEST(TMlbcCells, SetFloatUsesTheGermanGeneralFormat) {
    TMlbc t;
    t.AddField("Gewicht");
    t.AppendRow();
    EXPECT_TRUE(t.SetFloat("Gewicht", 12.5));
    EXPECT_EQ(t.GetData("Gewicht"), "12,5");
    EXPECT_TRUE(t.SetFloat("Gewicht", 3));
    EXPECT_EQ(t.GetData("Gewicht"), "3");
    EXPECT_FALSE(t.SetFloat("Laenge", 3));
}

TEST(TMlbcCells, PositionalAccessStaysInsideTheTable) {
    TMlbc t;
    FillNumbered(t, 2);
    EXPECT_EQ(t.Cell(2, 2), "Ort 2");
    EXPECT_EQ(t.Cell(0, 1), "");
    EXPECT_EQ(t.Cell(3, 1), "");
    EXPECT_EQ(t.Cell(1, 3), "");
    TMlb2& e = t.Engine();
    ASSERT_TRUE(e.GoToRow(1));
    EXPECT_TRUE(e.SetCell(2, "See"));
    EXPECT_EQ(t.Cell(1, 2), "See");
    EXPECT_FALSE(e.SetCell(0, "x"));
    EXPECT_FALSE(e.SetCell(3, "x"));
    e.ClearRows();
    EXPECT_FALSE(e.SetCell(1, "x"));
}

TEST(TMlbcCells, DistinctColumnFollowsEveryChange) {
    // After each change the column must tell what the cells tell now.
    TempDir dir;
    const std::string file = dir.File("orte.f");
    {
        TMlbc source;
        Fill(source, {"Nr", "Ort"}, {{"1", "Rhein"}, {"2", "Elbe"}});
        ASSERT_TRUE(source.SaveToFile(file));
    }
    const struct {
        const char* change;
        std::function<void(TMlbc&)> apply;
    } changes[] = {
        {"SetData", [](TMlbc& t) { t.GoToRow(2), t.SetData("Ort", "Mosel"); }},
        {"SetFloat", [](TMlbc& t) { t.GoToRow(1), t.SetFloat("Ort", 2.5); }},
        {"AppendRow", [](TMlbc& t) { t.AppendRow(); }},
        {"DeleteRow", [](TMlbc& t) { t.GoToRow(1), t.DeleteRow(); }},
        {"PasteRow", [](TMlbc& t) { t.GoToRow(3), t.CopyRow(), t.GoToRow(1), t.PasteRow(); }},
        {"AddField", [](TMlbc& t) { t.AddField("Fisch"); }},
        {"LoadFromFile", [&](TMlbc& t) { t.LoadFromFile(file); }},
        {"ClearRows", [](TMlbc& t) { t.ClearRows(); }},
    };
    TMlbc t;
    Fill(t, {"Nr", "Ort"}, {{"1", "Rhein"}, {"2", "Rhein"}, {"3", "Elbe"}});
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        t.DistinctColumn(2); // built before the change
        c.apply(t);
        const TMlb2DistinctColumn& column = t.DistinctColumn(2);
        ASSERT_EQ(column.idOfRow.size(), static_cast<std::size_t>(t.RowCount()));
        std::vector<std::string_view> firstMet;
        for (int row = 1; row <= t.RowCount(); ++row) {
            const std::string_view cell = t.Cell(row, 2);
            if (std::find(firstMet.begin(), firstMet.end(), cell) == firstMet.end()) {
                firstMet.push_back(cell);
            }
            EXPECT_EQ(column.texts.at(column.idOfRow[std::size_t(row - 1)]), cell) << row;
        }
        EXPECT_EQ(column.texts, firstMet);
    }
    EXPECT_TRUE(t.DistinctColumn(9).texts.empty());
}

TEST(TMlbcRows, AppendRowPlacesTheCursorOnTheNewRow) {
    TMlbc t;
    t.AddField("A");
    t.AppendRow();
    t.AppendRow();
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.CurrentRow(), 2);
    EXPECT_FALSE(t.BeginningOfFile());
    EXPECT_FALSE(t.EndOfFile());
    EXPECT_EQ(t.GetData("A"), "");
}

TEST(TMlbcRows, DeleteRowKeepsThePositionOrMovesToTheNewLastRow) {
    TMlbc t;
    FillNumbered(t, 3);
    ASSERT_TRUE(t.GoToRow(3));
    ASSERT_TRUE(t.DeleteRow());
    EXPECT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.CurrentRow(), 2);
    EXPECT_EQ(t.GetData("Nr"), "2");

    t.ClearRows();
    FillNumbered(t, 0);
    for (int i = 1; i <= 3; ++i) {
        t.AppendRow();
        t.SetData("Nr", std::to_string(i));
    }
    ASSERT_TRUE(t.GoToRow(1));
    ASSERT_TRUE(t.DeleteRow());
    EXPECT_EQ(t.CurrentRow(), 1);
    EXPECT_EQ(t.GetData("Nr"), "2"); // the former second row
    EXPECT_FALSE(t.BeginningOfFile());
    EXPECT_FALSE(t.EndOfFile());
}

TEST(TMlbcRows, DeletingTheOnlyRowLeavesNoCursor) {
    TMlbc t;
    FillNumbered(t, 1);
    ASSERT_TRUE(t.DeleteRow());
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.CurrentRow(), 0);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_FALSE(t.DeleteRow());
}

TEST(TMlbcRows, CopyAppendPasteDuplicatesARow) {
    TMlbc t;
    FillNumbered(t, 5);
    ASSERT_TRUE(t.GoToRow(3));
    ASSERT_TRUE(t.CopyRow());
    ASSERT_TRUE(t.AppendRow());
    ASSERT_TRUE(t.PasteRow());
    ASSERT_EQ(t.RowCount(), 6);
    EXPECT_EQ(t.Cell(6, 1), "3");
    EXPECT_EQ(t.Cell(6, 2), "Ort 3");
    EXPECT_EQ(t.CurrentRow(), 6);
}

TEST(TMlbcRows, CopyAndPasteNeedARow) {
    TMlbc t;
    t.AddField("A");
    EXPECT_FALSE(t.CopyRow());
    EXPECT_FALSE(t.PasteRow());
}

TEST(TMlbcRows, RowBufferHoldsAnEmptyCellPerFieldEverAdded) {
    TMlbc t;
    t.AddField("A");
    t.AddField("B");
    EXPECT_EQ(t.Engine().RowBuffer().size(), 2u);
    t.Engine().ClearTable();
    EXPECT_EQ(t.FieldCount(), 0);
    EXPECT_EQ(t.Engine().RowBuffer().size(), 2u); // outlives clearing
    t.AddField("C");
    EXPECT_EQ(t.Engine().RowBuffer().size(), 3u);

    // A never filled buffer pastes empty cells.
    t.AppendRow();
    t.SetData("C", "voll");
    ASSERT_TRUE(t.PasteRow());
    EXPECT_EQ(t.GetData("C"), "");
}

TEST(TMlbcRows, PastedCellsFollowTheFieldsAddedAfterTheCopy) {
    TMlbc t;
    Fill(t, {"A"}, {{"eins"}});
    ASSERT_TRUE(t.CopyRow());
    t.AddField("B");
    t.AppendRow();
    t.SetData("B", "weg");
    ASSERT_TRUE(t.PasteRow());
    EXPECT_EQ(t.GetData("A"), "eins");
    EXPECT_EQ(t.GetData("B"), "");
}

TEST(TMlbcCursor, GoToRowOutsideTheTableKeepsTheCursor) {
    TMlbc t;
    FillNumbered(t, 3);
    ASSERT_TRUE(t.GoToRow(2));
    EXPECT_FALSE(t.GoToRow(0));
    EXPECT_EQ(t.CurrentRow(), 2);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_FALSE(t.GoToRow(4));
    EXPECT_EQ(t.CurrentRow(), 2);
    EXPECT_EQ(t.GetData("Nr"), "2");
    ASSERT_TRUE(t.GoToRow(3));
    EXPECT_FALSE(t.BeginningOfFile());
    EXPECT_FALSE(t.EndOfFile());
}

TEST(TMlbcCursor, FirstAndLastOnAnEmptyTable) {
    TMlbc t;
    t.AddField("A");
    t.SetBeginningOfFile(false);
    t.SetEndOfFile(false);
    EXPECT_FALSE(t.First());
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_EQ(t.CurrentRow(), 0);
    t.SetBeginningOfFile(false);
    EXPECT_FALSE(t.Last());
    EXPECT_TRUE(t.BeginningOfFile());
}

TEST(TMlbcCursor, WalkingForwardStopsAtTheLastRow) {
    TMlbc t;
    FillNumbered(t, 3);
    ASSERT_TRUE(t.First());
    std::string seen;
    for (int i = 0; i < t.RowCount(); ++i) {
        seen += t.GetData("Nr");
        t.Next();
    }
    EXPECT_EQ(seen, "123");
    EXPECT_EQ(t.CurrentRow(), 3);
    EXPECT_FALSE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_FALSE(t.Next());
    EXPECT_EQ(t.CurrentRow(), 3);
}

TEST(TMlbcCursor, WalkingBackwardStopsAtTheFirstRow) {
    TMlbc t;
    FillNumbered(t, 3);
    ASSERT_TRUE(t.Last());
    std::string seen;
    for (int i = 0; i < t.RowCount(); ++i) {
        seen += t.GetData("Nr");
        t.Prior();
    }
    EXPECT_EQ(seen, "321");
    EXPECT_EQ(t.CurrentRow(), 1);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_FALSE(t.EndOfFile());
    ASSERT_TRUE(t.Next());
    EXPECT_EQ(t.CurrentRow(), 2);
    EXPECT_FALSE(t.BeginningOfFile());
}

TEST(TMlbcCursor, NextAndPriorOnAnEmptyTableSetBothFlags) {
    TMlbc t;
    t.SetBeginningOfFile(false);
    t.SetEndOfFile(false);
    EXPECT_FALSE(t.Next());
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    t.SetBeginningOfFile(false);
    t.SetEndOfFile(false);
    EXPECT_FALSE(t.Prior());
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
}

TEST(TMlbcCursor, DeleteRowLeavesTheFlagsAloneWhileOnARow) {
    TMlbc t;
    FillNumbered(t, 3);
    ASSERT_TRUE(t.GoToRow(3));
    EXPECT_FALSE(t.Next()); // EndOfFile now true
    ASSERT_TRUE(t.DeleteRow());
    EXPECT_EQ(t.CurrentRow(), 2);
    EXPECT_FALSE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
}

TEST(TMlbcCursor, ClearRowsKeepsFieldsAndResetsState) {
    TMlbc t;
    FillNumbered(t, 2);
    t.SetDistinct(true);
    t.ClearRows();
    EXPECT_EQ(t.RowCount(), 0);
    EXPECT_EQ(t.FieldCount(), 2);
    EXPECT_EQ(t.CurrentRow(), 0);
    EXPECT_TRUE(t.BeginningOfFile());
    EXPECT_TRUE(t.EndOfFile());
    EXPECT_FALSE(t.Distinct());
}

TEST(TMlbcProperties, SeparatorAndQuoteTakeOneStorableCharacter) {
    TMlbc t;
    t.SetCSVSeparator("\t");
    EXPECT_EQ(t.CSVSeparator(), "\t");
    t.SetCSVSeparator("§");
    EXPECT_EQ(t.CSVSeparator(), "§");
    for (const char* refused :
         {"", ";;", "\\", "\r", "\n", "\xE2\x82\xAC\xE2\x82\xAC", "\xE4\xB8\xAD"}) {
        t.SetCSVSeparator(refused);
        EXPECT_EQ(t.CSVSeparator(), "§") << refused;
    }
    t.SetQuoteSeparator("'");
    EXPECT_EQ(t.QuoteSeparator(), "'");
    t.SetQuoteSeparator("");
    EXPECT_EQ(t.QuoteSeparator(), "'");
}

TEST(TMlbcProperties, SettingTheFileNameLoadsIt) {
    tabletest::TempDir dir;
    const std::string path = dir.File("fang.f");
    tabletest::WriteBytes(path, "Ort;Art\r\nSee;Hecht\r\n");
    TMlbc t;
    t.SetFileName(path);
    EXPECT_EQ(t.FileName(), path);
    EXPECT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.GetData("Art"), "Hecht");

    t.SetFileName("");
    EXPECT_EQ(t.FileName(), "");
    EXPECT_EQ(t.RowCount(), 1); // clearing the name loads nothing

    const auto before = StateOf(t);
    t.SetFileName(dir.File("fehlt.f"));
    EXPECT_EQ(t.FileName(), dir.File("fehlt.f"));
    EXPECT_EQ(StateOf(t), before);
}

} // namespace
} // namespace zv
