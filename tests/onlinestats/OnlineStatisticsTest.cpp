// The service's engine on both databases: storing uploads once, filling
// personal fields later, all or nothing, the figures and the schema.

#include "TestDatabase.h"

#include "onlinestats/OnlineStatistics.h"
#include "onlinestats/SchemaMigrations.h"
#include "onlinestats/UploadParser.h"

#include <QJsonDocument>

#include <thread>

namespace zv::test {
namespace {

// Seven catches of four species and two lines that are not catches.
std::string FixtureFile() {
    return UploadFile({
        UploadLine({{1, "2007-5-7"}, {2, "06:10:00"}, {4, "80"}, {5, "4000"}, {19, "Vollmond"}}),
        UploadLine({{1, "2008-5-20"}, {2, "06:50:00"}, {4, "90,5"}, {19, "Vollmond"}}),
        UploadLine({{1, "2007-5-3"}, {2, "19:00:00"}, {4, "groß"}, {5, "5000"}, {19, "Neumond"}}),
        UploadLine({{1, "2007-7-1"}, {3, " Barsch "}, {4, "30"}, {5, "400,25"}, {19, "Vollmond"}}),
        UploadLine({{1, "2007-7-2"}, {3, "Barsch"}, {4, "0"}, {5, "0"}}),
        UploadLine({{1, "2007-12-24"}, {3, "Zander"}}),
        UploadLine({{1, "2007-8-1"}, {3, "Aal"}}),
        UploadLine({{7, "Gummi;fisch"}}),
        UploadLine({{1, "2007-2-30"}}),
    });
}

class OnlineStatisticsTest : public BackendTest {
protected:
    std::unique_ptr<OnlineStatistics> Service(int waitMilliseconds = 2000) {
        return std::make_unique<OnlineStatistics>(
            OnlineStatistics::Settings{database_->Location(), waitMilliseconds,
                                       [this](const std::string& line) { log_.push_back(line); }});
    }

    std::vector<std::string> log_;
};

TEST_P(OnlineStatisticsTest, SummaryCountsTheFixture) {
    const auto service = Service();
    EXPECT_EQ(service->Upload(FixtureFile()).body,
              "7 Fänge empfangen, davon 7 neu gespeichert, 2 Zeilen übersprungen.\n");
    const ServiceReply summary = service->Summary();
    EXPECT_EQ(summary.contentType, "application/json; charset=utf-8");
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(summary.body)),
              QJsonDocument::fromJson(R"({"catches": 7, "uploads": 1, "species": [
        {"name": "Hecht", "catches": 3, "avgLengthCm": 85.3, "maxLengthCm": 90.5,
         "avgWeightG": 4500, "maxWeightG": 5000},
        {"name": "Barsch", "catches": 2, "avgLengthCm": 30, "maxLengthCm": 30,
         "avgWeightG": 400.3, "maxWeightG": 400.3},
        {"name": "Aal", "catches": 1, "avgLengthCm": null, "maxLengthCm": null,
         "avgWeightG": null, "maxWeightG": null},
        {"name": "Zander", "catches": 1, "avgLengthCm": null, "maxLengthCm": null,
         "avgWeightG": null, "maxWeightG": null}],
        "months": [0, 0, 0, 0, 3, 0, 2, 1, 0, 0, 0, 1],
        "moonPhases": {"Neumond": 1, "Vollmond": 3}})"))
        << summary.body;
}

TEST_P(OnlineStatisticsTest, AResentFileChangesNoNumber) {
    const auto service = Service();
    service->Upload(FixtureFile());
    const std::string page = service->OverviewPage().body;
    const std::string summary = service->Summary().body;

    const ServiceReply again = service->Upload(FixtureFile());
    EXPECT_EQ(again.body, "7 Fänge empfangen, davon 0 neu gespeichert, 2 Zeilen übersprungen.\n");
    EXPECT_EQ(again.storedLines, 0);
    EXPECT_EQ(service->OverviewPage().body, page);
    EXPECT_EQ(service->Summary().body, summary);
    EXPECT_EQ(database_->CatchCount(), 7);
}

