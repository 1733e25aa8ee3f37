#include "reports/pdf/TPdfObject.h"

#include "reports/pdf/TPdfOutput.h"

namespace zv {

void TPdfNull::Write(TPdfOutput& out) {
    out.Write("null");
}

void TPdfBoolean::Write(TPdfOutput& out) {
    out.Write(value_ ? "true" : "false");
}

void TPdfNumber::Write(TPdfOutput& out) {
    out.WriteInt(value_);
}

void TPdfReal::Write(TPdfOutput& out) {
    out.WriteReal(value_);
}

void TPdfText::Write(TPdfOutput& out) {
    out.WriteTextString(value_);
}

void TPdfName::Write(TPdfOutput& out) {
    out.WriteName(value_);
}

void TPdfVirtualObject::Write(TPdfOutput& out) {
    out.WriteRef(number_, generation_);
}

TPdfObjectPtr StoredForm(const TPdfObjectPtr& object) {
    if (object && object->IsIndirect()) {
        return std::make_shared<TPdfVirtualObject>(object->ObjectNumber(), object->Generation());
    }
    return object;
}

} // namespace zv
