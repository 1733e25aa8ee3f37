#include "reports/pdf/TPdfXref.h"

#include "reports/pdf/TPdfOutlineEntry.h"
#include "reports/pdf/TPdfPage.h"

namespace zv {

// An entry keeps its kind in the low bits of the target's address.
static_assert(alignof(TPdfObject) >= 4 && alignof(TPdfPage) >= 4 && alignof(TPdfOutlineEntry) >= 4);

TPdfXref::TPdfXref() {
    entries_.emplace_back(TPdfXrefEntry::Kind::Object, nullptr);
}

int TPdfXref::Register(const TPdfObjectPtr& object) {
    if (object->IsIndirect()) {
        return object->ObjectNumber();
    }
    owned_.push_back(object);
    return Register(*object);
}

int TPdfXref::Register(TPdfObject& object) {
    if (object.IsIndirect()) {
        return object.ObjectNumber();
    }
    const int number = static_cast<int>(entries_.size());
    object.SetObjectNumber(number, 0);
    entries_.emplace_back(TPdfXrefEntry::Kind::Object, &object);
    return number;
}

int TPdfXref::RegisterPage(TPdfPage& page) {
    const int number = static_cast<int>(entries_.size());
    entries_.emplace_back(TPdfXrefEntry::Kind::Page, &page);
    entries_.emplace_back(TPdfXrefEntry::Kind::Contents, &page);
    return number;
}

int TPdfXref::RegisterOutline(TPdfOutlineEntry& entry) {
    const int number = static_cast<int>(entries_.size());
    entries_.emplace_back(TPdfXrefEntry::Kind::Outline, &entry);
    return number;
}

} // namespace zv
