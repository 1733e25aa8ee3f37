#pragma once

#include <QDialog>

namespace zv {

// A window whose content comes with a later version: it exists from the
// start with its class name and caption, opens from its menu item and offers
// nothing but closing, so it never pretends to do what it cannot.
class PendingForm : public QDialog {
    Q_OBJECT
public:
    PendingForm(const QString& className, const QString& caption, QWidget* parent);
    const QString& ClassName() const { return className_; }

private:
    QString className_;
};

} // namespace zv
