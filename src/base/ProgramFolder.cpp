#include "base/ProgramFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace zv {

std::filesystem::path ProgramFolderOfExecutable(const char* argv0) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) {
        return exe.parent_path();
    }
    if (argv0 != nullptr && *argv0 != '\0') {
        const auto p = std::filesystem::absolute(argv0, ec);
        if (!ec) {
            return p.parent_path();
        }
    }
    return std::filesystem::current_path(ec);
}

bool IsInstalledLayout(const std::filesystem::path& executableFolder) {
    std::error_code ec;
    return executableFolder.filename() == "bin" &&
           std::filesystem::is_directory(executableFolder.parent_path() / "share" / "zelvorin", ec);
}

std::filesystem::path SharedDataFolder(const std::filesystem::path& executableFolder) {
    if (IsInstalledLayout(executableFolder)) {
        return executableFolder.parent_path() / "share" / "zelvorin";
    }
    return executableFolder;
}

std::optional<std::string> ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::filesystem::path ChooseProgramFolder(const std::filesystem::path& executableFolder,
                                          const EnvironmentLookup& environment) {
    if (const auto home = environment("ZELVORIN_HOME"); home && !home->empty()) {
        return std::filesystem::path(*home);
    }
    // Root may write into /usr/bin too: an installed layout is never the
    // program folder, whoever runs it.
    if (!IsInstalledLayout(executableFolder) &&
        ::access(executableFolder.c_str(), W_OK | X_OK) == 0) {
        return executableFolder;
    }
    // Relative values are invalid there and are ignored.
    if (const auto data = environment("XDG_DATA_HOME");
        data && std::filesystem::path(*data).is_absolute()) {
        return std::filesystem::path(*data) / "Zelvorin";
    }
    std::optional<std::string> home = environment("HOME");
    if (!home || home->empty()) {
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir) {
            home = user->pw_dir;
        }
    }
    if (!home || home->empty()) {
        return {};
    }
    return std::filesystem::path(*home) / ".local" / "share" / "Zelvorin";
}

} // namespace zv
