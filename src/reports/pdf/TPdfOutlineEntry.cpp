#include "reports/pdf/TPdfOutlineEntry.h"

#include "reports/pdf/TPdfDestination.h"
#include "reports/pdf/TPdfDocRecords.h"
#include "reports/pdf/TPdfOutput.h"

#include <stdexcept>

namespace zv {

TPdfDocRecords& TPdfOutlineEntry::Records() const {
    if (!records_) {
        throw std::runtime_error("TPdfOutlineEntry --invalid operation.");
    }
    return *records_;
}

TPdfOutlineEntry TPdfOutlineEntry::AddChild() {
    TPdfDocRecords& records = Records();
    auto& outlines = records.outlines;
    const auto index = static_cast<std::uint32_t>(outlines.Size());
    TPdfOutlineRecord child;
    child.parent = index_;
    child.number = records.xref.Add(TPdfXref::Kind::Outline, index);

    TPdfOutlineRecord& self = outlines.Edit(index_);
    child.prev = self.last;
    const bool firstChild = self.last == kPdfNoRecord;
    if (firstChild) {
        self.first = index;
    }
    self.last = index;
    ++self.descendants;
    std::uint32_t ancestor = self.parent;
    if (!firstChild) {
        outlines.Edit(child.prev).next = index;
    }
    outlines.Add(child);
    while (ancestor != kPdfNoRecord) {
        TPdfOutlineRecord& record = outlines.Edit(ancestor);
        ++record.descendants;
        ancestor = record.parent;
    }
    return TPdfOutlineEntry(records_, index);
}

int TPdfOutlineEntry::ObjectNumber() const {
    return Records().outlines.Peek(index_).number;
}

std::string TPdfOutlineEntry::Title() const {
    TPdfDocRecords& records = Records();
    return records.texts.Get(records.outlines.Peek(index_).title);
}

void TPdfOutlineEntry::SetTitle(std::string_view utf8) {
    TPdfDocRecords& records = Records();
    const TPdfTextRef title = records.texts.Keep(utf8);
    records.outlines.Edit(index_).title = title;
}

void TPdfOutlineEntry::SetDest(const std::shared_ptr<TPdfDestination>& dest) {
    TPdfDocRecords& records = Records();
    // A destination of an earlier document would point at a page that is
    // gone; it is refused like one of another document.
    if (dest && dest->Records() != &records) {
        throw std::runtime_error("SetDest --internal docs are not equal.");
    }
    records.outlines.Edit(index_).dest = dest ? dest->Index() : kPdfNoRecord;
}

bool TPdfOutlineEntry::Opened() const {
    return Records().outlines.Peek(index_).opened;
}

void TPdfOutlineEntry::SetOpened(bool opened) {
    TPdfDocRecords& records = Records();
    records.outlines.Edit(index_).opened = opened;
}

namespace {

void WriteLink(TPdfOutput& out, TPdfDocRecords& records, const char* key, std::uint32_t target) {
    if (target == kPdfNoRecord) {
        return;
    }
    out.Write(key);
    out.WriteRef(records.outlines.Peek(target).number, 0);
    out.Write("\r\n");
}

} // namespace

void TPdfOutlineEntry::Write(TPdfOutput& out, TPdfDocRecords& records, std::uint32_t index) {
    const TPdfOutlineRecord record = records.outlines.Get(index);
    // Only the root has no parent.
    const bool root = record.parent == kPdfNoRecord;
    out.Write(root ? "<<\r\n/Type /Outlines\r\n/Count " : "<<\r\n/Count ");
    // Closed entries give their descendants as a negative count.
    out.WriteInt(record.opened ? record.descendants : -record.descendants);
    out.Write("\r\n");
    if (!root) {
        out.Write("/Title ");
        out.WriteTextString(records.texts.Get(record.title));
        out.Write("\r\n");
        if (record.dest != kPdfNoRecord) {
            out.Write("/Dest ");
            TPdfDestination::WriteValue(out, records, record.dest);
            out.Write("\r\n");
        }
    }
    WriteLink(out, records, "/First ", record.first);
    WriteLink(out, records, "/Last ", record.last);
    WriteLink(out, records, "/Prev ", record.prev);
    WriteLink(out, records, "/Next ", record.next);
    WriteLink(out, records, "/Parent ", record.parent);
    out.Write(">>");
}

} // namespace zv
