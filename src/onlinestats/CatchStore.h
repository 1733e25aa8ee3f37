#pragma once

#include "onlinestats/SqlDatabase.h"
#include "onlinestats/StoredFigures.h"

#include <memory>
#include <optional>
#include <string>

namespace zv {

struct ParsedUpload;

// What became of an upload.
struct StoreResult {
    long long received = 0; // catch lines in the file
    long long stored = 0;   // of them new
    long long skipped = 0;  // lines that are not a catch
};

// The catches and their kept tallies on one connection, with the same SQL
// for SQLite and PostgreSQL. Not shared between threads: each thread of the
// service works on a store of its own (see StorePool).
class CatchStore {
public:
    // The schema must be current (MigrateSchema).
    explicit CatchStore(std::unique_ptr<SqlDatabase> database);
    ~CatchStore();
    CatchStore(const CatchStore&) = delete;
    CatchStore& operator=(const CatchStore&) = delete;

    // Stores an upload all or nothing, in one transaction. A catch already
    // stored (same fields 1-20) is not stored again; its empty personal
    // fields take the values this upload brings. The kept figures of all
    // catches grow by the new catches (and by waters filled in).
    StoreResult Store(const ParsedUpload& upload);

    // The figures of all catches (kept), or of one species (counted from
    // its catches; nothing when none is stored).
    std::optional<StoredFigures> Figures(const std::optional<std::string>& species);
    // Changes with every upload that changes a figure.
    long long Version();

    // False once the connection is lost; the store is then thrown away.
    bool Usable() const { return database_->Usable(); }

private:
    struct Statements;

    void StoreOnce(const ParsedUpload& upload, StoreResult& result);
    long long Counter(const char* name);
    Statements& Prepared();

    std::unique_ptr<SqlDatabase> database_;
    std::unique_ptr<Statements> statements_;
};

} // namespace zv
