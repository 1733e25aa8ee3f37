#include "server/RequestLog.h"

#include <cstdio>
#include <ctime>

namespace zv {

namespace {

std::string Printable(std::string_view text) {
    std::string printable;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            printable += escaped;
        } else {
            printable += c;
        }
    }
    return printable;
}

} // namespace

std::string RequestLogLine(std::string_view method, std::string_view path, int status,
                           long long storedLines) {
    char time[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%SZ", &utc);
    std::string line = std::string(time) + " " + Printable(method) + " " + Printable(path) + " " +
                       std::to_string(status);
    if (storedLines >= 0) {
        line += " gespeichert=" + std::to_string(storedLines);
    }
    return line;
}

} // namespace zv
