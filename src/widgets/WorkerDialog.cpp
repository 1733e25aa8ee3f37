#include "widgets/WorkerDialog.h"

#include "widgets/ModalShow.h"

#include <QPushButton>

namespace zv {

WorkerDialog::WorkerDialog(QWidget* parent, const char* objectName, const QString& title,
                           const QString& label, const QString& cancelling)
    : dialog_(parent), cancelling_(cancelling) {
    dialog_.setObjectName(QString::fromUtf8(objectName));
    dialog_.setWindowTitle(title);
    dialog_.setLabelText(label);
    dialog_.setCancelButtonText(QStringLiteral("Abbrechen"));
    dialog_.setRange(0, 1000);
    dialog_.setValue(0);
    // The dialog closes when the work says so, not when the bar is full.
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setMinimumWidth(360);
    // "Abbrechen" keeps the dialog up, saying so, until the work has
    // stopped (the dialog's own cancel would hide it at once; it is joined
    // by name, so only a disconnect by name undoes it).
    QObject::disconnect(&dialog_, SIGNAL(canceled()), &dialog_, SLOT(cancel()));
    QObject::connect(&dialog_, &QProgressDialog::canceled, &dialog_, [this] {
        cancel_ = true;
        dialog_.setLabelText(cancelling_);
        if (auto* button = dialog_.findChild<QPushButton*>()) {
            button->setEnabled(false);
        }
    });
}

WorkerDialog::~WorkerDialog() {
    // Run joined the worker; this only guards a Run that threw before.
    if (worker_.joinable()) {
        cancel_ = true;
        worker_.join();
    }
}

void WorkerDialog::Show(const QString& label, int value) {
    const bool newLabel = !label.isEmpty() && label != shownLabel_;
    if (!newLabel && value == shownValue_) {
        return;
    }
    shownValue_ = value;
    if (newLabel) {
        shownLabel_ = label;
    }
    QMetaObject::invokeMethod(
        &dialog_,
        [this, label = newLabel ? label : QString(), value] {
            if (!label.isEmpty() && !cancel_) {
                dialog_.setLabelText(label);
            }
            dialog_.setValue(value);
        },
        Qt::QueuedConnection);
}

void WorkerDialog::Start() {
    if (started_) {
        return;
    }
    started_ = true;
    worker_ = std::thread([this] {
        try {
            work_();
        } catch (...) {
            failure_ = std::current_exception();
        }
        finished_ = true;
        QMetaObject::invokeMethod(
            &dialog_, [this] { dialog_.accept(); }, Qt::QueuedConnection);
    });
}

void WorkerDialog::Run(std::function<void()> work) {
    work_ = std::move(work);
    QMetaObject::invokeMethod(
        &dialog_, [this] { Start(); }, Qt::QueuedConnection);
    ShowModal(dialog_);
    if (!finished_) {
        cancel_ = true;
    }
    // A runner that returned before the dialog took events: the work runs
    // now and finds itself cancelled at once.
    Start();
    worker_.join();
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

} // namespace zv
