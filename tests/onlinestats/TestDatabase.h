#pragma once

#include "onlinestats/DatabaseLocation.h"
#include "onlinestats/SqlDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zv::test {

// The variable through which the test command hands over the PostgreSQL it
// started (a libpq URI); without it the PostgreSQL cases are skipped.
inline constexpr const char* kPostgresVariable = "ZV_TEST_POSTGRES_URI";

// A fresh, empty database of one backend for one test: an SQLite file in a
// folder of its own, or a schema of its own in the test PostgreSQL. Removed
// afterwards.
class TestDatabase {
public:
    using Backend = DatabaseLocation::Backend;

    // Nothing, with the reason in `skipReason`, when the backend is not there.
    // `ownPostgresDatabase`: a database of its own rather than a schema, for
    // a test that shuts its connections out.
    static std::unique_ptr<TestDatabase> Create(Backend backend, std::string& skipReason,
                                                bool ownPostgresDatabase = false);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const DatabaseLocation& Location() const { return location_; }
    // PostgreSQL: a connection to the server outside the test's schema.
    std::unique_ptr<SqlDatabase> ConnectAdmin() const;
    const std::filesystem::path& Folder() const { return folder_; }
    // A connection of its own, besides the service's.
    std::unique_ptr<SqlDatabase> Connect() const { return location_.Connect(2000); }
    // The first column of every row a query returns, as text.
    std::vector<std::string> Column(const std::string& sql) const;
    long long CatchCount() const;

private:
    TestDatabase() = default;

    DatabaseLocation location_;
    std::filesystem::path folder_;
    std::string adminUri_; // PostgreSQL: the URI without our schema or database
    std::string schema_;
    std::string ownDatabase_;
};

// A test that runs once per backend.
class BackendTest : public ::testing::TestWithParam<DatabaseLocation::Backend> {
protected:
    void SetUp() override;

    std::unique_ptr<TestDatabase> database_;
};

std::string BackendName(const ::testing::TestParamInfo<DatabaseLocation::Backend>& info);

#define ZV_INSTANTIATE_FOR_BOTH_BACKENDS(suite)                                                    \
    INSTANTIATE_TEST_SUITE_P(Backends, suite,                                                      \
                             ::testing::Values(::zv::DatabaseLocation::Backend::Sqlite,            \
                                               ::zv::DatabaseLocation::Backend::Postgres),         \
                             ::zv::test::BackendName)

// An upload line of 23 fields from the fields that differ from a plain
// catch (15.06.2007 12:00:00, Hecht): field number (1-23) → text, UTF-8.
std::string UploadLine(const std::vector<std::pair<int, std::string>>& fields);
// Lines joined as the client writes them: Windows-1252, CR LF after each.
std::string UploadFile(const std::vector<std::string>& lines);

} // namespace zv::test
