// The semicolon-separated format: exact bytes, escapes, reading rules and
// every way a load or save can fail.

#include <gtest/gtest.h>

#include <random>

#include "TMlb2TestSupport.h"
#include "base/Win1252.h"
#include "storage/TMlb2ParseCSV.h"

namespace zv {
namespace {

using tabletest::Fill;
using tabletest::ReadBytes;
using tabletest::StateOf;
using tabletest::TempDir;
using tabletest::WriteBytes;

TEST(TMlb2ParseCSV, EscapesLineBreaksBackslashesAndTheSeparator) {
    const TMlb2ParseCSV p(';');
    EXPECT_EQ(p.Escape("a;b"), "a\\;b");
    EXPECT_EQ(p.Escape("\\"), "\\\\");
    EXPECT_EQ(p.Escape("x\r\ny"), "x\\ny");
    EXPECT_EQ(p.Escape("x\ny"), "xy");
    EXPECT_EQ(p.Escape("x\ry"), "x\\ny");
    EXPECT_EQ(p.Escape("\"quoted\""), "\"quoted\"");
    EXPECT_EQ(p.Escape("Barsch \xC3\xA4\xE2\x82\xAC"), "Barsch \xE4\x80");
    EXPECT_EQ(p.Escape("\xE4\xB8\xAD"), std::nullopt); // a CJK character
}

TEST(TMlb2ParseCSV, SplitsAndUnescapesInOnePass) {
    const TMlb2ParseCSV p(';');
    using V = std::vector<std::string>;
    EXPECT_EQ(p.SplitLine("a\\;b;\\\\;x\\ny"), (V{"a;b", "\\", "x\r\ny"}));
    EXPECT_EQ(p.SplitLine("x\\Ny"), (V{"x\r\ny"}));
    EXPECT_EQ(p.SplitLine("end\\"), (V{"end\\"}));
    EXPECT_EQ(p.SplitLine("\\q\\\"z"), (V{"q\"z"}));
    EXPECT_EQ(p.SplitLine(""), (V{""}));
    EXPECT_EQ(p.SplitLine(";;"), (V{"", "", ""}));
    EXPECT_EQ(p.SplitLine("\xE4;\\\xFC"), (V{"\xC3\xA4", "\xC3\xBC"}));
}

TEST(TMlb2ParseCSV, AnotherSeparatorIsEscapedAndSplitInstead) {
    const TMlb2ParseCSV p('\xA7'); // §
    EXPECT_EQ(p.Escape("a\xC2\xA7"
                       "b;c"),
              "a\\\xA7"
              "b;c");
    using V = std::vector<std::string>;
    EXPECT_EQ(p.SplitLine("a;b\xA7"
                          "c\\\xA7"),
              (V{"a;b", "c\xC2\xA7"}));
}

TEST(TMlb2CsvFile, WritesHeaderAndEscapedCellsByteExactly) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"Datum", "Fischart", "Kommentar"},
         {{"05.06.2007", "a;b", "\\"}, {"06.06.2007", "Äsche", "Zeile 1\r\nZeile 2"}});
    const std::string path = dir.File("fang.f");
    ASSERT_TRUE(t.SaveToFile(path)) << t.LastFailure();
    EXPECT_EQ(ReadBytes(path), "Datum;Fischart;Kommentar\r\n"
                               "05.06.2007;a\\;b;\\\\\r\n"
                               "06.06.2007;\xC4sche;Zeile 1\\nZeile 2\r\n");
    EXPECT_EQ(t.LastFailure(), "");
    EXPECT_EQ(t.Engine().LastErrorCode(), 0);

    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(StateOf(back).rows, StateOf(t).rows);
    EXPECT_EQ(back.Cell(2, 2), "Äsche");
}

TEST(TMlb2CsvFile, AnySeparatorRoundTripsThroughAFile) {
    // Cells longer than a scan step, with letters, escapes and the separator.
    const std::string longCell = "Regenbogenforelle Äsche \\ Barsch; Zander § Hecht";
    for (const std::string_view separator : {std::string_view(";"), std::string_view("§"),
                                             std::string_view("ä"), std::string_view("\0", 1)}) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(separator.back())));
        TempDir dir;
        TMlbc t;
        t.SetCSVSeparator(separator);
        Fill(t, {"Fischart", "Kommentar", "Köder"},
             {{longCell, "", longCell + longCell}, {"a", longCell, std::string(70, 'x')}});
        const std::string path = dir.File("fang.f");
        ASSERT_TRUE(t.SaveToFile(path)) << t.LastFailure();
        TMlbc back;
        back.SetCSVSeparator(separator);
        ASSERT_TRUE(back.LoadFromFile(path)) << back.LastFailure();
        EXPECT_EQ(StateOf(back).rows, StateOf(t).rows);
    }
}

