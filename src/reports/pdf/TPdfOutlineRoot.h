#pragma once

#include "reports/pdf/TPdfOutlineEntry.h"

namespace zv {

// The top of the bookmark tree: written with "Type" "Outlines", open.
class TPdfOutlineRoot : public TPdfOutlineEntry {
public:
    explicit TPdfOutlineRoot(TPdfDoc* doc) : TPdfOutlineEntry(doc) { SetOpened(true); }
};

} // namespace zv
