#include "storage/ProgramFolderSetup.h"

#include "base/AtomicFile.h"
#include "storage/CreateFolder.h"

#include <system_error>

namespace zv {

bool PrepareProgramFolder(const std::filesystem::path& folder,
                          const std::filesystem::path& sharedData, std::string& error) {
    for (const std::filesystem::path& needed : {folder, folder / "DATs", folder / "img"}) {
        if (!CreateFolder(needed, error)) {
            return false;
        }
    }
    std::error_code ec;
    for (const char* name : {"KFaktor.dat"}) {
        const std::filesystem::path target = folder / name;
        const std::filesystem::path source = sharedData / name;
        if (std::filesystem::exists(target, ec) || !std::filesystem::is_regular_file(source, ec)) {
            continue;
        }
        std::string bytes;
        if (!ReadFileBytes(source, bytes, error) || !WriteFileAtomic(target, bytes, error)) {
            return false;
        }
    }
    return true;
}

} // namespace zv
