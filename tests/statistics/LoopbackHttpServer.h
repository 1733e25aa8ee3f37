#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace zv::test {

// A tiny HTTP server on 127.0.0.1 for the upload tests: it reads each
// request whole (head and Content-Length body), keeps its bytes and answers
// with the given status, or never when `silent` (the client must give up).
// One connection at a time; it stops when destroyed.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(int status = 200, const std::string& reason = "OK",
                                const std::string& body = "ok", bool silent = false);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port_); }
    // The complete requests received so far, as raw bytes.
    std::vector<std::string> Requests() const;

private:
    void Handle(int connection);

    int listener_ = -1;
    int port_ = 0;
    std::string reply_;
    bool silent_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 that is bound but not listening: connections to it
// are refused. Held for the object's lifetime so no one else takes it.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    int socket_ = -1;
    int port_ = 0;
};

// The value of a complete request's header (the name case-insensitive), ""
// when it has none; and the request's body.
std::string RequestHeader(const std::string& raw, std::string_view name);
std::string RequestBody(const std::string& raw);

} // namespace zv::test
