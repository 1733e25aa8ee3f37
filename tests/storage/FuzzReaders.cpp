// Fuzz target for the three table readers. Each input is written to a file
// and loaded as CSV, MLB and TXT into a table that already holds data:
// - a failed load must leave that table exactly as it was;
// - a successful load followed by a save and a second load must give the
//   same fields and cells (CSV and MLB; for CSV only when no field name
//   holds a backslash or the separator, which the header does not escape).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "storage/TMlb2.h"

namespace {

struct State {
    std::vector<std::string> names;
    std::vector<std::string> types;
    std::vector<std::vector<std::string>> rows;
    int cursor = 0;
    bool bof = false;
    bool eof = false;
    std::string tableName;
    bool operator==(const State&) const = default;
};

State StateOf(const zv::TMlb2& t) {
    State s;
    for (int f = 1; f <= t.FieldCount(); ++f) {
        s.names.push_back(t.FieldName(f));
        s.types.push_back(t.FieldType(f));
    }
    for (int r = 1; r <= t.RowCount(); ++r) {
        std::vector<std::string> row;
        for (int f = 1; f <= t.FieldCount(); ++f) {
            row.emplace_back(t.Cell(r, f));
        }
        s.rows.push_back(std::move(row));
    }
    s.cursor = t.CurrentRow();
    s.bof = t.BeginningOfFile();
    s.eof = t.EndOfFile();
    s.tableName = t.TableName();
    return s;
}

void Check(bool condition, const char* what, const std::string& path) {
    if (!condition) {
        std::fprintf(stderr, "fuzz invariant broken: %s (%s)\n", what, path.c_str());
        std::abort();
    }
}

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("zv-fuzz-readers-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

void Prefill(zv::TMlb2& t) {
    t.AddField("Alt");
    t.AddField("Zwei");
    t.AppendRow();
    t.SetCell(1, "eins");
    t.AppendRow();
    t.SetCell(2, "zwei");
    t.GoToRow(1);
    t.SetTableName("vorher");
}

void LoadAs(const std::string& data, const char* name, bool roundTrip) {
    const std::string path = (Folder() / name).string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
    }
    zv::TMlb2 table;
    Prefill(table);
    const State before = StateOf(table);
    if (!table.LoadFromFile(path)) {
        Check(StateOf(table) == before, "failed load changed the table", path);
        Check(!table.LastFailure().empty(), "failed load without a reason", path);
        return;
    }
    Check(table.LastFailure().empty(), "successful load with a reason", path);
    Check(table.CurrentRow() == table.RowCount(), "cursor not on the last row", path);
    if (!roundTrip) {
        return;
    }
    if (zv::TMlb2::FormatOfPath(path) == zv::TMlb2Format::Csv) {
        for (int f = 1; f <= table.FieldCount(); ++f) {
            if (table.FieldName(f).find_first_of("\\;") != std::string::npos) {
                return;
            }
        }
    }
    const std::string again = (Folder() / (std::string("again-") + name)).string();
    Check(table.SaveToFile(again), "loaded table does not save", path);
    zv::TMlb2 second;
    Check(second.LoadFromFile(again), "saved table does not load", path);
    const State a = StateOf(table);
    const State b = StateOf(second);
    Check(a.names == b.names, "field names changed in the round trip", path);
    Check(a.rows == b.rows, "cells changed in the round trip", path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    LoadAs(bytes, "input.f", true);
    LoadAs(bytes, "input.mlb", true);
    LoadAs(bytes, "input.txt", false);
    return 0;
}
