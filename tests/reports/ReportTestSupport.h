#pragma once

#include "../pdf/PdfTestSupport.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zv {
class TMlbc;
}

namespace zv::test {

// One row: field name → value; every other field stays empty.
using Row = std::map<std::string, std::string>;

// Tables with the full schema of the catch and the cost database.
std::unique_ptr<TMlbc> CatchTable(const std::vector<Row>& rows);
std::unique_ptr<TMlbc> CostTable(const std::vector<Row>& rows);

// A bookmark as qpdf reads it back from a written file.
struct Bookmark {
    std::string title;
    int page = 0; // from 1
    int left = 0;
    int top = 0; // page coordinates (from the bottom)
    std::vector<Bookmark> kids;
};
std::vector<Bookmark> ReadBookmarks(const std::filesystem::path& pdf);

// The text pdftotext extracts from one page (from 1).
std::string PageText(const std::filesystem::path& pdf, int page);
int CountOf(const std::string& text, const std::string& part);
// The files in a folder, by name.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

} // namespace zv::test
