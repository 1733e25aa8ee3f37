#include "onlinestats/DatabaseLocation.h"

#include "onlinestats/PostgresDatabase.h"
#include "onlinestats/SqliteDatabase.h"

#include <libpq-fe.h>

#include <filesystem>

namespace zv {

std::string DatabaseLocation::Describe() const {
    if (backend == Backend::Sqlite) {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(target, error);
        return "SQLite-Datei " + (error ? target : absolute.string());
    }
    char* message = nullptr;
    PQconninfoOption* options = PQconninfoParse(target.c_str(), &message);
    PQfreemem(message);
    std::string text = "PostgreSQL";
    for (const PQconninfoOption* option = options; option != nullptr && option->keyword != nullptr;
         ++option) {
        const std::string keyword = option->keyword;
        if (option->val != nullptr && *option->val != '\0' &&
            (keyword == "host" || keyword == "port" || keyword == "dbname" || keyword == "user")) {
            text += " " + keyword + "=" + option->val;
        }
    }
    PQconninfoFree(options);
    return text;
}

std::unique_ptr<SqlDatabase> DatabaseLocation::Connect(int waitMilliseconds) const {
    if (backend == Backend::Sqlite) {
        return std::make_unique<SqliteDatabase>(target, waitMilliseconds);
    }
    return std::make_unique<PostgresDatabase>(target, waitMilliseconds);
}

std::optional<DatabaseLocation> ParseDatabaseLocation(std::string_view text, std::string& problem) {
    DatabaseLocation location;
    if (text.starts_with("sqlite:") && text.size() > 7) {
        location.target = text.substr(7);
        return location;
    }
    if (text.starts_with("postgresql://") || text.starts_with("postgres://")) {
        char* message = nullptr;
        PQconninfoOption* options = PQconninfoParse(std::string(text).c_str(), &message);
        if (options == nullptr) {
            problem = "Die PostgreSQL-Adresse ist ungültig: " +
                      std::string(message != nullptr ? message : "zu wenig Speicher");
            while (!problem.empty() && problem.back() == '\n') {
                problem.pop_back();
            }
            PQfreemem(message);
            return std::nullopt;
        }
        PQconninfoFree(options);
        location.backend = DatabaseLocation::Backend::Postgres;
        location.target = text;
        return location;
    }
    problem = "Die Datenbank \"" + std::string(text) +
              "\" ist ungültig. Erwartet wird sqlite:DATEI oder postgresql://…";
    return std::nullopt;
}

} // namespace zv
