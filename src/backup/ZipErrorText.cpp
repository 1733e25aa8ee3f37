#include "backup/ZipErrorText.h"

#include <zip.h>

#include <cerrno>
#include <cstring>

namespace zv {

std::string ZipErrorText(int zipError, int systemError) {
    switch (zipError) {
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_WRITE:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
    case ZIP_ER_CLOSE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
        if (systemError != 0) {
            return SystemErrorText(systemError);
        }
        return zipError == ZIP_ER_WRITE ? "Fehler beim Schreiben" : "Fehler beim Lesen";
    case ZIP_ER_NOZIP:
        return "Die Datei ist kein Zip-Archiv";
    case ZIP_ER_NOENT:
        return "Die Datei existiert nicht";
    case ZIP_ER_CRC:
        return "Die Prüfsumme stimmt nicht: die Daten sind beschädigt";
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_ZLIB:
        return "Das Zip-Archiv ist beschädigt";
    case ZIP_ER_MULTIDISK:
        return "Mehrteilige Zip-Archive werden nicht unterstützt";
    case ZIP_ER_COMPNOTSUPP:
        return "Die Kompressionsmethode wird nicht unterstützt";
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return "Verschlüsselte Dateien werden nicht unterstützt";
    case ZIP_ER_MEMORY:
        return "Nicht genügend Arbeitsspeicher";
    default:
        break;
    }
    zip_error_t error;
    zip_error_init_with_code(&error, zipError);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

} // namespace zv
