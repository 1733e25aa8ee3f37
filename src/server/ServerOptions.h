#pragma once

#include "onlinestats/DatabaseLocation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// zelvorin-server [--listen HOST:PORT] [--db URL] [--max-upload-mb N]
struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8080; // 0 lets the system choose
    DatabaseLocation database;
    std::size_t maxUploadBytes = std::size_t{64} << 20;
    bool help = false;
};

// The options from the arguments after the program name ("--flag value" or
// "--flag=value"); nothing and a German reason in `problem` for anything
// else.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& arguments,
                                                std::string& problem);

// The German usage text.
std::string ServerUsage();

} // namespace zv
