#include "onlinestats/SqliteDatabase.h"

#include "base/NumberText.h"

#include <sqlite3.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

namespace {

DatabaseError Error(sqlite3* db, int code, std::string_view doing) {
    const int primary = code & 0xFF;
    const bool unavailable =
        primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_CANTOPEN;
    const std::string reason = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    return DatabaseError(unavailable ? DatabaseError::Kind::Unavailable
                                     : DatabaseError::Kind::Fault,
                         "SQLite: " + std::string(doing) + ": " + reason);
}

[[noreturn]] void Fail(sqlite3* db, int code, std::string_view doing) {
    throw Error(db, code, doing);
}

class SqliteStatement : public SqlStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql) : db_(db) {
        const int code = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                            SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
        if (code != SQLITE_OK) {
            Fail(db, code, "Anweisung vorbereiten");
        }
        // SQLite takes "$1" as a named parameter; map our numbers to its
        // positions so the SQL text stays the one PostgreSQL reads.
        const int count = sqlite3_bind_parameter_count(statement_);
        for (int position = 1; position <= count; ++position) {
            const char* name = sqlite3_bind_parameter_name(statement_, position);
            const int number = name != nullptr && name[0] == '$' ? std::atoi(name + 1) : 0;
            if (number <= 0) {
                sqlite3_finalize(statement_);
                throw DatabaseError(DatabaseError::Kind::Fault,
                                    "SQLite: Parameter müssen $1, $2 … heißen.");
            }
            if (static_cast<std::size_t>(number) >= positions_.size()) {
                positions_.resize(static_cast<std::size_t>(number) + 1, 0);
            }
            positions_[static_cast<std::size_t>(number)] = position;
        }
    }
    ~SqliteStatement() override { sqlite3_finalize(statement_); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void BindText(int index, std::string_view value) override {
        Idle();
        Check(sqlite3_bind_text(statement_, Position(index), value.data(),
                                static_cast<int>(value.size()), SQLITE_TRANSIENT));
    }
    void BindTextForRun(int index, std::string_view value) override {
        Idle();
        const int position = Position(index);
        Check(sqlite3_bind_text(statement_, position, value.data(), static_cast<int>(value.size()),
                                SQLITE_STATIC));
        borrowed_.push_back(position);
    }
    void BindBytes(int index, std::string_view value) override {
        Idle();
        Check(sqlite3_bind_blob(statement_, Position(index), value.data(),
                                static_cast<int>(value.size()), SQLITE_TRANSIENT));
    }
    void BindInt(int index, long long value) override {
        Idle();
        Check(sqlite3_bind_int64(statement_, Position(index), value));
    }
    void BindReal(int index, double value) override {
        Idle();
        Check(sqlite3_bind_double(statement_, Position(index), value));
    }
    void BindNull(int index) override {
        Idle();
        Check(sqlite3_bind_null(statement_, Position(index)));
    }

    // Rows are read one at a time; the statement is reset as soon as its
    // last row has been read, since a statement left on a row keeps its
    // snapshot of the database open.
    void Execute() override {
        Idle();
        pending_ = Step();
    }
    bool Next() override {
        if (pending_) {
            pending_ = false;
            return true;
        }
        return running_ && Step();
    }
    bool IsNull(int column) const override {
        return sqlite3_column_type(statement_, column) == SQLITE_NULL;
    }
    std::string Text(int column) const override {
        const auto* text = sqlite3_column_text(statement_, column);
        return text == nullptr ? std::string()
                               : std::string(reinterpret_cast<const char*>(text),
                                             static_cast<std::size_t>(
                                                 sqlite3_column_bytes(statement_, column)));
    }
    long long Int(int column) const override { return sqlite3_column_int64(statement_, column); }
    double Real(int column) const override { return sqlite3_column_double(statement_, column); }
    long long Changes() const override { return changes_; }

private:
    void Idle() {
        if (running_) {
            sqlite3_reset(statement_);
            running_ = false;
            pending_ = false;
            Release();
        }
    }
    // A run has ended: the texts bound for it are no longer read, and may
    // be gone before the next run, so those parameters are NULL again.
    void Release() {
        for (const int position : borrowed_) {
            sqlite3_bind_null(statement_, position);
        }
        borrowed_.clear();
    }
    // True on a row; at the end the statement is reset.
    bool Step() {
        const int code = sqlite3_step(statement_);
        running_ = code == SQLITE_ROW;
        if (running_) {
            return true;
        }
        changes_ = sqlite3_changes64(db_);
        if (code == SQLITE_DONE) {
            sqlite3_reset(statement_);
            Release();
            return false;
        }
        const DatabaseError error = Error(db_, code, "Anweisung ausführen");
        sqlite3_reset(statement_);
        Release();
        throw error;
    }
    int Position(int index) const {
        const auto number = static_cast<std::size_t>(index);
        if (number >= positions_.size() || positions_[number] == 0) {
            throw DatabaseError(DatabaseError::Kind::Fault,
                                "SQLite: Parameter $" + std::to_string(index) + " fehlt.");
        }
        return positions_[number];
    }
    void Check(int code) const {
        if (code != SQLITE_OK) {
            Fail(db_, code, "Wert binden");
        }
    }
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    std::vector<int> positions_;
    std::vector<int> borrowed_; // positions bound to texts read in place
    bool running_ = false;      // on a row
    bool pending_ = false;      // the first row is there, Next() not yet called
    long long changes_ = 0;
};

