#include "statistics/UploadServer.h"

#include "statistics/UploadRequest.h"
#include "storage/IniFile.h"

#include <charconv>

namespace zv {

namespace {

bool IsHostNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool IsValidHostName(std::string_view host) {
    if (host.empty() || host.size() > 253 || host.front() == '-' || host.front() == '.') {
        return false;
    }
    for (const char c : host) {
        if (!IsHostNameChar(c)) {
            return false;
        }
    }
    return true;
}

// The inside of "[…]": hexadecimal digits, colons and dots (an embedded IPv4
// address).
bool IsValidIpv6(std::string_view address) {
    if (address.size() < 2) {
        return false;
    }
    for (const char c : address) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex && c != ':' && c != '.') {
            return false;
        }
    }
    return address.find(':') != std::string_view::npos;
}

bool ParsePort(std::string_view text, int& port) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535) {
        return false;
    }
    port = value;
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// `source` names where the text came from for the message, or is empty.
std::optional<UploadServer> Parse(std::string_view text, std::string& problem,
                                  std::string_view source) {
    const std::string_view trimmed = Trimmed(text);
    UploadServer server;
    if (trimmed.empty()) {
        server.host = UploadServer::kDefaultHost;
        return server;
    }
    std::string_view host = trimmed;
    std::string_view port;
    bool valid = true;
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        valid = close != std::string_view::npos && IsValidIpv6(trimmed.substr(1, close - 1));
        if (valid) {
            host = trimmed.substr(0, close + 1);
            const std::string_view rest = trimmed.substr(close + 1);
            if (!rest.empty()) {
                valid = rest.front() == ':';
                port = rest.substr(1);
                valid = valid && ParsePort(port, server.port);
            }
        }
    } else {
        const std::size_t colon = trimmed.find(':');
        if (colon != std::string_view::npos) {
            host = trimmed.substr(0, colon);
            valid = ParsePort(trimmed.substr(colon + 1), server.port);
        }
        valid = valid && IsValidHostName(host);
    }
    if (!valid) {
        problem = "Der Server \"" + std::string(trimmed) + "\"" +
                  (source.empty() ? std::string() : " (" + std::string(source) + ")") +
                  " ist ungültig. Erwartet wird ein Rechnername oder eine Adresse, wahlweise "
                  "mit Port (Rechner:Port).";
        return std::nullopt;
    }
    server.host = host;
    return server;
}

} // namespace

std::string UploadServer::Text() const {
    return port == 0 ? host : host + ":" + std::to_string(port);
}

std::string UploadServer::Url() const {
    return "http://" + Text() + UploadRequest::kPath;
}

std::string UploadServer::StatisticsUrl() const {
    return "http://" + Text() + "/onlinestatistik/";
}

std::string UploadServer::HealthUrl() const {
    return StatisticsUrl() + "health";
}

std::optional<UploadServer> ParseUploadServer(std::string_view text, std::string& problem) {
    return Parse(text, problem, {});
}

std::optional<UploadServer> ConfiguredUploadServer(const IniFile& settings, std::string& problem) {
    return Parse(settings.ReadString("Online", "Server"), problem,
                 "[Online] \"Server\" in Zelvorin.ini");
}

} // namespace zv
