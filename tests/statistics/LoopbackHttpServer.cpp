#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <strings.h>

namespace zv::test {

namespace {

int BoundLoopbackSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("loopback socket: " + std::string(std::strerror(errno)));
    }
    port = ntohs(address.sin_port);
    return fd;
}

// Waits up to 100 ms for `fd` to become readable.
bool Readable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, 100) > 0;
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(int status, const std::string& reason,
                                       const std::string& body, bool silent)
    : reply_("HTTP/1.1 " + std::to_string(status) + " " + reason +
             "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
             "\r\nConnection: close\r\n\r\n" + body),
      silent_(silent) {
    listener_ = BoundLoopbackSocket(port_);
    if (::listen(listener_, 4) != 0) {
        throw std::runtime_error("listen: " + std::string(std::strerror(errno)));
    }
    thread_ = std::thread([this] {
        while (!stop_) {
            if (!Readable(listener_)) {
                continue;
            }
            if (const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
                connection >= 0) {
                Handle(connection);
                ::close(connection);
            }
        }
    });
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

void LoopbackHttpServer::Handle(int connection) {
    std::string raw;
    std::size_t needed = std::string::npos; // head and body, once the head is whole
    char buffer[65536];
    while (!stop_ && raw.size() < needed) {
        if (!Readable(connection)) {
            continue;
        }
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return; // the client gave up before the request was whole
        }
        raw.append(buffer, static_cast<std::size_t>(got));
        const std::size_t head = raw.find("\r\n\r\n");
        if (needed == std::string::npos && head != std::string::npos) {
            const std::string length = RequestHeader(raw, "Content-Length");
            needed = head + 4 + (length.empty() ? 0 : std::stoul(length));
        }
    }
    if (raw.size() < needed) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(raw);
    }
    // Silent: hold the connection open without a word until the client leaves.
    while (silent_ && !stop_) {
        if (Readable(connection) && ::recv(connection, buffer, sizeof buffer, 0) <= 0) {
            return;
        }
    }
    for (std::size_t sent = 0; !silent_ && sent < reply_.size();) {
        const ssize_t n =
            ::send(connection, reply_.data() + sent, reply_.size() - sent, MSG_NOSIGNAL);
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

std::string RequestHeader(const std::string& raw, std::string_view name) {
    const std::size_t headEnd = raw.find("\r\n\r\n");
    // Every line after the request line up to the blank one ends in CR LF.
    for (std::size_t from = raw.find("\r\n"); from < headEnd;) {
        from += 2;
        const std::size_t end = raw.find("\r\n", from);
        const std::string_view line(raw.data() + from, end - from);
        if (line.size() > name.size() && line[name.size()] == ':' &&
            ::strncasecmp(line.data(), name.data(), name.size()) == 0) {
            const std::size_t value = line.find_first_not_of(' ', name.size() + 1);
            return value == std::string_view::npos ? std::string()
                                                   : std::string(line.substr(value));
        }
        from = end;
    }
    return {};
}

std::string RequestBody(const std::string& raw) {
    const std::size_t head = raw.find("\r\n\r\n");
    return head == std::string::npos ? std::string() : raw.substr(head + 4);
}

} // namespace zv::test
