#include "base/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace zv {

std::string SystemErrorText(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
        return "Zugriff verweigert";
    case ENOENT:
        return "Der Ordner oder die Datei existiert nicht";
    case ENOSPC:
    case EDQUOT:
        return "Kein Speicherplatz mehr auf dem Datenträger";
    case EISDIR:
        return "Der Pfad ist ein Ordner";
    case ENOTDIR:
        return "Ein Teil des Pfades ist kein Ordner";
    case EIO:
        return "Ein-/Ausgabefehler";
    case ENAMETOOLONG:
        return "Der Name ist zu lang";
    case EFBIG:
        return "Die Datei ist zu groß";
    case ELOOP:
        return "Zu viele Ebenen symbolischer Verknüpfungen";
    case EBUSY:
        return "Die Datei oder das Gerät wird gerade verwendet";
    default:
        return std::strerror(err);
    }
}

} // namespace zv
