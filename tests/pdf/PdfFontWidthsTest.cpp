#include "reports/pdf/PdfFontWidths.h"
#include "reports/pdf/TPdfFont.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace zv;

namespace {

std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    std::string cell;
    while (std::getline(stream, cell, ',')) {
        cells.push_back(cell);
    }
    return cells;
}

} // namespace

// The constant tables must be exactly the shipped metrics file, cell by cell.
TEST(PdfFontWidths, MatchTheMetricsFile) {
    std::ifstream file(std::string(ZV_DATA_DIR) + "/pdf_font_widths.csv");
    ASSERT_TRUE(file) << "cannot open the font width file";
    std::string line;
    ASSERT_TRUE(std::getline(file, line));
    std::vector<std::string> header = SplitCsv(line);
    ASSERT_EQ(header.size(), 13u);
    int rows = 0;
    while (std::getline(file, line)) {
        std::vector<std::string> cells = SplitCsv(line);
        ASSERT_EQ(cells.size(), 13u) << line;
        int code = std::stoi(cells[0]);
        ASSERT_EQ(code, 32 + rows);
        for (std::size_t column = 1; column < cells.size(); ++column) {
            const PdfWidthTable* table = StandardFontWidths(header[column]);
            ASSERT_NE(table, nullptr) << header[column];
            EXPECT_EQ((*table)[static_cast<std::size_t>(code - 32)], std::stoi(cells[column]))
                << header[column] << " code " << code;
        }
        ++rows;
    }
    EXPECT_EQ(rows, 224);
    EXPECT_EQ(StandardFontWidths("Symbol"), nullptr);
}

TEST(PdfFontWidths, RegisteredNamesUseTheStandardMetrics) {
    auto arial = TPdfFont::CreateStandard("Arial", 0);
    ASSERT_TRUE(arial);
    EXPECT_EQ(arial->BaseFont(), "Helvetica");
    EXPECT_EQ(arial->CharWidth('A'), 667);
    EXPECT_EQ(arial->CharWidth(0xE4), 556); // ä
    EXPECT_EQ(arial->CharWidth(0x80), 556); // €
    EXPECT_EQ(arial->CharWidth(31), 0);     // below the table

    auto bold = TPdfFont::CreateStandard("Arial-Bold", 1);
    EXPECT_EQ(bold->BaseFont(), "Helvetica-Bold");
    EXPECT_EQ(bold->CharWidth('A'), 722);

    EXPECT_EQ(TPdfFont::BaseFontOf("Arial-Italic"), "Helvetica-Oblique");
    EXPECT_EQ(TPdfFont::BaseFontOf("Arial-BoldItalic"), "Helvetica-BoldOblique");
    EXPECT_EQ(TPdfFont::BaseFontOf("FixedWidth-Italic"), "Courier-Oblique");
    EXPECT_EQ(TPdfFont::BaseFontOf("Times-BoldItalic"), "Times-BoldItalic");
    auto courier = TPdfFont::CreateStandard("FixedWidth-Bold", 2);
    for (int code = 32; code <= 255; ++code) {
        ASSERT_EQ(courier->CharWidth(static_cast<unsigned char>(code)), 600) << code;
    }
    EXPECT_EQ(TPdfFont::CreateStandard("Helvetica", 3), nullptr);
    EXPECT_EQ(TPdfFont::CreateStandard("arial", 3), nullptr);
}
