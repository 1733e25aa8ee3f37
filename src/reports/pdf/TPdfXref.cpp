#include "reports/pdf/TPdfXref.h"

namespace zv {

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
