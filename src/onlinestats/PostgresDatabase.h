#pragma once

#include "onlinestats/SqlDatabase.h"

#include <string>

struct pg_conn;

namespace zv {

// A connection to PostgreSQL through libpq, from a connection URI
// ("postgresql://user@host/db", "postgresql:///db?host=/run/folder").
// A statement waits up to `lockMilliseconds` for a lock before the
// database counts as unavailable.
class PostgresDatabase : public SqlDatabase {
public:
    PostgresDatabase(const std::string& uri, int lockMilliseconds);
    ~PostgresDatabase() override;
    PostgresDatabase(const PostgresDatabase&) = delete;
    PostgresDatabase& operator=(const PostgresDatabase&) = delete;

    std::unique_ptr<SqlStatement> Prepare(std::string_view sql) override;
    void Execute(std::string_view sql) override;
    // In libpq's pipeline mode, a few hundred runs per round trip.
    std::vector<long long> ExecuteEach(SqlStatement& statement, std::size_t runs,
                                       const std::function<void(std::size_t)>& bind) override;
    void BeginWrite() override;
    void BeginRead() override;
    void BeginSchemaChange() override;
    void Commit() override;
    void Rollback() noexcept override;
    bool Usable() const override;

private:
    pg_conn* connection_ = nullptr;
    int nextStatement_ = 0;
};

} // namespace zv
