#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <stdexcept>
#include <strings.h>

namespace zv::test {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxRequestBytes = 16 << 20;

int BoundLoopbackSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(fd);
        throw std::runtime_error("bind: " + reason);
    }
    port = ntohs(address.sin_port);
    return fd;
}

// Waits up to 100 ms for `fd` to become readable.
bool Readable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, 100) > 0;
}

std::size_t ContentLength(const std::string& head) {
    const HttpRequestParts parts = SplitRequest(head + "\r\n\r\n");
    const std::string value = parts.Header("Content-Length");
    return value.empty() ? 0 : static_cast<std::size_t>(std::stoull(value));
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(int status, std::string reason, std::string body, Mode mode,
                                       int lifetimeSeconds)
    : status_(status), reason_(std::move(reason)), body_(std::move(body)), mode_(mode),
      lifetimeSeconds_(lifetimeSeconds) {
    listener_ = BoundLoopbackSocket(port_);
    if (::listen(listener_, 4) != 0) {
        ::close(listener_);
        throw std::runtime_error("listen: " + std::string(std::strerror(errno)));
    }
    thread_ = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

std::vector<std::string> LoopbackHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LoopbackHttpServer::Serve() {
    const auto end = Clock::now() + std::chrono::seconds(lifetimeSeconds_);
    while (!stop_ && Clock::now() < end) {
        if (!Readable(listener_)) {
            continue;
        }
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0) {
            Handle(connection);
            ::close(connection);
        }
    }
}

void LoopbackHttpServer::Handle(int connection) {
    const auto end = Clock::now() + std::chrono::seconds(lifetimeSeconds_);
    std::string raw;
    std::size_t needed = 0; // head and body once the head is complete
    char buffer[65536];
    while (!stop_ && Clock::now() < end && (needed == 0 || raw.size() < needed)) {
        if (!Readable(connection)) {
            continue;
        }
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return; // the client gave up before the request was whole
        }
        raw.append(buffer, static_cast<std::size_t>(got));
        if (raw.size() > kMaxRequestBytes) {
            return;
        }
        if (needed == 0) {
            if (const std::size_t head = raw.find("\r\n\r\n"); head != std::string::npos) {
                needed = head + 4 + ContentLength(raw.substr(0, head));
            }
        }
    }
    if (needed == 0 || raw.size() < needed) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(raw);
    }
    if (mode_ == Mode::Silent) {
        // Hold the connection open without a word until the client leaves.
        while (!stop_ && Clock::now() < end) {
            if (Readable(connection) && ::recv(connection, buffer, sizeof buffer, 0) <= 0) {
                return;
            }
        }
        return;
    }
    const std::string reply =
        "HTTP/1.1 " + std::to_string(status_) + " " + reason_ +
        "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body_.size()) +
        "\r\nConnection: close\r\n\r\n" + body_;
    std::size_t sent = 0;
    while (sent < reply.size()) {
        const ssize_t n =
            ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return;
        }
        sent += static_cast<std::size_t>(n);
    }
}

RefusingPort::RefusingPort() {
    socket_ = BoundLoopbackSocket(port_);
}

RefusingPort::~RefusingPort() {
    ::close(socket_);
}

std::string HttpRequestParts::Header(const std::string& name) const {
    for (const std::string& line : headers) {
        const std::size_t colon = line.find(':');
        if (colon == name.size() && ::strncasecmp(line.c_str(), name.c_str(), colon) == 0) {
            std::size_t from = colon + 1;
            while (from < line.size() && line[from] == ' ') {
                ++from;
            }
            return line.substr(from);
        }
    }
    return {};
}

HttpRequestParts SplitRequest(const std::string& raw) {
    HttpRequestParts parts;
    const std::size_t head = raw.find("\r\n\r\n");
    const std::string headText = raw.substr(0, head);
    parts.body = head == std::string::npos ? std::string() : raw.substr(head + 4);
    std::size_t from = 0;
    bool first = true;
    while (from <= headText.size()) {
        std::size_t end = headText.find("\r\n", from);
        if (end == std::string::npos) {
            end = headText.size();
        }
        const std::string line = headText.substr(from, end - from);
        if (first) {
            parts.requestLine = line;
            first = false;
        } else if (!line.empty()) {
            parts.headers.push_back(line);
        }
        from = end + 2;
    }
    return parts;
}

} // namespace zv::test
