#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zv::test {

// A tiny HTTP server on 127.0.0.1 for the upload tests: it listens on a
// free port, reads each request whole (headers and Content-Length body),
// keeps its raw bytes and answers as told. It serves one connection at a
// time and stops by itself after `lifetimeSeconds` or when destroyed.
class LoopbackHttpServer {
public:
    enum class Mode {
        Reply,  // answer with the status, reason and body
        Silent, // read the request and never answer (the client must time out)
    };

    explicit LoopbackHttpServer(int status = 200, std::string reason = "OK",
                                std::string body = "ok", Mode mode = Mode::Reply,
                                int lifetimeSeconds = 30);
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return port_; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port_); }
    // The complete requests received so far, as raw bytes.
    std::vector<std::string> Requests() const;

private:
    void Serve();
    void Handle(int connection);

    int listener_ = -1;
    int port_ = 0;
    int status_;
    std::string reason_;
    std::string body_;
    Mode mode_;
    int lifetimeSeconds_;
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

// A request split into its head (request line and headers, without the
// blank line) and its body.
struct HttpRequestParts {
    std::string requestLine;
    std::vector<std::string> headers; // "Name: value" lines in order
    std::string body;
    // The value of the first header of that name (case-insensitive), or "".
    std::string Header(const std::string& name) const;
};
HttpRequestParts SplitRequest(const std::string& raw);

} // namespace zv::test
