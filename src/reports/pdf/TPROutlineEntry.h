#pragma once

#include "reports/pdf/TPdfOutlineEntry.h"

#include <string>
#include <string_view>

namespace zv {

class TPRDestination;

// A handle on a bookmark of the report's document.
class TPROutlineEntry {
public:
    TPROutlineEntry() = default;
    explicit TPROutlineEntry(TPdfOutlineEntry entry) : entry_(std::move(entry)) {}

    bool Valid() const { return entry_.Valid(); }

    // A new bookmark as the last child of this one.
    TPROutlineEntry AddChild();
    std::string Title() const;
    void SetTitle(std::string_view utf8);
    // The destination must belong to the same document, else
    // "SetDest --internal docs are not equal.".
    void SetDest(const TPRDestination& dest);
    bool Opened() const;
    void SetOpened(bool opened);

private:
    TPdfOutlineEntry entry_;
};

} // namespace zv
