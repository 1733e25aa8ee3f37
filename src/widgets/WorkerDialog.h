#pragma once

#include <QProgressDialog>
#include <QString>

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace zv {

// Long work on a worker thread behind a modal progress dialog with
// "Abbrechen", so the windows keep painting while it runs and the angler
// can stop it. The work learns of a cancel through CancelFlag(); it touches
// no widget and nothing the windows show. The dialog closes when the work
// ends; closed earlier (Escape, the window manager) it counts as a cancel,
// and Run waits for the work all the same.
class WorkerDialog {
public:
    // `cancelling` replaces the label once "Abbrechen" is pressed. The bar
    // runs from 0 to 1000 unless the caller sets another range.
    WorkerDialog(QWidget* parent, const char* objectName, const QString& title,
                 const QString& label, const QString& cancelling);
    ~WorkerDialog();
    WorkerDialog(const WorkerDialog&) = delete;
    WorkerDialog& operator=(const WorkerDialog&) = delete;

    QProgressDialog& Dialog() { return dialog_; }
    const std::atomic<bool>& CancelFlag() const { return cancel_; }

    // From the work: the bar at `value` and, unless empty, the label. Only a
    // change is passed to the dialog, so the work may call it as often as it
    // likes. After a cancel the label keeps saying so.
    void Show(const QString& label, int value);

    // Runs `work` on a worker thread while the dialog is shown (ShowModal).
    // The work starts once the dialog takes events, so a runner that presses
    // "Abbrechen" first finds it not yet begun. What the work throws is
    // thrown here, on the window's thread.
    void Run(std::function<void()> work);

private:
    void Start();

    QProgressDialog dialog_;
    QString cancelling_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{false};
    std::function<void()> work_;
    std::thread worker_;
    std::exception_ptr failure_;
    bool started_ = false;
    // What the work last passed on (worker thread only).
    QString shownLabel_;
    int shownValue_ = -1;
};

} // namespace zv
