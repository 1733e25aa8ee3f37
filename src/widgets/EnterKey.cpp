#include "widgets/EnterKey.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace zv {

namespace {

constexpr const char* kFilterName = "EnterOnFocusedButton";

// Enter on a focused button presses that button, as it does on a button
// that may take the default.
class EnterOnFocusedButton : public QObject {
public:
    explicit EnterOnFocusedButton(QObject* parent) : QObject(parent) {
        setObjectName(QString::fromLatin1(kFilterName));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QPushButton*>(watched);
        if ((key != Qt::Key_Return && key != Qt::Key_Enter) || button == nullptr ||
            button->isDefault()) {
            return false;
        }
        button->click();
        return true;
    }
};

} // namespace

void SettleEnterKey(QDialog& dialog) {
    auto* filter =
        dialog.findChild<QObject*>(QString::fromLatin1(kFilterName), Qt::FindDirectChildrenOnly);
    if (filter == nullptr) {
        filter = new EnterOnFocusedButton(&dialog);
    }
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        // Buttons of windows placed inside this one are theirs to settle.
        if (button->window() != &dialog || button->isDefault()) {
            continue;
        }
        button->setAutoDefault(false);
        button->installEventFilter(filter);
    }
}

} // namespace zv
