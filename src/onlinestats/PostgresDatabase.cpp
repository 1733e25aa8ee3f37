#include "onlinestats/PostgresDatabase.h"

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace zv {

namespace {

struct ResultDeleter {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// The libpq message without its trailing line break.
std::string Message(PGconn* connection, const PGresult* result) {
    std::string text = result != nullptr ? PQresultErrorMessage(result) : "";
    if (text.empty()) {
        text = PQerrorMessage(connection);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

DatabaseError Failure(PGconn* connection, const PGresult* result, std::string_view doing) {
    const char* state = result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string code = state != nullptr ? state : "";
    DatabaseError::Kind kind = DatabaseError::Kind::Fault;
    if (PQstatus(connection) != CONNECTION_OK || code.starts_with("08") || code == "57P01" ||
        code == "57P02" || code == "57P03" || code == "53300" || code == "55P03") {
        // Connection lost, server shutting down or full, lock not granted in time.
        kind = DatabaseError::Kind::Unavailable;
    } else if (code == "40001" || code == "40P01") {
        kind = DatabaseError::Kind::Retry;
    }
    return DatabaseError(kind,
                         "PostgreSQL: " + std::string(doing) + ": " + Message(connection, result));
}

[[noreturn]] void Fail(PGconn* connection, const PGresult* result, std::string_view doing) {
    throw Failure(connection, result, doing);
}

// The changes a command reports ("INSERT 0 1" gives 1).
long long ChangesOf(PGresult* result) {
    const char* tuples = PQcmdTuples(result);
    return tuples != nullptr && *tuples != '\0' ? std::atoll(tuples) : 0;
}

// Checks a result; a command that failed throws.
Result Checked(PGconn* connection, PGresult* raw, std::string_view doing) {
    Result result(raw);
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        Fail(connection, result.get(), doing);
    }
    return result;
}

class PostgresStatement : public SqlStatement {
public:
    PostgresStatement(PGconn* connection, std::string name, std::string_view sql)
        : connection_(connection), name_(std::move(name)) {
        const std::string text(sql);
        const Result prepared =
            Checked(connection, PQprepare(connection, name_.c_str(), text.c_str(), 0, nullptr),
                    "Anweisung vorbereiten");
        const Result described = Checked(connection, PQdescribePrepared(connection, name_.c_str()),
                                         "Anweisung beschreiben");
        values_.resize(static_cast<std::size_t>(PQnparams(described.get())));
    }

    void BindText(int index, std::string_view value) override { Slot(index).emplace(value); }
    // Parameters go as text, where bytea reads "\\x" and two hex digits per byte.
    void BindBytes(int index, std::string_view value) override {
        static constexpr char kHex[] = "0123456789abcdef";
        std::string text = "\\x";
        text.reserve(2 + 2 * value.size());
        for (const char byte : value) {
            text += kHex[static_cast<unsigned char>(byte) >> 4];
            text += kHex[static_cast<unsigned char>(byte) & 0x0F];
        }
        Slot(index) = std::move(text);
    }
    void BindInt(int index, long long value) override { Slot(index) = std::to_string(value); }
    void BindReal(int index, double value) override {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, value).ptr;
        Slot(index).emplace(text, end);
    }
    void BindNull(int index) override { Slot(index).reset(); }

    void Execute() override {
        const std::vector<const char*> values = Values();
        result_ =
            Checked(connection_,
                    PQexecPrepared(connection_, name_.c_str(), static_cast<int>(values.size()),
                                   values.data(), nullptr, nullptr, 0),
                    "Anweisung ausführen");
        row_ = -1;
        changes_ = ChangesOf(result_.get());
    }
    // Queues a run in pipeline mode; its reply is read later.
    bool Send() {
        const std::vector<const char*> values = Values();
        return PQsendQueryPrepared(connection_, name_.c_str(), static_cast<int>(values.size()),
                                   values.data(), nullptr, nullptr, 0) == 1;
    }
    bool Next() override {
        if (!result_ || row_ + 1 >= PQntuples(result_.get())) {
            return false;
        }
        ++row_;
        return true;
    }
    bool IsNull(int column) const override { return PQgetisnull(result_.get(), row_, column) != 0; }
    std::string Text(int column) const override {
        return std::string(PQgetvalue(result_.get(), row_, column),
                           static_cast<std::size_t>(PQgetlength(result_.get(), row_, column)));
    }
    long long Int(int column) const override { return Parse<long long>(column); }
    double Real(int column) const override { return Parse<double>(column); }
    long long Changes() const override { return changes_; }

private:
    std::vector<const char*> Values() const {
        std::vector<const char*> pointers;
        pointers.reserve(values_.size());
        for (const auto& value : values_) {
            pointers.push_back(value ? value->c_str() : nullptr);
        }
        return pointers;
    }
    std::optional<std::string>& Slot(int index) {
        if (index < 1 || static_cast<std::size_t>(index) > values_.size()) {
            throw DatabaseError(DatabaseError::Kind::Fault,
                                "PostgreSQL: Parameter $" + std::to_string(index) + " fehlt.");
        }
        return values_[static_cast<std::size_t>(index - 1)];
    }
    // Numbers come as text; NUMERIC sums of whole numbers read as integers.
    template <typename T> T Parse(int column) const {
        const char* text = PQgetvalue(result_.get(), row_, column);
        const char* end = text + PQgetlength(result_.get(), row_, column);
        T value{};
        std::from_chars(text, end, value);
        return value;
    }

    PGconn* connection_;
    std::string name_;
    std::vector<std::optional<std::string>> values_;
    Result result_;
    int row_ = -1;
    long long changes_ = 0;
};

} // namespace

PostgresDatabase::PostgresDatabase(const std::string& uri, int lockMilliseconds) {
    connection_ = PQconnectdb(uri.c_str());
    if (connection_ == nullptr || PQstatus(connection_) != CONNECTION_OK) {
        const std::string reason =
            connection_ != nullptr ? Message(connection_, nullptr) : "zu wenig Speicher";
        PQfinish(connection_);
        connection_ = nullptr;
        throw DatabaseError(DatabaseError::Kind::Unavailable,
                            "PostgreSQL: keine Verbindung: " + reason);
    }
    try {
        // Every upload that brings new catches updates the same tally rows
        // and holds them until it commits; not waiting for the log flush
        // there keeps that short. A database crash may lose the last
        // moments of uploads, never a part of one, and the client, which
        // always sends every catch, brings them again.
        Execute("SET client_encoding = 'UTF8'; SET client_min_messages = warning; "
                "SET synchronous_commit = off; SET lock_timeout = " +
                std::to_string(lockMilliseconds));
    } catch (...) {
        PQfinish(connection_);
        throw;
    }
}

PostgresDatabase::~PostgresDatabase() {
    PQfinish(connection_);
}

std::unique_ptr<SqlStatement> PostgresDatabase::Prepare(std::string_view sql) {
    return std::make_unique<PostgresStatement>(connection_, "zv" + std::to_string(++nextStatement_),
                                               sql);
}

void PostgresDatabase::Execute(std::string_view sql) {
    const std::string text(sql);
    Checked(connection_, PQexec(connection_, text.c_str()), "Anweisung ausführen");
}

std::vector<long long> PostgresDatabase::ExecuteEach(SqlStatement& statement, std::size_t runs,
                                                     const std::function<void(std::size_t)>& bind) {
    auto& prepared = dynamic_cast<PostgresStatement&>(statement);
    // The replies of a chunk are small and fit the socket's buffers, so the
    // server never waits for us to read while we still send.
    constexpr std::size_t kChunk = 256;
    std::vector<long long> changes;
    changes.reserve(runs);
    for (std::size_t start = 0; start < runs; start += kChunk) {
        const std::size_t end = std::min(runs, start + kChunk);
        if (PQenterPipelineMode(connection_) != 1) {
            Fail(connection_, nullptr, "Pipeline beginnen");
        }
        std::optional<DatabaseError> failure;
        std::size_t sent = start;
        for (; sent < end; ++sent) {
            bind(sent);
            if (!prepared.Send()) {
                failure = Failure(connection_, nullptr, "Anweisung senden");
                break;
            }
        }
        if (PQpipelineSync(connection_) != 1) {
            // Nothing will answer: the connection is gone.
            Fail(connection_, nullptr, "Pipeline abschließen");
        }
        // Every run answers with its result and an empty one; the sync point
        // ends the chunk. A run after a failed one is only marked aborted.
        for (;;) {
            Result result(PQgetResult(connection_));
            if (!result) {
                if (PQstatus(connection_) != CONNECTION_OK) {
                    failure = Failure(connection_, nullptr, "Anweisung ausführen");
                    break;
                }
                continue;
            }
            const ExecStatusType status = PQresultStatus(result.get());
            if (status == PGRES_PIPELINE_SYNC) {
                break;
            }
            if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
                changes.push_back(ChangesOf(result.get()));
            } else if (status != PGRES_PIPELINE_ABORTED && !failure) {
                failure = Failure(connection_, result.get(), "Anweisung ausführen");
            }
        }
        PQexitPipelineMode(connection_);
        if (failure) {
            throw *failure;
        }
    }
    return changes;
}

void PostgresDatabase::BeginWrite() {
    // Row locks and the unique key make concurrent writers wait for each
    // other where they meet; nothing more is needed.
    Execute("BEGIN");
}

void PostgresDatabase::BeginRead() {
    Execute("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
}

void PostgresDatabase::BeginSchemaChange() {
    // Several server processes may start at once on one database: the lock
    // lets one of them create or migrate the schema while the others wait.
    Execute("BEGIN; SELECT pg_advisory_xact_lock(7428190353)");
}

void PostgresDatabase::Commit() {
    Execute("COMMIT");
}

void PostgresDatabase::Rollback() noexcept {
    if (PQstatus(connection_) == CONNECTION_OK &&
        PQtransactionStatus(connection_) != PQTRANS_IDLE) {
        PQclear(PQexec(connection_, "ROLLBACK"));
    }
}

bool PostgresDatabase::Usable() const {
    return PQstatus(connection_) == CONNECTION_OK;
}

} // namespace zv
