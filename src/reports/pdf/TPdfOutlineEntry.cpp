#include "reports/pdf/TPdfOutlineEntry.h"

#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfDoc.h"
#include "reports/pdf/TPdfOutput.h"

#include <stdexcept>

namespace zv {

TPdfOutlineEntry* TPdfOutlineEntry::AddChild() {
    TPdfOutlineEntry* entry = doc_->NewOutlineEntry();
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

void TPdfOutlineEntry::SetTitle(std::string_view utf8) {
    const std::string_view kept = doc_->KeepText(utf8);
    title_ = kept.data();
    titleSize_ = static_cast<unsigned>(kept.size());
}

void TPdfOutlineEntry::SetDest(const std::shared_ptr<TPdfDestination>& dest) {
    // A destination of an earlier document would point at a page that is
    // gone; it is refused like one of another document.
    if (dest && !doc_->Owns(*dest)) {
        throw std::runtime_error("SetDest --internal docs are not equal.");
    }
    dest_ = dest.get();
}

namespace {

void WriteLink(TPdfOutput& out, const char* key, const TPdfOutlineEntry* target) {
    if (target == nullptr) {
        return;
    }
    out.Write(key);
    out.WriteRef(target->ObjectNumber(), target->Generation());
    out.Write("\r\n");
}

} // namespace

void TPdfOutlineEntry::Write(TPdfOutput& out) const {
    // Only the root has no parent.
    out.Write(parent_ == nullptr ? "<<\r\n/Type /Outlines\r\n/Count " : "<<\r\n/Count ");
    // Closed entries give their descendants as a negative count.
    out.WriteInt(opened_ ? descendants_ : -descendants_);
    out.Write("\r\n");
    if (parent_ != nullptr) {
        out.Write("/Title ");
        out.WriteTextString(Title());
        out.Write("\r\n");
        if (dest_ != nullptr) {
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
