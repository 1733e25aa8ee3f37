#pragma once

#include "reports/pdf/TPROutlineEntry.h"

namespace zv {

// A handle on the top of the report's bookmark tree.
class TPROutlineRoot {
public:
    TPROutlineRoot() = default;
    explicit TPROutlineRoot(TPdfOutlineEntry root) : root_(std::move(root)) {}

    bool Valid() const { return root_.Valid(); }
    // A new top-level bookmark as the last one.
    TPROutlineEntry AddChild();

private:
    TPdfOutlineEntry root_;
};

} // namespace zv