// decode(text, 'hex') as PostgreSQL has it, so that both read the same
// SQL: the bytes that 2 hex digits each stand for; NULL stays NULL, and
// anything else but an even number of hex digits is an error.
void DecodeFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* format = reinterpret_cast<const char*>(sqlite3_value_text(arguments[1]));
    if (format == nullptr || std::string_view(format) != "hex") {
        sqlite3_result_error(context, "decode: only the format 'hex' is known", -1);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const std::string_view hex(text, static_cast<std::size_t>(sqlite3_value_bytes(arguments[0])));
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int high = HexDigitValue(hex[i]);
        const int low = HexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0) {
            break;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    if (bytes.size() * 2 != hex.size()) {
        sqlite3_result_error(context, "decode: not an even number of hex digits", -1);
        return;
    }
    sqlite3_result_blob(context, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

} // namespace

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file, int busyMilliseconds) {
    const int code = sqlite3_open_v2(file.c_str(), &db_,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                         SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE,
                                     nullptr);
    if (code != SQLITE_OK) {
        const std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError(DatabaseError::Kind::Unavailable,
                            "SQLite: \"" + file.string() + "\" lässt sich nicht öffnen: " + reason);
    }
    sqlite3_busy_timeout(db_, busyMilliseconds);
    try {
        const int created =
            sqlite3_create_function_v2(db_, "decode", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                       nullptr, DecodeFunction, nullptr, nullptr, nullptr);
        if (created != SQLITE_OK) {
            Fail(db_, created, "Funktion decode anlegen");
        }
        // WAL: readers see the last committed state while an upload is
        // stored. NORMAL syncs at checkpoints, not at every commit: a killed
        // server loses nothing committed, and after a power cut the client,
        // which always sends every catch, fills in what was lost. The
        // catches' key is a digest, so new catches land all over its index:
        // a larger page cache, reads through the mapped file and checkpoints
        // every 64 MiB of log (not every 4 MiB) keep that from being paid
        // in copies and syncs.
        Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-32768; "
                "PRAGMA mmap_size=268435456; PRAGMA wal_autocheckpoint=16384;");
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SqliteDatabase::~SqliteDatabase() {
    sqlite3_close_v2(db_);
}

std::unique_ptr<SqlStatement> SqliteDatabase::Prepare(std::string_view sql) {
    return std::make_unique<SqliteStatement>(db_, sql);
}

void SqliteDatabase::Execute(std::string_view sql) {
    char* message = nullptr;
    const std::string text(sql);
    const int code = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (code != SQLITE_OK) {
        Fail(db_, code, "Anweisung ausführen");
    }
}

void SqliteDatabase::BeginWrite() {
    // IMMEDIATE takes the write lock at once: two writers never both read
    // first and then find they cannot write.
    Execute("BEGIN IMMEDIATE");
}

void SqliteDatabase::BeginRead() {
    // A deferred transaction reads one snapshot of the WAL from its first read.
    Execute("BEGIN");
}

void SqliteDatabase::BeginSchemaChange() {
    BeginWrite();
}

void SqliteDatabase::Commit() {
    Execute("COMMIT");
}

void SqliteDatabase::Rollback() noexcept {
    if (sqlite3_get_autocommit(db_) == 0) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

} // namespace zv