TEST_P(OnlineStatisticsTest, PersonalFieldsSentLaterFillOnlyEmptyOnes) {
    const auto service = Service();
    const auto file = [](int withPersonal, const std::string& catcher, const std::string& water) {
        std::vector<std::string> lines;
        for (int minute = 0; minute < 10; ++minute) {
            std::vector<std::pair<int, std::string>> fields = {
                {2, "12:0" + std::to_string(minute)}};
            if (minute < withPersonal) {
                fields.insert(fields.end(), {{21, catcher}, {22, water}, {23, "Bucht"}});
            }
            lines.push_back(UploadLine(fields));
        }
        return UploadFile(lines);
    };
    const auto waters = [&] { return service->Figures(std::nullopt)->waters; };
    const std::string personal = "SELECT DISTINCT faenger || '/' || gewaesser || '/' || stelle "
                                 "FROM catches";

    service->Upload(file(0, "", ""));
    service->Upload(file(9, "Max", "Möhnesee"));
    // Nine catches do not yet name a water.
    EXPECT_TRUE(waters().empty());
    EXPECT_EQ(service->Upload(file(10, "Max", "Möhnesee")).storedLines, 0);
    EXPECT_EQ(waters(), std::vector<LabelCount>({{"Möhnesee", 10}}));
    // What was sent first stays.
    service->Upload(file(10, "Moritz", "Rhein"));
    EXPECT_EQ(waters(), std::vector<LabelCount>({{"Möhnesee", 10}}));
    EXPECT_EQ(database_->Column(personal), std::vector<std::string>({"Max/Möhnesee/Bucht"}));
    EXPECT_EQ(database_->CatchCount(), 10);
}

TEST_P(OnlineStatisticsTest, AnUploadThatFailsHalfwayStoresNothing) {
    const auto service = Service();
    const std::unique_ptr<SqlDatabase> other = database_->Connect();
    // The catches go in first, the tallies after them: a failure at the
    // tallies comes when the catches are already written.
    if (GetParam() == DatabaseLocation::Backend::Sqlite) {
        other->Execute("CREATE TRIGGER fail BEFORE INSERT ON tallies "
                       "BEGIN SELECT RAISE(ABORT, 'tallies refused'); END");
    } else {
        other->Execute("CREATE FUNCTION fail() RETURNS trigger AS $$ BEGIN "
                       "RAISE EXCEPTION 'tallies refused'; END $$ LANGUAGE plpgsql; "
                       "CREATE TRIGGER fail BEFORE INSERT ON tallies "
                       "FOR EACH ROW EXECUTE FUNCTION fail()");
    }
    const ServiceReply refused = service->Upload(FixtureFile());
    EXPECT_EQ(refused.status, 500);
    EXPECT_EQ(database_->CatchCount(), 0);
    ASSERT_EQ(log_.size(), 1u);
    EXPECT_NE(log_[0].find("tallies refused"), std::string::npos) << log_[0];

    other->Execute("DROP TRIGGER fail" + std::string(GetParam() == DatabaseLocation::Backend::Sqlite
                                                         ? ""
                                                         : " ON tallies"));
    EXPECT_EQ(service->Upload(FixtureFile()).storedLines, 7);
    EXPECT_EQ(service->Figures(std::nullopt)->totals.catches, 7);
}

TEST_P(OnlineStatisticsTest, ALockedDatabaseAnswers503AndStoresNothing) {
    const auto service = Service(200);
    const std::unique_ptr<SqlDatabase> other = database_->Connect();
    other->BeginWrite();
    if (GetParam() == DatabaseLocation::Backend::Postgres) {
        other->Execute("LOCK TABLE catches IN SHARE MODE");
    }
    const ServiceReply refused = service->Upload(FixtureFile());
    other->Rollback();

    EXPECT_EQ(refused.status, 503);
    EXPECT_EQ(refused.body,
              "Die Datenbank ist zurzeit nicht erreichbar; bitte später erneut versuchen.\n");
    EXPECT_EQ(database_->CatchCount(), 0);
    EXPECT_EQ(service->Upload(FixtureFile()).status, 200);
}

