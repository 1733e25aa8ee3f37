#include "widgets/FormSet.h"

namespace zv {

void FormSet::Add(const QString& className, QWidget* window) {
    entries_.push_back({className, window});
}

QWidget* FormSet::Find(const QString& className) const {
    for (const Entry& entry : entries_) {
        if (entry.className == className) {
            return entry.window;
        }
    }
    return nullptr;
}

} // namespace zv
