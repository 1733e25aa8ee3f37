#pragma once

#include "../storage/DataTestSupport.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/EConvertError.h"
#include "storage/Schemas.h"
#include "storage/TMlbc.h"
#include "storage/Workspace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zv::test {

// One cost row in field order: Kaufdatum, Geschaeft, Artikel, Menge,
// Einzelpreis, Gesamtpreis, Versandkosten.
using CostRow = std::vector<std::string>;

inline std::vector<CostRow> RowsOf(const TMlbc& ak) {
    std::vector<CostRow> rows(std::size_t(ak.RowCount()));
    for (int row = 1; row <= ak.RowCount(); ++row) {
        for (int field = 1; field <= ak.FieldCount(); ++field) {
            rows[std::size_t(row - 1)].emplace_back(ak.Cell(row, field));
        }
    }
    return rows;
}

// The message of the EConvertError `action` throws, empty when none.
template <class Action> std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const EConvertError& error) {
        return error.what();
    }
    return {};
}

// A program folder whose settings name the cost database Kosten.a, opened
// in `workspace_` with the rows a test gives. "Now" is 15.06.2024.
class CostFixture : public ::testing::Test {
protected:
    void UseRows(const std::vector<CostRow>& rows) {
        auto table = MakeEmptyTable(CostFields());
        for (const CostRow& row : rows) {
            table->AppendRow();
            for (std::size_t field = 0; field < row.size(); ++field) {
                table->SetData(table->FieldName(int(field) + 1), row[field]);
            }
        }
        ASSERT_TRUE(table->SaveToFile(CostPath()));
        workspace_ = std::make_unique<Workspace>(folder_.Path());
        ASSERT_TRUE(workspace_->Settings().WriteString("Datenbank", "Angelkosten", CostPath()));
        ASSERT_TRUE(workspace_->Open().costs.opened);
    }

    std::string CostPath() const { return PathToUtf8(folder_ / "Kosten.a"); }
    TMlbc& Ak() { return workspace_->ak(); }
    std::vector<CostRow> RowsOnDisk() const {
        TMlbc table;
        EXPECT_TRUE(table.LoadFromFile(CostPath()));
        return RowsOf(table);
    }
    static TDateTime Now() { return EncodeDate(2024, 6, 15) + 0.5; }

    TempFolder folder_;
    std::unique_ptr<Workspace> workspace_ = std::make_unique<Workspace>(folder_.Path());
};

} // namespace zv::test
