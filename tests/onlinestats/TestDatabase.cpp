#include "TestDatabase.h"

#include "base/Win1252.h"

#include <atomic>
#include <cstdlib>
#include <unistd.h>

namespace zv::test {

std::unique_ptr<TestDatabase> TestDatabase::Create(Backend backend, std::string& skipReason) {
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
    database->adminUri_ = uri;
    database->schema_ = "zvt_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    database->location_.backend = Backend::Postgres;
    database->location_.target = database->adminUri_ +
                                 (database->adminUri_.find('?') == std::string::npos ? "?" : "&") +
                                 "options=--search_path%3D" + database->schema_;
    DatabaseLocation admin{Backend::Postgres, database->adminUri_};
    admin.Connect(2000)->Execute("CREATE SCHEMA " + database->schema_);
    return database;
}

TestDatabase::~TestDatabase() {
    if (!schema_.empty()) {
        try {
            DatabaseLocation admin{Backend::Postgres, adminUri_};
            admin.Connect(2000)->Execute("DROP SCHEMA " + schema_ + " CASCADE");
        } catch (const std::exception& error) {
            ADD_FAILURE() << "dropping " << schema_ << ": " << error.what();
        }
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