TEST(TMlb2CsvFile, HeaderNamesAreWrittenUnescaped) {
    TempDir dir;
    TMlbc t;
    t.AddField("Pfad\\Name");
    t.AddField("Ort");
    const std::string path = dir.File("x.csv");
    ASSERT_TRUE(t.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "Pfad\\Name;Ort\r\n");
}

TEST(TMlb2CsvFile, ALineBreakInAFieldNameDoesNotSplitTheHeader) {
    TempDir dir;
    TMlbc t;
    t.AddField("Zwei\r\nZeilen");
    t.AddField("Ort");
    t.AppendRow();
    t.SetData("Ort", "See");
    const std::string path = dir.File("x.f");
    ASSERT_TRUE(t.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "Zwei\\nZeilen;Ort\r\n;See\r\n");
    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.FieldName(1), "Zwei\r\nZeilen");
    EXPECT_EQ(back.GetData("Ort"), "See");
}

TEST(TMlb2CsvFile, LoneLineBreakCharactersInCells) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"A", "B"}, {{"x\ny", "x\ry"}});
    const std::string path = dir.File("x.f");
    ASSERT_TRUE(t.SaveToFile(path));
    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.GetData("A"), "xy");
    EXPECT_EQ(back.GetData("B"), "x\r\ny");
}

TEST(TMlb2CsvFile, EveryByteValueSurvivesReadAndWrite) {
    TempDir dir;
    std::string cell;
    std::string raw;
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (c == '\r' || c == '\n') {
            continue;
        }
        if (c == '\\' || c == ';') {
            cell += '\\';
        }
        cell += c;
        raw += c;
    }
    cell += "\\n"; // a line break inside the cell
    raw += "\r\n";
    const std::string bytes = "Feld;Zweites\r\n" + cell + ";" + cell + "\r\n";
    const std::string in = dir.File("alle.f");
    const std::string out = dir.File("zurueck.f");
    WriteBytes(in, bytes);
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(in)) << t.LastFailure();
    ASSERT_EQ(t.RowCount(), 1);
    EXPECT_EQ(t.Cell(1, 1), Win1252ToUtf8(raw));
    EXPECT_EQ(t.Cell(1, 2), Win1252ToUtf8(raw));
    ASSERT_TRUE(t.SaveToFile(out)) << t.LastFailure();
    EXPECT_EQ(ReadBytes(out), bytes);
}

TEST(TMlb2CsvFile, RandomCellsSurviveSaveAndLoad) {
    // Cells of every kind at every offset, so block-wise scans meet escapes,
    // converted characters, cell ends and line ends at every position of a
    // block; some rows end in empty cells and one cell is far longer.
    const std::vector<std::string> atoms = {"Hecht",
                                            "a",
                                            " ",
                                            ";",
                                            "\\",
                                            "\r\n",
                                            "\xC3\xA4",
                                            "\xE2\x82\xAC",
                                            "\xC2\xA0",
                                            "\x01",
                                            std::string(1, '\0'),
                                            "0123456789abcdefghij"};
    std::mt19937 random(25);
    std::vector<std::vector<std::string>> rows(300);
    for (auto& row : rows) {
        row.resize(7);
        for (auto& cell : row) {
            const int pieces = static_cast<int>(random() % 6);
            for (int i = 0; i < pieces; ++i) {
                cell += atoms[random() % atoms.size()];
            }
        }
    }
    rows[7].assign(7, "");
    rows[9][6] = std::string(70000, 'x') + "\xC3\xBC";
    TempDir dir;
    TMlbc t;
    Fill(t, {"A", "B", "C", "D", "E", "F", "G"}, rows);
    const std::string path = dir.File("zufall.f");
    ASSERT_TRUE(t.SaveToFile(path)) << t.LastFailure();
    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path)) << back.LastFailure();
    ASSERT_EQ(back.RowCount(), static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t f = 0; f < rows[r].size(); ++f) {
            ASSERT_EQ(back.Cell(static_cast<int>(r + 1), static_cast<int>(f + 1)), rows[r][f])
                << "row " << r + 1 << ", field " << f + 1;
        }
    }
    const std::string again = dir.File("zurueck.f");
    ASSERT_TRUE(back.SaveToFile(again)) << back.LastFailure();
    EXPECT_TRUE(ReadBytes(again) == ReadBytes(path)) << "the loaded table saves differently";
}

