#include "reports/pdf/TPdfXref.h"

namespace zv {

TPdfXref::TPdfXref() {
    entries_.push_back(TPdfXrefEntry{0, 65535, 'f', nullptr});
}

int TPdfXref::Register(const TPdfObjectPtr& object) {
    if (object->IsIndirect()) {
        return object->ObjectNumber();
    }
    int number = static_cast<int>(entries_.size());
    object->SetObjectNumber(number, 0);
    entries_.push_back(TPdfXrefEntry{0, 0, 'n', object});
    return number;
}

} // namespace zv
