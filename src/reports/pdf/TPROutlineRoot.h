#pragma once

#include "reports/pdf/TPROutlineEntry.h"

namespace zv {

class TPdfOutlineRoot;

// A handle on the top of the report's bookmark tree.
class TPROutlineRoot {
public:
    TPROutlineRoot() = default;
    explicit TPROutlineRoot(TPdfOutlineRoot* root) : root_(root) {}

    bool Valid() const { return root_ != nullptr; }
    // A new top-level bookmark as the last one.
    TPROutlineEntry AddChild();

private:
    TPdfOutlineRoot* root_ = nullptr;
};

} // namespace zv
