#pragma once

#include "onlinestats/SqlDatabase.h"

#include <filesystem>

struct sqlite3;

namespace zv {

// A connection to an SQLite database file (created when missing), in WAL
// mode so readers never wait for the writer. A writer waits up to
// `busyMilliseconds` for another writer before the database counts as
// unavailable.
class SqliteDatabase : public SqlDatabase {
public:
    SqliteDatabase(const std::filesystem::path& file, int busyMilliseconds);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    std::unique_ptr<SqlStatement> Prepare(std::string_view sql) override;
    void Execute(std::string_view sql) override;
    void BeginWrite() override;
    void BeginRead() override;
    void BeginSchemaChange() override;
    void Commit() override;
    void Rollback() noexcept override;
    bool Usable() const override { return db_ != nullptr; }

private:
    sqlite3* db_ = nullptr;
};

} // namespace zv
