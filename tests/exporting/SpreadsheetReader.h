#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zv::test {

// Readers for exported files that share nothing with the writers: the
// .csv by the rules of RFC 4180, the .xlsx unzipped with libzip and its
// sheet, strings and styles read as plain XML.

struct CsvFile {
    bool byteOrderMark = false;
    bool crlfOnly = true; // every record ends with CR LF
    std::vector<std::vector<std::string>> records;
};

// Fields separated by ";", quoted fields with doubled quotes inside.
CsvFile ReadCsv(const std::filesystem::path& file);

struct SheetCell {
    std::string type;   // "s" shared, "inlineStr", "str", "n" (number)
    std::string text;   // the string, or the number as written in the XML
    std::string format; // the number format code; "General" without one
    bool bold = false;
};

struct Workbook {
    std::vector<std::string> sheetNames;
    std::map<std::pair<int, int>, SheetCell> cells; // (row, column), both 0-based
    std::map<int, double> columnWidths;             // 0-based column
    int frozenRows = 0;

    const SheetCell* Cell(int row, int column) const;
};

// Fails the calling test (through EXPECT) when the archive or XML is broken.
Workbook ReadXlsx(const std::filesystem::path& file);

} // namespace zv::test
