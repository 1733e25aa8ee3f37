#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "storage/TMlb2.h"
#include "storage/TMlbc.h"

namespace zv::tabletest {

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("zv-table-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Everything a load may change, to check that a failed one changed nothing.
struct TableState {
    std::vector<std::string> names;
    std::vector<std::string> types;
    std::vector<std::vector<std::string>> rows;
    int cursor = 0;
    bool bof = false;
    bool eof = false;
    std::string tableName;
    std::vector<std::string> buffer;

    bool operator==(const TableState&) const = default;
};

inline TableState StateOf(const TMlb2& t) {
    TableState s;
    for (int f = 1; f <= t.FieldCount(); ++f) {
        s.names.push_back(t.FieldName(f));
        s.types.push_back(t.FieldType(f));
    }
    for (int r = 1; r <= t.RowCount(); ++r) {
        std::vector<std::string> row;
        for (int f = 1; f <= t.FieldCount(); ++f) {
            row.emplace_back(t.Cell(r, f));
        }
        s.rows.push_back(row);
    }
    s.cursor = t.CurrentRow();
    s.bof = t.BeginningOfFile();
    s.eof = t.EndOfFile();
    s.tableName = t.TableName();
    s.buffer = t.RowBuffer();
    return s;
}

inline TableState StateOf(const TMlbc& t) {
    return StateOf(t.Engine());
}

// Fields and rows given as text, the cursor left on the last row.
inline void Fill(TMlbc& t, const std::vector<std::string>& names,
                 const std::vector<std::vector<std::string>>& rows) {
    for (const std::string& name : names) {
        t.AddField(name);
    }
    for (const auto& row : rows) {
        t.AppendRow();
        for (std::size_t i = 0; i < row.size(); ++i) {
            t.SetData(names[i], row[i]);
        }
    }
}

} // namespace zv::tabletest