TEST(TMlb2CsvFile, BlankLinesAddNoRows) {
    TempDir dir;
    const std::string path = dir.File("x.f");
    WriteBytes(path, "A;B\r\n\r\n1;2\r\n   \r\n\t\r\n3;4\r\n");
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path));
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Cell(1, 1), "1");
    EXPECT_EQ(t.Cell(2, 2), "4");
}

TEST(TMlb2CsvFile, ShortLinesLeaveTheRemainingCellsEmpty) {
    TempDir dir;
    const std::string path = dir.File("x.f");
    WriteBytes(path, "A;B;C\r\n1\r\n1;2\r\n");
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path));
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Cell(1, 1), "1");
    EXPECT_EQ(t.Cell(1, 2), "");
    EXPECT_EQ(t.Cell(2, 2), "2");
    EXPECT_EQ(t.Cell(2, 3), "");
}

TEST(TMlb2CsvFile, EmptyAndRepeatedHeaderNamesMakeNoField) {
    TempDir dir;
    const std::string path = dir.File("x.f");
    WriteBytes(path, "Datum;;Datum;Ort;DATUM\r\n");
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path));
    ASSERT_EQ(t.FieldCount(), 2);
    EXPECT_EQ(t.FieldName(1), "Datum");
    EXPECT_EQ(t.FieldName(2), "Ort");
}

TEST(TMlb2CsvFile, AnyLineEndAndALastLineWithoutOne) {
    TempDir dir;
    const std::string path = dir.File("x.f");
    WriteBytes(path, "A;B\n1;2\r3;4\r\n5;6");
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path));
    ASSERT_EQ(t.RowCount(), 3);
    EXPECT_EQ(t.Cell(2, 1), "3");
    EXPECT_EQ(t.Cell(3, 2), "6");
}

TEST(TMlb2CsvFile, LoadPutsTheCursorOnTheLastRowAndNamesTheTable) {
    TempDir dir;
    const std::string path = dir.File("fang.2007.f");
    WriteBytes(path, "A\r\n1\r\n2\r\n3\r\n");
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path));
    EXPECT_EQ(t.CurrentRow(), 3);
    EXPECT_FALSE(t.BeginningOfFile());
    EXPECT_FALSE(t.EndOfFile());
    EXPECT_EQ(t.Engine().TableName(), "fang.2007");

    const std::string noDot = dir.File("fangbuch");
    WriteBytes(noDot, "A\r\n");
    ASSERT_TRUE(t.LoadFromFile(noDot));
    EXPECT_EQ(t.Engine().TableName(), "");
    EXPECT_EQ(t.CurrentRow(), 0);
    EXPECT_TRUE(t.EndOfFile());
}

TEST(TMlb2CsvFile, EmptyFileIsAnEmptyTableAndBack) {
    TempDir dir;
    const std::string path = dir.File("leer.f");
    WriteBytes(path, "");
    TMlbc t;
    Fill(t, {"Alt"}, {{"1"}});
    ASSERT_TRUE(t.LoadFromFile(path));
    EXPECT_EQ(t.FieldCount(), 0);
    EXPECT_EQ(t.RowCount(), 0);
    const std::string out = dir.File("neu.f");
    WriteBytes(out, "alter Inhalt");
    ASSERT_TRUE(t.SaveToFile(out));
    EXPECT_EQ(ReadBytes(out), "");
}

TEST(TMlb2CsvFile, ABlankOnlySingleFieldCellSurvivesTheRoundTrip) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"Notiz"}, {{"  "}, {"\t"}, {"x"}});
    const std::string path = dir.File("x.f");
    ASSERT_TRUE(t.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "Notiz\r\n\\  \r\n\\\t\r\nx\r\n");
    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(StateOf(back).rows, StateOf(t).rows);
}

