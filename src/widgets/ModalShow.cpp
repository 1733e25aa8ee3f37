#include "widgets/ModalShow.h"

#include "widgets/EnterKey.h"

#include <QDialog>

namespace zv {

namespace {

ModalRunner& InstalledRunner() {
    static ModalRunner runner;
    return runner;
}

} // namespace

int ShowModal(QDialog& dialog) {
    SettleEnterKey(dialog);
    const ModalRunner& runner = InstalledRunner();
    if (runner) {
        return runner(dialog);
    }
    return dialog.exec();
}

void SetModalRunner(ModalRunner runner) {
    InstalledRunner() = std::move(runner);
}

ScriptedModal::ScriptedModal() {
    SetModalRunner([this](QDialog& dialog) { return Run(dialog); });
}

ScriptedModal::~ScriptedModal() {
    SetModalRunner({});
}

void ScriptedModal::On(const QString& objectName, std::function<void(QDialog&)> action) {
    for (auto& [name, existing] : actions_) {
        if (name == objectName) {
            existing = std::move(action);
            return;
        }
    }
    actions_.emplace_back(objectName, std::move(action));
}

int ScriptedModal::Run(QDialog& dialog) {
    shown_ << dialog.objectName();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    for (const auto& [name, action] : actions_) {
        if (name == dialog.objectName()) {
            action(dialog);
        }
    }
    const int result = dialog.result();
    dialog.hide();
    return result;
}

} // namespace zv
