#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv::cli {

using CommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err);

struct CommandOption {
    std::string_view name;        // "--jahr"
    std::string_view value;       // "JJJJ"; empty for a switch
    std::string_view description; // one German line
};

struct CommandInfo {
    std::string_view name;
    std::string_view summary; // one German line for the command list
    std::string_view usage;   // the command's own "Aufruf: …" text
    std::span<const CommandOption> options;
    CommandFunction run;
};

// Every command word of zelvorin-cli, in the order the help lists them.
std::span<const CommandInfo> Commands();

// zelvorin-cli with its arguments (without the program name):
//   --help, -h, help            the commands with one line each (exit 0)
//   help BEFEHL, BEFEHL --help  that command's usage and options (exit 0)
//   --version                   the version (exit 0)
//   BEFEHL ARGUMENTE …          the command; "--" ends its options
// An unknown command or option says so and points to the help (exit 2);
// nothing at all lists the commands on `err` (exit 2).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