TEST(TMlb2CsvFile, FormatIsChosenByTheLastThreeCharacters) {
    EXPECT_EQ(TMlb2::FormatOfPath("catches.f"), TMlb2Format::Csv);
    EXPECT_EQ(TMlb2::FormatOfPath("CATCHES.MLB"), TMlb2Format::Mlb);
    EXPECT_EQ(TMlb2::FormatOfPath("x.mLb"), TMlb2Format::Mlb);
    EXPECT_EQ(TMlb2::FormatOfPath("notes.txt"), TMlb2Format::Txt);
    EXPECT_EQ(TMlb2::FormatOfPath("notestxt"), TMlb2Format::Txt); // not the extension
    EXPECT_EQ(TMlb2::FormatOfPath("ab"), TMlb2Format::Csv);
    EXPECT_EQ(TMlb2::FormatOfPath(""), TMlb2Format::Csv);
    for (const char* p : {"k.a", "k.cal", "k.fdb", "k.akdb", "k.csv", "kosten", "k.mlbx"}) {
        EXPECT_EQ(TMlb2::FormatOfPath(p), TMlb2Format::Csv) << p;
    }

    TempDir dir;
    TMlbc t;
    Fill(t, {"A"}, {{"1"}});
    ASSERT_TRUE(t.SaveToFile(dir.File("catches.f")));
    ASSERT_TRUE(t.SaveToFile(dir.File("CATCHES.MLB")));
    ASSERT_TRUE(t.SaveToFile(dir.File("notes.txt")));
    EXPECT_EQ(ReadBytes(dir.File("catches.f")), "A\r\n1\r\n");
    EXPECT_EQ(ReadBytes(dir.File("CATCHES.MLB")).substr(0, 3), "MLB");
    EXPECT_EQ(ReadBytes(dir.File("notes.txt")), "\"A\"\r\n\"1\"\r\n");
}

TEST(TMlb2CsvFile, AShortPathIsWrittenAsCsv) {
    TempDir dir;
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    TMlbc t;
    Fill(t, {"A"}, {{"1"}});
    const bool saved = t.SaveToFile("ab");
    TMlbc back;
    const bool loaded = back.LoadFromFile("ab");
    std::filesystem::current_path(old);
    ASSERT_TRUE(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ReadBytes(dir.File("ab")), "A\r\n1\r\n");
    EXPECT_EQ(back.Cell(1, 1), "1");
}

TEST(TMlb2CsvFile, LinesAcrossReadChunksAndACrLfSplitBetweenThem) {
    // The reader works in 256 KiB chunks: put a CR as the last byte of the
    // first chunk and its LF as the first of the second, then a bad line
    // whose reported number shows whether the split pair counted once.
    TempDir dir;
    const std::size_t chunk = 256 * 1024;
    std::string bytes = "A;B\r\n";
    bytes += std::string(chunk - 2 - bytes.size(), 'x') + ";\r\n";
    ASSERT_EQ(bytes[chunk - 1], '\r');
    for (int i = 0; i < 30000; ++i) {
        bytes += "Zeile " + std::to_string(i) + ";\xE4\\;\\n\r\n";
    }
    const std::string path = dir.File("gross.f");
    WriteBytes(path, bytes);
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path)) << t.LastFailure();
    ASSERT_EQ(t.RowCount(), 30001);
    EXPECT_EQ(t.Cell(1, 1).size(), chunk - 7);
    EXPECT_EQ(t.Cell(30001, 1), "Zeile 29999");
    EXPECT_EQ(t.Cell(12345, 2), "ä;\r\n");
    const std::string out = dir.File("gross2.f");
    ASSERT_TRUE(t.SaveToFile(out));
    EXPECT_TRUE(ReadBytes(out) == bytes) << "saved file differs";

    WriteBytes(path, bytes.substr(0, chunk + 1) + "1;2;3\r\n");
    TMlbc bad;
    EXPECT_FALSE(bad.LoadFromFile(path));
    EXPECT_NE(bad.LastFailure().find("Zeile 3 "), std::string::npos) << bad.LastFailure();
}

TEST(TMlb2CsvFailure, MissingFileLeavesTheTableAsItWas) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"A", "B"}, {{"1", "2"}, {"3", "4"}});
    t.GoToRow(1);
    const auto before = StateOf(t);
    const std::string path = dir.File("fehlt.f");
    EXPECT_FALSE(t.LoadFromFile(path));
    EXPECT_EQ(StateOf(t), before);
    EXPECT_EQ(t.Engine().LastErrorCode(), 3);
    EXPECT_EQ(t.Engine().LastErrorMessage(), "1-Unable to open the file for reading");
    EXPECT_NE(t.LastFailure().find(path), std::string::npos);
    EXPECT_NE(t.LastFailure().find("existiert nicht"), std::string::npos);

    EXPECT_FALSE(t.LoadFromFile("   "));
    EXPECT_EQ(t.Engine().LastErrorCode(), 3);
    EXPECT_FALSE(t.LoadFromFile(dir.Path().string() + "/")); // a folder
    EXPECT_EQ(StateOf(t), before);

    // A later success clears the failure.
    WriteBytes(path, "A\r\n");
    EXPECT_TRUE(t.LoadFromFile(path));
    EXPECT_EQ(t.LastFailure(), "");
    EXPECT_EQ(t.Engine().LastErrorCode(), 0);
}

