#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv {

class IniFile;

// The online statistics server: a host name or address and an optional
// port (0 is the default port of plain HTTP).
struct UploadServer {
    static constexpr const char* kDefaultHost = "localhost";

    std::string host;
    int port = 0;

    // "host" or "host:port" as configured.
    std::string Text() const;
    // http://host[:port]/onlinestatistik/upload.php
    std::string Url() const;
    // The pages for people, and the address that tells whether they can be
    // shown: http://host[:port]/onlinestatistik/ and …/onlinestatistik/health
    std::string StatisticsUrl() const;
    std::string HealthUrl() const;
};

// Reads "host" or "host:port" (an IPv6 address in brackets). Blanks around
// the text are ignored; an empty text is the default host. Anything that
// is not a plain host name (a scheme, a path, user data, blanks inside, a
// port outside 1-65535) gives nothing and a German reason in `problem`, so
// a typing error in the settings can never send the catches elsewhere.
std::optional<UploadServer> ParseUploadServer(std::string_view text, std::string& problem);

// The server named by [Online] "Server" in the settings, localhost when the
// key is missing.
std::optional<UploadServer> ConfiguredUploadServer(const IniFile& settings, std::string& problem);

} // namespace zv
