#include "base/ProgramFolder.h"

#include <system_error>

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

} // namespace zv
