#include "server/ServerOptions.h"

#include <charconv>
#include <string_view>

namespace zv {

namespace {

constexpr long kMaxUploadMb = 4096;

bool ReadWhole(std::string_view text, long low, long high, long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           value >= low && value <= high;
}

// HOST:PORT, the host an IPv4 address, a name or an IPv6 address in brackets.
bool ReadListen(std::string_view text, ServerOptions& options) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) {
        return false;
    }
    std::string_view host = text.substr(0, colon);
    if (host.front() == '[') {
        if (host.size() < 3 || host.back() != ']') {
            return false;
        }
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string_view::npos) {
        return false;
    }
    long port = 0;
    if (!ReadWhole(text.substr(colon + 1), 0, 65535, port)) {
        return false;
    }
    options.host = host;
    options.port = static_cast<int>(port);
    return true;
}

} // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments,
                                                std::string& problem) {
    ServerOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string flag = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t equals = flag.find('=');
            flag.starts_with("--") && equals != std::string::npos) {
            value = flag.substr(equals + 1);
            flag.resize(equals);
        }
        if (flag == "--help" || flag == "-h") {
            options.help = true;
            continue;
        }
        if (flag != "--listen" && flag != "--db" && flag != "--max-upload-mb") {
            problem = "Unbekannte Angabe \"" + arguments[i] + "\".";
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                problem = "Nach " + flag + " fehlt der Wert.";
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (flag == "--listen") {
            if (!ReadListen(*value, options)) {
                problem = "--listen erwartet RECHNER:PORT (z. B. 127.0.0.1:8080 oder [::1]:8080), "
                          "nicht \"" +
                          *value + "\".";
                return std::nullopt;
            }
        } else if (flag == "--db") {
            std::optional<DatabaseLocation> location = ParseDatabaseLocation(*value, problem);
            if (!location) {
                return std::nullopt;
            }
            options.database = std::move(*location);
        } else {
            long megabytes = 0;
            if (!ReadWhole(*value, 1, kMaxUploadMb, megabytes)) {
                problem = "--max-upload-mb erwartet eine ganze Zahl von 1 bis " +
                          std::to_string(kMaxUploadMb) + ", nicht \"" + *value + "\".";
                return std::nullopt;
            }
            options.maxUploadBytes = static_cast<std::size_t>(megabytes) << 20;
        }
    }
    return options;
}

std::string ServerUsage() {
    return "Aufruf: zelvorin-server [--listen RECHNER:PORT] [--db ADRESSE] [--max-upload-mb N]\n"
           "  --listen         wo der Server auf Anfragen wartet (Vorgabe 127.0.0.1:8080)\n"
           "  --db             sqlite:DATEI (Vorgabe sqlite:onlinestatistik.sqlite im\n"
           "                   Arbeitsordner) oder postgresql://BENUTZER@RECHNER/DATENBANK\n"
           "  --max-upload-mb  größter angenommener Upload in MiB (Vorgabe 64)\n";
}

} // namespace zv
