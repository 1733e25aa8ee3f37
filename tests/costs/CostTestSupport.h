#pragma once

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "costs/CostFields.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace zv::test {

// One cost row in field order: Kaufdatum, Geschaeft, Artikel, Menge,
// Einzelpreis, Gesamtpreis, Versandkosten.
using CostRow = std::vector<std::string>;

// A program folder with a workspace whose cost database is open
// (Kosten.a, named in the settings) and holds the rows a test adds.
class CostFixture : public ::testing::Test {
protected:
    CostFixture() {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() /
                  ("zv-costs-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
        workspace_ = std::make_unique<Workspace>(folder_);
    }
    ~CostFixture() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    // Writes the rows as the cost database, names it in the settings and
    // opens the workspace on it.
    void UseRows(const std::vector<CostRow>& rows) {
        auto table = MakeEmptyTable(CostFields());
        for (const CostRow& row : rows) {
            table->AppendRow();
            for (int field = 0; field < 7 && field < int(row.size()); ++field) {
                table->SetData(table->FieldName(field + 1), row[std::size_t(field)]);
            }
        }
        ASSERT_TRUE(table->SaveToFile(CostPath()));
        workspace_ = std::make_unique<Workspace>(folder_);
        ASSERT_TRUE(workspace_->Settings().WriteString("Datenbank", "Angelkosten", CostPath()));
        ASSERT_TRUE(workspace_->Open().costs.opened);
    }

    std::string CostPath() const { return PathToUtf8(folder_ / "Kosten.a"); }
    TMlbc& Ak() { return workspace_->ak(); }

    // The cost table's rows as stored in memory.
    static std::vector<CostRow> RowsOf(const TMlbc& ak) {
        std::vector<CostRow> rows;
        for (int row = 1; row <= ak.RowCount(); ++row) {
            CostRow cells;
            for (int field = 1; field <= ak.FieldCount(); ++field) {
                cells.emplace_back(ak.Cell(row, field));
            }
            rows.push_back(std::move(cells));
        }
        return rows;
    }

    // The rows of the cost database file as read back from disk.
    std::vector<CostRow> RowsOnDisk() const {
        TMlbc table;
        EXPECT_TRUE(table.LoadFromFile(CostPath()));
        return RowsOf(table);
    }

    // A fixed "now": 15.06.2024.
    static TDateTime Now() { return EncodeDate(2024, 6, 15) + 0.5; }

    std::filesystem::path folder_;
    std::unique_ptr<Workspace> workspace_;
};

} // namespace zv::test
