#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// A failure of the database. `Unavailable` ones (no connection, the
// database busy or locked past the wait) are worth trying again later; the
// others are faults. `Retry` ones (a deadlock, a serialization conflict) may
// succeed at once when the transaction runs again.
class DatabaseError : public std::runtime_error {
public:
    enum class Kind { Fault, Unavailable, Retry };

    DatabaseError(Kind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    Kind GetKind() const { return kind_; }

private:
    Kind kind_;
};

// A prepared statement. Parameters are written $1, $2 … in the SQL text and
// numbered from 1 here; they keep their values between runs. Columns of a
// result row are numbered from 0.
class SqlStatement {
public:
    virtual ~SqlStatement() = default;

    virtual void BindText(int index, std::string_view value) = 0;
    // Like BindText, but a backend may read `value` in place instead of
    // copying it: it must stay unchanged until the next run has ended, and
    // the parameter must be bound again before the run after.
    virtual void BindTextForRun(int index, std::string_view value) { BindText(index, value); }
    // Bytes, not text: a BLOB in SQLite, a bytea in PostgreSQL.
    virtual void BindBytes(int index, std::string_view value) = 0;
    virtual void BindInt(int index, long long value) = 0;
    virtual void BindReal(int index, double value) = 0;
    virtual void BindNull(int index) = 0;

    // Runs the statement; its rows are then read with Next(), to the end: a
    // statement left on a row may keep its snapshot of the database open.
    virtual void Execute() = 0;
    // Moves to the next row of the result; false after the last.
    virtual bool Next() = 0;
    virtual bool IsNull(int column) const = 0;
    virtual std::string Text(int column) const = 0;
    virtual long long Int(int column) const = 0;
    virtual double Real(int column) const = 0;
    // Rows the last run inserted, changed or deleted.
    virtual long long Changes() const = 0;
};

// One connection to the database. The service writes its SQL once for both
// backends; only what differs between them (how a writing transaction
// starts, how concurrent schema changes wait for each other) is asked of
// the connection.
class SqlDatabase {
public:
    virtual ~SqlDatabase() = default;

    virtual std::unique_ptr<SqlStatement> Prepare(std::string_view sql) = 0;
    // Runs SQL without parameters and results (one or several statements).
    virtual void Execute(std::string_view sql) = 0;

    // Runs `statement` (of this connection, without result rows) once for
    // each of `runs`, after `bind(run)` has set its values; the changes of
    // every run, in order. A backend may send them all before it reads the
    // first reply, so they cost a round trip or two, not one each. The first
    // failure throws, after the runs already sent have been answered.
    virtual std::vector<long long> ExecuteEach(SqlStatement& statement, std::size_t runs,
                                               const std::function<void(std::size_t)>& bind) {
        std::vector<long long> changes;
        changes.reserve(runs);
        for (std::size_t run = 0; run < runs; ++run) {
            bind(run);
            statement.Execute();
            changes.push_back(statement.Changes());
        }
        return changes;
    }

    // Starts a transaction that will write; it holds what it needs so that a
    // concurrent writer waits instead of failing halfway.
    virtual void BeginWrite() = 0;
    // Starts a transaction that reads one consistent state throughout.
    virtual void BeginRead() = 0;
    // Starts a transaction that changes the schema; one such transaction
    // runs at a time, also across processes.
    virtual void BeginSchemaChange() = 0;
    virtual void Commit() = 0;
    // Never throws: it also cleans up after a failure.
    virtual void Rollback() noexcept = 0;

    // False once the connection is known to be lost.
    virtual bool Usable() const = 0;
};

} // namespace zv
