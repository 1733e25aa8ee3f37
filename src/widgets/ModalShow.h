#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class QDialog;

namespace zv {

// Every window is shown modally through ShowModal, so a test can replace the
// blocking exec() with a runner that shows the window, operates it and
// returns without an event loop.
using ModalRunner = std::function<int(QDialog&)>;

// Shows `dialog` modally with the installed runner and returns its result;
// Enter presses only its default button (SettleEnterKey).
int ShowModal(QDialog& dialog);

// Installs a runner; an empty one restores QDialog::exec().
void SetModalRunner(ModalRunner runner);

// A runner for tests: shows the window without blocking (its show handler
// runs as usual), calls the action registered for the window's object name
// (if any), hides it again and records the order of showings.
class ScriptedModal {
public:
    ScriptedModal();
    ~ScriptedModal();
    ScriptedModal(const ScriptedModal&) = delete;
    ScriptedModal& operator=(const ScriptedModal&) = delete;

    // The action for the window of that object name; replaces an earlier one.
    void On(const QString& objectName, std::function<void(QDialog&)> action);
    const QStringList& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

private:
    int Run(QDialog& dialog);

    QStringList shown_;
    std::vector<std::pair<QString, std::function<void(QDialog&)>>> actions_;
};

} // namespace zv
