// zelvorin-cli: headless commands over the engine (Cli.h lists them).

#include "cli/Cli.h"
#include "cli/ProgressLine.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    // Progress is for a person watching, never for a pipe or a log file.
    zv::cli::SetProgressShown(::isatty(STDERR_FILENO) == 1);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return zv::cli::RunCli(args, std::cout, std::cerr);
}
