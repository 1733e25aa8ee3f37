#pragma once

#include <QApplication>

namespace zv {

// The application object: an error escaping any event handler ends in the
// error boundary instead of ending the program.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zv
