#pragma once

#include "onlinestats/SqlDatabase.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// Where the service keeps its catches: "sqlite:FILE" (a path, relative to
// the working folder) or a PostgreSQL connection URI ("postgresql://…",
// "postgres://…").
struct DatabaseLocation {
    enum class Backend { Sqlite, Postgres };

    // By default "sqlite:onlinestatistik.sqlite".
    Backend backend = Backend::Sqlite;
    std::string target = "onlinestatistik.sqlite"; // the file, or the whole URI

    // For people and logs: the file, or host, port, database and user of
    // the URI; a password is never part of it.
    std::string Describe() const;
    // A new connection; waits for locks up to `waitMilliseconds`.
    std::unique_ptr<SqlDatabase> Connect(int waitMilliseconds) const;
};

// Nothing, and a German reason in `problem`, for a text of another form.
std::optional<DatabaseLocation> ParseDatabaseLocation(std::string_view text, std::string& problem);

} // namespace zv