TEST(TMlb2CsvFailure, ALineWithMorePiecesThanFieldsFailsTheWholeLoad) {
    TempDir dir;
    const std::string path = dir.File("x.f");
    WriteBytes(path, "A;B\r\n1;2\r\n\r\n3;4;5\r\n6;7\r\n");
    TMlbc t;
    Fill(t, {"Alt"}, {{"bleibt"}});
    const auto before = StateOf(t);
    EXPECT_FALSE(t.LoadFromFile(path));
    EXPECT_EQ(StateOf(t), before);
    EXPECT_EQ(t.Engine().LastErrorCode(), TMlb2::kErrorReadWrite);
    EXPECT_NE(t.LastFailure().find(path), std::string::npos);
    EXPECT_NE(t.LastFailure().find("Zeile 4 "), std::string::npos) << t.LastFailure();

    // A trailing separator is one piece too many as well.
    WriteBytes(path, "A;B\r\n1;2;\r\n");
    EXPECT_FALSE(t.LoadFromFile(path));
    EXPECT_EQ(StateOf(t), before);
}

TEST(TMlb2CsvFailure, AnUnwritableTargetFailsAndKeepsTheTable) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"A"}, {{"1"}});
    const auto before = StateOf(t);
    const std::string inMissingFolder = dir.File("fehlt/x.f");
    EXPECT_FALSE(t.SaveToFile(inMissingFolder));
    EXPECT_EQ(t.Engine().LastErrorCode(), 3);
    EXPECT_EQ(t.Engine().LastErrorMessage(), "1-Unable to open the file for writing");
    EXPECT_NE(t.LastFailure().find(inMissingFolder), std::string::npos) << t.LastFailure();
    EXPECT_FALSE(std::filesystem::exists(inMissingFolder));

    WriteBytes(dir.File("datei"), "kein Ordner");
    EXPECT_FALSE(t.SaveToFile(dir.File("datei/x.f")));
    EXPECT_EQ(ReadBytes(dir.File("datei")), "kein Ordner");

    std::filesystem::create_directory(dir.File("ordner.f"));
    EXPECT_FALSE(t.SaveToFile(dir.File("ordner.f")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("ordner.f")));
    EXPECT_EQ(StateOf(t), before);

    // A success afterwards clears the last error.
    EXPECT_TRUE(t.SaveToFile(dir.File("gut.f")));
    EXPECT_EQ(t.Engine().LastErrorCode(), 0);
    EXPECT_EQ(t.LastFailure(), "");
}

TEST(TMlb2CsvFailure, ACharacterOutsideWindows1252FailsTheSaveAndKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("fang.f");
    WriteBytes(path, "A;B\r\nalt;alt\r\n");
    TMlbc t;
    Fill(t, {"A", "Kommentar"}, {{"1", "gut"}, {"2", "Fisch \xF0\x9F\x90\x9F gefangen"}});
    EXPECT_FALSE(t.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "A;B\r\nalt;alt\r\n");
    EXPECT_EQ(t.Engine().LastErrorCode(), TMlb2::kErrorReadWrite);
    const std::string& why = t.LastFailure();
    EXPECT_NE(why.find(path), std::string::npos);
    EXPECT_NE(why.find(NonWin1252Message("\xF0\x9F\x90\x9F")), std::string::npos) << why;
    EXPECT_NE(why.find("Datensatz 2"), std::string::npos) << why;
    EXPECT_NE(why.find("Kommentar"), std::string::npos) << why;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
    EXPECT_EQ(t.RowCount(), 2); // the table keeps the change

    TMlbc names;
    names.AddField("Fisch\xE4\xB8\xAD");
    EXPECT_FALSE(names.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "A;B\r\nalt;alt\r\n");
}

TEST(TMlb2CsvFailure, ASuccessfulSaveReplacesTheOldFileWhole) {
    TempDir dir;
    const std::string path = dir.File("fang.f");
    WriteBytes(path, std::string(100000, 'x'));
    TMlbc t;
    Fill(t, {"A"}, {{"1"}});
    ASSERT_TRUE(t.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "A\r\n1\r\n");
}

} // namespace
} // namespace zv
