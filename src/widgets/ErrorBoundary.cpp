#include "widgets/ErrorBoundary.h"

#include "base/EConvertError.h"
#include "widgets/Prompts.h"

#include <new>

namespace zv {

void ReportHandlerError(const std::exception& error) {
    if (dynamic_cast<const EConvertError*>(&error) != nullptr) {
        CurrentPrompts().Error(QString::fromUtf8(error.what()));
        return;
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        CurrentPrompts().Error(QStringLiteral("Nicht genügend Arbeitsspeicher für diese Aktion."));
        return;
    }
    CurrentPrompts().Error(QStringLiteral("Die Aktion wurde wegen eines Fehlers abgebrochen:\n") +
                           QString::fromUtf8(error.what()));
}

void ReportUnknownHandlerError() {
    CurrentPrompts().Error(
        QStringLiteral("Die Aktion wurde wegen eines unbekannten Fehlers abgebrochen."));
}

} // namespace zv
