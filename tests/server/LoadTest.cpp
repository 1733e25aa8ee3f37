// A bounded load on loopback: 20 clients at once, each sending 50 uploads of
// 1,000 catches that overlap with its own and the other clients' uploads.
// Every upload must be taken and every distinct catch stored once. Not run
// by ctest (it takes a while, longest on PostgreSQL):
//
//   build-dev/tests/server/zv_server_load_test
//   ZV_TEST_POSTGRES_URI='postgresql:///postgres?host=/tmp/pg'
//   build-dev/tests/server/zv_server_load_test

#include "../onlinestats/TestDatabase.h"

#include "onlinestats/OnlineStatistics.h"
#include "server/StatisticsHttpServer.h"
#include "statistics/UploadRequest.h"
#include "statistics/http/HttpPoster.h"

#include <atomic>
#include <chrono>
#include <iostream>
#include <thread>

namespace zv::test {
namespace {

constexpr int kClients = 20;
constexpr int kUploads = 50;
constexpr int kLines = 1000;
constexpr int kStep = kLines / 2; // each upload starts half-way into the one before

std::string UploadFrom(long long first) {
    std::vector<std::string> lines;
    for (long long number = first; number < first + kLines; ++number) {
        lines.push_back(UploadLine({{2, std::to_string(number % 24) + ":00:00"},
                                    {3, "Fischart " + std::to_string(number % 30)},
                                    {7, "Köder " + std::to_string(number % 200)},
                                    {17, std::to_string(number)}}));
    }
    return UploadFile(lines);
}

class LoadTest : public BackendTest {};

TEST_P(LoadTest, TwentyClientsStoreEveryDistinctCatchOnce) {
    OnlineStatistics service({database_->Location(), 60000, {}});
    StatisticsHttpServer server(service, std::size_t{64} << 20, [](const std::string&) {});
    const int port = server.Bind("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    std::thread serving([&] { server.Run(); });
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + UploadRequest::kPath;

    std::atomic<int> failures{0};
    std::atomic<long long> stored{0};
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> clients;
    for (int client = 0; client < kClients; ++client) {
        clients.emplace_back([&, client] {
            const HttpPoster poster({10, 120, 600});
            for (int upload = 0; upload < kUploads; ++upload) {
                const long long first = static_cast<long long>(client * kUploads + upload) * kStep;
                const UploadRequest request =
                    BuildUploadRequest("last.dat", UploadFrom(first), "--------zvload");
                const HttpReply reply = poster.Post(url, request.headers, request.body);
                const std::size_t after = reply.body.find("davon ");
                if (!reply.ok || after == std::string::npos) {
                    ++failures;
                    std::cerr << "client " << client << ": " << reply.error << reply.body << '\n';
                    continue;
                }
                stored += std::stoll(reply.body.substr(after + 6));
            }
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    server.Stop();
    serving.join();

    const long long distinct = static_cast<long long>(kClients * kUploads - 1) * kStep + kLines;
    std::cout << kClients * kUploads * kLines << " lines in " << seconds << " s ("
              << kClients * kUploads * kLines / seconds << " lines/s), " << distinct
              << " distinct catches\n";
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(stored, distinct);
    EXPECT_EQ(database_->CatchCount(), distinct);
    EXPECT_EQ(service.Figures(std::nullopt)->totals.catches, distinct);
}

ZV_INSTANTIATE_FOR_BOTH_BACKENDS(LoadTest);

} // namespace
} // namespace zv::test
