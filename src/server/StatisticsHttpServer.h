#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace httplib {
class Server;
}

namespace zv {

class OnlineStatistics;

// The service over HTTP: maps the routes under /onlinestatistik/ to the
// engine, refuses what it cannot take and writes one log line per request.
//
//   POST /onlinestatistik/upload.php   multipart/form-data, part "userfile"
//   GET  /onlinestatistik/             overview page
//   GET  /onlinestatistik/art/NAME     one species
//   GET  /onlinestatistik/api/summary  JSON
//   GET  /onlinestatistik/health       "ok" while the database answers
class StatisticsHttpServer {
public:
    using Log = std::function<void(const std::string&)>;

    // A body larger than `maxUploadBytes` is refused with 413 before it is
    // read.
    StatisticsHttpServer(OnlineStatistics& service, std::size_t maxUploadBytes, Log log);
    ~StatisticsHttpServer();
    StatisticsHttpServer(const StatisticsHttpServer&) = delete;
    StatisticsHttpServer& operator=(const StatisticsHttpServer&) = delete;

    // Binds the address; port 0 takes a free one. The port bound, or -1.
    int Bind(const std::string& host, int port);
    // Serves until Stop(); requests in progress are finished first.
    bool Run();
    // From any thread, also before Run() has started.
    void Stop();

private:
    void Route();

    OnlineStatistics& service_;
    std::size_t maxUploadBytes_;
    Log log_;
    std::unique_ptr<httplib::Server> http_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> running_{false};
};

} // namespace zv
