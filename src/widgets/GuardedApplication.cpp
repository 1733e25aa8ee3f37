#include "widgets/GuardedApplication.h"

#include "widgets/ErrorBoundary.h"

namespace zv {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportHandlerError(error);
    } catch (...) {
        ReportUnknownHandlerError();
    }
    return false;
}

} // namespace zv
