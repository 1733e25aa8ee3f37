#include "reports/pdf/TPROutlineEntry.h"

#include "reports/pdf/TPRDestination.h"

#include <stdexcept>

namespace zv {

namespace {
TPdfOutlineEntry Require(const TPdfOutlineEntry& entry) {
    if (!entry.Valid()) {
        throw std::runtime_error("TPROutlineEntry --invalid operation.");
    }
    return entry;
}
} // namespace

TPROutlineEntry TPROutlineEntry::AddChild() {
    return TPROutlineEntry(Require(entry_).AddChild());
}

std::string TPROutlineEntry::Title() const {
    return Require(entry_).Title();
}

void TPROutlineEntry::SetTitle(std::string_view utf8) {
    Require(entry_).SetTitle(utf8);
}

void TPROutlineEntry::SetDest(const TPRDestination& dest) {
    Require(entry_).SetDest(dest.Data());
}

bool TPROutlineEntry::Opened() const {
    return Require(entry_).Opened();
}

void TPROutlineEntry::SetOpened(bool opened) {
    Require(entry_).SetOpened(opened);
}

} // namespace zv
