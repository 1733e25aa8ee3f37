#include "exporting/TableExport.h"

#include "../storage/DataTestSupport.h"
#include "SpreadsheetReader.h"
#include "base/DateTime.h"
#include "base/NumberText.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zv {
namespace {

using test::TempFolder;

struct FieldText {
    const char* field;
    std::string text;
};

// Catches as anglers type them: umlauts, ";" and quotes, comments over
// several lines, empty cells and cells that are no date or number.
const std::vector<std::vector<FieldText>> kCatches = {
    {{"Fangdatum", "03.06.2024"},
     {"Fangzeit", "06:15:00"},
     {"Angelbeginn", "05:00:00"},
     {"Faenger", "Jürgen Größ"},
     {"Fischart", "Äsche"},
     {"Laenge", "45,5"},
     {"Gewicht", "1200"},
     {"Stelle", "Steg; links"},
     {"GPSLat", "47°12.1234N"},
     {"Lufttemp", "-3,5"},
     {"Kommentar", "Er sagte \"Petri Heil\"\r\nund dann: zweite Zeile"},
     {"zurueckgesetzt", "-1"}},
    {{"Fangdatum", "31.02.2024"},
     {"Fangzeit", "25:00:00"},
     {"Faenger", " Ufer-Willi "},
     {"Laenge", "zwölf"},
     {"Gewicht", "12,500"},
     {"Koeder", "_x0041_"},
     {"Stelle", "=SUMME(A1)"},
     {"Kommentar", "nur\nLF"}},
    {{"Fangdatum", "01.01.1899"}, {"Einzelpreis", "12,50"}, {"Tiefe", "1E16"}},
};

std::unique_ptr<TMlbc> CatchTable(const std::vector<std::vector<FieldText>>& rows) {
    std::unique_ptr<TMlbc> table = MakeEmptyTable(CatchFields());
    table->AddField("Einzelpreis"); // a cost field in a foreign table keeps its kind
    for (const auto& row : rows) {
        table->AppendRow();
        for (const FieldText& cell : row) {
            table->SetData(cell.field, cell.text);
        }
    }
    return table;
}

std::vector<std::string> RowCells(const TMlbc& table, int row) {
    std::vector<std::string> cells;
    for (int field = 1; field <= table.FieldCount(); ++field) {
        cells.emplace_back(table.Cell(row, field));
    }
    return cells;
}

std::vector<std::string> FieldNames(const TMlbc& table) {
    std::vector<std::string> names;
    for (int field = 1; field <= table.FieldCount(); ++field) {
        names.push_back(table.FieldName(field));
    }
    return names;
}

ExportResult Export(const TMlbc& table, const std::filesystem::path& file,
                    std::optional<std::vector<int>> rows = std::nullopt) {
    ExportRequest request;
    request.file = file;
    request.format = *ExportFormatOf(file);
    request.rows = std::move(rows);
    return ExportTable(table, request);
}

// The text a spreadsheet shows for a cell read back from the file.
std::string Shown(const test::SheetCell& cell) {
    if (cell.type != "n") {
        return cell.text;
    }
    const double value = std::stod(cell.text);
    if (cell.format == "dd.mm.yyyy") {
        return DateToStr(value);
    }
    if (cell.format == "hh:mm:ss") {
        return TimeToStr(value);
    }
    if (cell.format == "0.00") {
        return FormatFixed2(value);
    }
    EXPECT_EQ(cell.format, "General");
    return FloatToStrDe(value);
}

TEST(ExportTest, CsvHoldsEveryCellAsStored) {
    TempFolder folder;
    const auto table = CatchTable(kCatches);
    const ExportResult result = Export(*table, folder / "fänge.csv");
    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(result.rows, int(kCatches.size()));

    const test::CsvFile csv = test::ReadCsv(folder / "fänge.csv");
    EXPECT_TRUE(csv.byteOrderMark);
    EXPECT_TRUE(csv.crlfOnly);
    ASSERT_EQ(csv.records.size(), kCatches.size() + 1);
    EXPECT_EQ(csv.records[0], FieldNames(*table));
    for (int row = 1; row <= table->RowCount(); ++row) {
        EXPECT_EQ(csv.records[std::size_t(row)], RowCells(*table, row)) << "row " << row;
    }
}

TEST(ExportTest, XlsxHoldsEveryCellAsStored) {
    TempFolder folder;
    const auto table = CatchTable(kCatches);
    const ExportResult result = Export(*table, folder / "fänge.xlsx");
    ASSERT_TRUE(result.ok) << result.problem;

    const test::Workbook book = test::ReadXlsx(folder / "fänge.xlsx");
    for (int row = 0; row <= table->RowCount(); ++row) {
        const std::vector<std::string> expected =
            row == 0 ? FieldNames(*table) : RowCells(*table, row);
        for (std::size_t column = 0; column < expected.size(); ++column) {
            const test::SheetCell* cell = book.Cell(row, int(column));
            const std::string shown = cell == nullptr ? "" : Shown(*cell);
            EXPECT_EQ(shown, expected[column]) << "row " << row << ", column " << column;
        }
    }
}

TEST(ExportTest, XlsxTypesACellOnlyWhenItShowsAsStored) {
    struct Case {
        const char* field;
        const char* text;
        const char* format; // nullptr: stays text
    };
    const Case cases[] = {
        {"Fangdatum", "03.06.2024", "dd.mm.yyyy"},
        {"Fangdatum", "3.6.2024", nullptr},
        {"Fangdatum", "31.02.2024", nullptr},
        {"Fangdatum", "01.01.1899", nullptr},
        {"Sonnenaufgang", "05:07:09", "hh:mm:ss"},
        {"Fangzeit", "24:00:00", nullptr},
        {"Fangzeit", "6:15", nullptr},
        {"Laenge", "78", "General"},
        {"Lufttemp", "-3,5", "General"},
        {"Gewicht", "4200,50", "0.00"},
        {"Gewicht", "12,500", nullptr},
        {"Gewicht", "+3", nullptr},
        {"Gewicht", "1.5", nullptr},
        {"GPSLat", "47°12.1234N", nullptr},
        {"Kommentar", "12", nullptr},
        {"zurueckgesetzt", "-1", nullptr},
    };
    std::vector<std::vector<FieldText>> rows;
    for (const Case& c : cases) {
        rows.push_back({{c.field, c.text}});
    }
    TempFolder folder;
    const auto table = CatchTable(rows);
    ASSERT_TRUE(Export(*table, folder / "typen.xlsx").ok);

    const test::Workbook book = test::ReadXlsx(folder / "typen.xlsx");
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const test::SheetCell* cell = book.Cell(int(i) + 1, table->FieldIndex(cases[i].field) - 1);
        ASSERT_NE(cell, nullptr) << cases[i].text;
        if (cases[i].format == nullptr) {
            EXPECT_NE(cell->type, "n") << cases[i].field << " " << cases[i].text;
        } else {
            EXPECT_EQ(cell->type, "n") << cases[i].field << " " << cases[i].text;
            EXPECT_EQ(cell->format, cases[i].format) << cases[i].field << " " << cases[i].text;
        }
    }
}

