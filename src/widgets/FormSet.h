#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace zv {

// The program's windows in the order they were created, found by class
// name. The set does not own them: every window but the main window is a
// child of the main window.
class FormSet {
public:
    struct Entry {
        QString className;
        QWidget* window = nullptr;
    };

    void Add(const QString& className, QWidget* window);
    QWidget* Find(const QString& className) const;
    template <class T> T* Get(const QString& className) const {
        return dynamic_cast<T*>(Find(className));
    }
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

} // namespace zv
