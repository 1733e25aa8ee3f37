#include "reports/pdf/TPdfOutlineEntry.h"

#include "reports/pdf/PdfFormat.h"
#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfOutput.h"

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
    for (TPdfOutlineEntry* ancestor = this; ancestor != nullptr; ancestor = ancestor->parent_) {
        ++ancestor->descendants_;
    }
    return entry;
}

void TPdfOutlineEntry::SetDest(std::shared_ptr<TPdfDestination> dest) {
    if (dest && dest->Doc() != doc_) {
        throw std::runtime_error("SetDest --internal docs are not equal.");
    }
    dest_ = std::move(dest);
}

namespace {

void WriteLink(TPdfOutput& out, const char* key, const TPdfOutlineEntry* target) {
    if (target == nullptr) {
        return;
    }
    out.Write(key);
    out.WriteInt(target->ObjectNumber());
    out.Write(' ');
    out.WriteInt(target->Generation());
    out.Write(" R\r\n");
}

} // namespace

void TPdfOutlineEntry::Write(TPdfOutput& out) {
    out.Write("<<\r\n");
    WriteElements(out);
    // Closed entries give their descendants as a negative count.
    out.Write("/Count ");
    out.WriteInt(opened_ ? descendants_ : -descendants_);
    out.Write("\r\n");
    if (parent_ != nullptr) {
        std::string text = "/Title ";
        AppendPdfTextString(text, title_);
        text += "\r\n";
        out.Write(text);
        if (dest_) {
            out.Write("/Dest ");
            dest_->WriteValue(out);
            out.Write("\r\n");
        }
    }
    WriteLink(out, "/First ", first_);
    WriteLink(out, "/Last ", last_);
    WriteLink(out, "/Prev ", prev_);
    WriteLink(out, "/Next ", next_);
    WriteLink(out, "/Parent ", parent_);
    out.Write(">>");
}

} // namespace zv
