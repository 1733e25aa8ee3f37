#include "TestDatabase.h"

#include "base/Win1252.h"

#include <atomic>
#include <cstdlib>
#include <unistd.h>

namespace zv::test {

std::unique_ptr<TestDatabase> TestDatabase::Create(Backend backend, std::string& skipReason,
                                                   bool ownPostgresDatabase) {
    std::unique_ptr<TestDatabase> database(new TestDatabase());
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zv-onlinestats-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        skipReason = "no temporary folder";
        return nullptr;
    }
    database->folder_ = pattern;
    if (backend == Backend::Sqlite) {
        database->location_.target = (database->folder_ / "stats.sqlite").string();
        return database;
    }
    const char* uri = std::getenv(kPostgresVariable);
    if (uri == nullptr || *uri == '\0') {
        skipReason = std::string(kPostgresVariable) +
                     " is not set; scripts/test.sh starts a PostgreSQL and sets it";
        return nullptr;
    }
    static std::atomic<int> counter{0};
    const std::string name = "zvt_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    database->adminUri_ = uri;
    database->location_.backend = Backend::Postgres;
    const std::string separator = database->adminUri_.find('?') == std::string::npos ? "?" : "&";
    if (ownPostgresDatabase) {
        database->ownDatabase_ = name;
        database->ConnectAdmin()->Execute("CREATE DATABASE " + name);
        database->location_.target = database->adminUri_ + separator + "dbname=" + name;
    } else {
        database->schema_ = name;
        database->ConnectAdmin()->Execute("CREATE SCHEMA " + name);
        database->location_.target =
            database->adminUri_ + separator + "options=--search_path%3D" + name;
    }
    return database;
}

std::unique_ptr<SqlDatabase> TestDatabase::ConnectAdmin() const {
    return DatabaseLocation{Backend::Postgres, adminUri_}.Connect(2000);
}

TestDatabase::~TestDatabase() {
    try {
        if (!schema_.empty()) {
            ConnectAdmin()->Execute("DROP SCHEMA " + schema_ + " CASCADE");
        }
        if (!ownDatabase_.empty()) {
            ConnectAdmin()->Execute("DROP DATABASE " + ownDatabase_ + " WITH (FORCE)");
        }
    } catch (const std::exception& error) {
        ADD_FAILURE() << "dropping " << schema_ << ownDatabase_ << ": " << error.what();
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::vector<std::string> TestDatabase::Column(const std::string& sql) const {
    const std::unique_ptr<SqlDatabase> connection = Connect();
    const std::unique_ptr<SqlStatement> query = connection->Prepare(sql);
    query->Execute();
    std::vector<std::string> values;
    while (query->Next()) {
        values.push_back(query->Text(0));
    }
    return values;
}

long long TestDatabase::CatchCount() const {
    return std::stoll(Column("SELECT COUNT(*) FROM catches").at(0));
}

void BackendTest::SetUp() {
    std::string reason;
    database_ = TestDatabase::Create(GetParam(), reason);
    if (!database_) {
        GTEST_SKIP() << reason;
    }
}

std::string BackendName(const ::testing::TestParamInfo<DatabaseLocation::Backend>& info) {
    return info.param == DatabaseLocation::Backend::Sqlite ? "SQLite" : "PostgreSQL";
}

std::string UploadLine(const std::vector<std::pair<int, std::string>>& fields) {
    std::vector<std::string> values(23);
    values[0] = "2007-6-15";
    values[1] = "12:00:00";
    values[2] = "Hecht";
    for (const auto& [number, text] : fields) {
        values.at(static_cast<std::size_t>(number - 1)) = text;
    }
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += (i == 0 ? "" : ";") + values[i];
    }
    return line;
}

std::string UploadFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += *Utf8ToWin1252(line) + "\r\n";
    }
    return bytes;
}

} // namespace zv::test
