#include "storage/CreateFolder.h"

#include "base/AtomicFile.h"

#include <cerrno>
#include <system_error>

namespace zv {

bool CreateFolder(const std::filesystem::path& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!ec) {
        return true;
    }
    std::string reason;
    switch (ec.value()) {
    case EACCES:
    case EPERM:
    case EROFS:
        reason = "Zugriff verweigert";
        break;
    case EEXIST:
    case ENOTDIR:
        reason = "Ein Teil des Pfades ist eine Datei und kein Ordner";
        break;
    case ENOSPC:
        reason = "Kein Speicherplatz mehr auf dem Datenträger";
        break;
    default:
        reason = ec.message();
        break;
    }
    error = "Der Ordner \"" + PathToUtf8(folder) + "\" kann nicht angelegt werden: " + reason + ".";
    return false;
}

} // namespace zv
