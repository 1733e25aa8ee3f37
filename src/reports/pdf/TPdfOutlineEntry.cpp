#include "reports/pdf/TPdfOutlineEntry.h"

#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfDoc.h"

#include <stdexcept>

namespace zv {

TPdfOutlineEntry* TPdfOutlineEntry::AddChild() {
    auto child = std::make_shared<TPdfOutlineEntry>(doc_);
    doc_->RegisterObject(child);
    TPdfOutlineEntry* entry = child.get();
    entry->parent_ = this;
    if (last_ != nullptr) {
        last_->next_ = entry;
        entry->prev_ = last_;
    } else {
        first_ = entry;
    }
    last_ = entry;
    return entry;
}

void TPdfOutlineEntry::SetDest(std::shared_ptr<TPdfDestination> dest) {
    if (dest && dest->Doc() != doc_) {
        throw std::runtime_error("SetDest --internal docs are not equal.");
    }
    dest_ = std::move(dest);
}

int TPdfOutlineEntry::DescendantCount() const {
    int count = 0;
    for (const TPdfOutlineEntry* child = first_; child != nullptr; child = child->next_) {
        count += 1 + child->DescendantCount();
    }
    return count;
}

} // namespace zv
