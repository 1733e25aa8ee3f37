#include "reports/pdf/TPdfObject.h"

#include "reports/pdf/PdfFormat.h"
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
    std::string text;
    AppendPdfReal(text, value_);
    out.Write(text);
}

void TPdfText::Write(TPdfOutput& out) {
    std::string text;
    AppendPdfTextString(text, value_);
    out.Write(text);
}

void TPdfName::Write(TPdfOutput& out) {
    std::string text;
    AppendPdfName(text, value_);
    out.Write(text);
}

void TPdfVirtualObject::Write(TPdfOutput& out) {
    out.WriteInt(number_);
    out.Write(' ');
    out.WriteInt(generation_);
    out.Write(" R");
}

TPdfObjectPtr StoredForm(const TPdfObjectPtr& object) {
    if (object && object->IsIndirect()) {
        return std::make_shared<TPdfVirtualObject>(object->ObjectNumber(), object->Generation());
    }
    return object;
}

} // namespace zv