TEST(ExportTest, XlsxHeaderIsBoldAndFrozenAndColumnsFitTheirContent) {
    TempFolder folder;
    const auto table = CatchTable(kCatches);
    ASSERT_TRUE(Export(*table, folder / "fänge.xlsx").ok);

    const test::Workbook book = test::ReadXlsx(folder / "fänge.xlsx");
    EXPECT_EQ(book.sheetNames, std::vector<std::string>{"Fänge"});
    EXPECT_EQ(book.frozenRows, 1);
    for (int column = 0; column < table->FieldCount(); ++column) {
        const test::SheetCell* header = book.Cell(0, column);
        ASSERT_NE(header, nullptr);
        EXPECT_TRUE(header->bold) << header->text;
        EXPECT_GE(book.columnWidths.at(column), double(header->text.size()));
    }
    // "und dann: zweite Zeile" is the comment's longest line.
    const double comment = book.columnWidths.at(table->FieldIndex("Kommentar") - 1);
    EXPECT_GE(comment, 22.0);
    EXPECT_LT(comment, 40.0);
}

TEST(ExportTest, ChosenRowsComeOutInTheirOrder) {
    TempFolder folder;
    const auto table = CatchTable(kCatches);
    const ExportResult result = Export(*table, folder / "auswahl.csv", std::vector<int>{3, 1, 99});
    ASSERT_TRUE(result.ok) << result.problem;
    EXPECT_EQ(result.rows, 2);

    const test::CsvFile csv = test::ReadCsv(folder / "auswahl.csv");
    ASSERT_EQ(csv.records.size(), 3u);
    EXPECT_EQ(csv.records[1], RowCells(*table, 3));
    EXPECT_EQ(csv.records[2], RowCells(*table, 1));
}

TEST(ExportTest, AFailedExportLeavesTheTargetAsItWasAndSaysWhy) {
    struct Case {
        const char* file;
        std::string comment;
        const char* reason; // besides the file's name
    };
    const Case cases[] = {
        {"lang.xlsx", std::string(32768, 'x'), "\"Kommentar\" in Zeile 1"},
        {"fehlt/fänge.csv", "kurz", ""},
        {"fehlt/fänge.xlsx", "kurz", ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::filesystem::path file = folder / c.file;
        if (std::filesystem::exists(file.parent_path())) {
            test::WriteBytes(file, "alt");
        }
        const auto table = CatchTable({{{"Kommentar", c.comment}}});
        const ExportResult result = Export(*table, file);
        EXPECT_FALSE(result.ok) << c.file;
        EXPECT_NE(result.problem.find(c.reason), std::string::npos) << result.problem;
        EXPECT_NE(result.problem.find(file.string()), std::string::npos) << result.problem;
        if (std::filesystem::exists(file.parent_path())) {
            EXPECT_EQ(test::ReadBytes(file), "alt");
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                                    std::filesystem::directory_iterator()),
                      1)
                << "nothing left beside the target";
        }
    }
}

TEST(ExportTest, TheFormatFollowsTheExtension) {
    const std::pair<const char*, std::optional<ExportFormat>> cases[] = {
        {"a.xlsx", ExportFormat::Xlsx}, {"B.XLSX", ExportFormat::Xlsx},
        {"c.Csv", ExportFormat::Csv},   {"d.xls", std::nullopt},
        {"xlsx", std::nullopt},         {"e.csv.txt", std::nullopt},
    };
    for (const auto& [file, format] : cases) {
        EXPECT_EQ(ExportFormatOf(file), format) << file;
    }
}

} // namespace
} // namespace zv