TEST_P(OnlineStatisticsTest, FiguresFollowUploadsOfAnotherProcess) {
    const auto first = Service();
    const auto second = Service();
    EXPECT_EQ(first->Figures(std::nullopt)->totals.catches, 0);
    second->Upload(FixtureFile());
    EXPECT_EQ(first->Figures(std::nullopt)->totals.catches, 7);
    EXPECT_EQ(first->Figures("Hecht")->totals.catches, 3);
}

TEST_P(OnlineStatisticsTest, ConcurrentUploadsStoreEveryCatchOnce) {
    constexpr int kClients = 4;
    constexpr int kUploads = 5;
    constexpr int kLines = 60;
    // Client c's upload u holds the catches from (c + u) * 30 on: every
    // catch is sent several times, by several clients at once.
    const auto file = [](int first) {
        std::vector<std::string> lines;
        for (int i = first; i < first + kLines; ++i) {
            lines.push_back(UploadLine({{2, std::to_string(i / 60) + ":" + std::to_string(i % 60)},
                                        {3, i % 2 == 0 ? "Hecht" : "Barsch"}}));
        }
        return UploadFile(lines);
    };
    const auto service = Service(20000);
    std::vector<std::thread> clients;
    std::atomic<int> failures{0};
    for (int client = 0; client < kClients; ++client) {
        clients.emplace_back([&, client] {
            for (int upload = 0; upload < kUploads; ++upload) {
                if (service->Upload(file((client + upload) * kLines / 2)).status != 200) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
    const long long distinct = (kClients + kUploads - 2) * kLines / 2 + kLines;
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(database_->CatchCount(), distinct);
    const auto figures = service->Figures(std::nullopt);
    EXPECT_EQ(figures->totals.catches, distinct);
    EXPECT_EQ(figures->speciesList.at(0).measure.catches +
                  figures->speciesList.at(1).measure.catches,
              distinct);
}

TEST_P(OnlineStatisticsTest, TheSchemaIsKeptAndANewerOneIsRefused) {
    Service()->Upload(FixtureFile());
    EXPECT_EQ(Service()->Figures(std::nullopt)->totals.catches, 7);
    EXPECT_EQ(database_->Column("SELECT version FROM schema_version"),
              std::vector<std::string>({std::to_string(CurrentSchemaVersion())}));

    database_->Connect()->Execute("UPDATE schema_version SET version = version + 1");
    try {
        Service();
        ADD_FAILURE() << "a newer schema was accepted";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("Schema-Version"), std::string::npos);
    }
}

TEST_P(OnlineStatisticsTest, CatchesOfTheFirstSchemaKeepTheirIdentityAfterTheUpdate) {
    // The first schema kept a catch's identity as 32 lowercase hex digits.
    const std::string line = UploadLine({{21, "Max"}});
    const UploadedCatch sent = ParseUpload(UploadFile({line})).catches.at(0);
    std::string hex;
    for (const unsigned char byte : sent.identity) {
        hex += "0123456789abcdef"[byte >> 4];
        hex += "0123456789abcdef"[byte & 0x0F];
    }
    {
        const std::unique_ptr<SqlDatabase> old = database_->Connect();
        MigrateSchema(*old, 1);
        std::string values = "$1";
        for (std::size_t i = 0; i <= sent.fields.size(); ++i) {
            values += ", $" + std::to_string(i + 2);
        }
        const auto insert = old->Prepare("INSERT INTO catches VALUES (" + values + ")");
        insert->BindText(1, hex);
        for (std::size_t i = 0; i < sent.fields.size(); ++i) {
            insert->BindText(static_cast<int>(i + 2), sent.fields[i]);
        }
        insert->BindText(static_cast<int>(sent.fields.size() + 2), sent.species);
        insert->Execute();
    }

    // Sent again after the update, without its catcher, it is the same catch.
    EXPECT_EQ(Service()->Upload(UploadFile({UploadLine({})})).storedLines, 0);
    EXPECT_EQ(database_->Column("SELECT faenger FROM catches"), std::vector<std::string>{"Max"});
}

TEST_P(OnlineStatisticsTest, RecommendsMonthByMonthForASpecies) {
    const auto service = Service();
    service->Upload(UploadFile({
        UploadLine({{1, "2007-5-7"},
                    {2, "06:10:00"},
                    {7, "Wobbler"},
                    {8, "rot"},
                    {9, "12"},
                    {10, "Kunstköder"}}),
        UploadLine({{1, "2008-5-9"}, {2, "06:50:00"}, {7, "Wobbler"}, {8, "grün"}, {9, "12"}}),
        UploadLine({{1, "2007-5-3"}, {2, "19:00:00"}, {7, "Gummifisch"}, {8, "rot"}, {9, "10"}}),
        // Perch in the evening do not move the pike's hour.
        UploadLine({{1, "2007-5-4"}, {2, "19:10:00"}, {3, "Barsch"}}),
        UploadLine({{1, "2007-5-5"}, {2, "19:20:00"}, {3, "Barsch"}}),
        // Equal counts: 1 Uhr before 0 Uhr, and the earlier name.
        UploadLine({{1, "2007-1-2"}, {2, "00:15:00"}, {7, "Zocker"}}),
        UploadLine({{1, "2007-1-3"}, {2, "01:30:00"}, {7, "Blinker"}}),
    }));
    const auto recommendation = service->Figures("Hecht")->recommendation;
    ASSERT_EQ(recommendation.size(), 12u);
    const auto row = [](const RecommendationMonth& month) {
        return std::vector<std::string>{month.month,   std::to_string(month.catches),
                                        month.hour,    month.bait,
                                        month.colour,  month.baitLength,
                                        month.baitType};
    };
    EXPECT_EQ(row(recommendation[0]),
              std::vector<std::string>({"Januar", "2", "1 Uhr", "Blinker", "", "", ""}));
    EXPECT_EQ(row(recommendation[1]),
              std::vector<std::string>({"Februar", "0", "", "", "", "", ""}));
    EXPECT_EQ(row(recommendation[4]), std::vector<std::string>({"Mai", "3", "6 Uhr", "Wobbler",
                                                                "rot", "12", "Kunstköder"}));
}

ZV_INSTANTIATE_FOR_BOTH_BACKENDS(OnlineStatisticsTest);

// An SQLite file cannot go away under an open connection; a PostgreSQL
// server can, and the service follows it down and up again.
TEST(OnlineStatisticsHealthTest, FollowsThePostgresqlServerDownAndUp) {
    std::string reason;
    const auto database = TestDatabase::Create(DatabaseLocation::Backend::Postgres, reason, true);
    if (!database) {
        GTEST_SKIP() << reason;
    }
    OnlineStatistics service({database->Location(), 2000, {}});
    const std::string name =
        database->Location().target.substr(database->Location().target.rfind("dbname=") + 7);
    const auto admin = database->ConnectAdmin();
    EXPECT_EQ(service.Health().status, 200);

    admin->Execute("ALTER DATABASE " + name + " ALLOW_CONNECTIONS false");
    admin->Execute("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '" +
                   name + "'");
    EXPECT_EQ(service.Health().status, 503);
    EXPECT_EQ(service.Upload(FixtureFile()).status, 503);

    admin->Execute("ALTER DATABASE " + name + " ALLOW_CONNECTIONS true");
    EXPECT_EQ(service.Health().body, "ok\n");
    EXPECT_EQ(service.Upload(FixtureFile()).storedLines, 7);
}

} // namespace
} // namespace zv::test
