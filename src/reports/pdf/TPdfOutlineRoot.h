#pragma once

#include "reports/pdf/TPdfOutlineEntry.h"

namespace zv {

// The top of the bookmark tree: "Type" "Outlines", open.
class TPdfOutlineRoot : public TPdfOutlineEntry {
public:
    explicit TPdfOutlineRoot(TPdfDoc* doc) : TPdfOutlineEntry(doc) {
        opened_ = true;
        AddName("Type", "Outlines");
    }
};

} // namespace zv
