#include "reports/pdf/TPROutlineRoot.h"

#include <stdexcept>

namespace zv {

TPROutlineEntry TPROutlineRoot::AddChild() {
    if (!root_.Valid()) {
        throw std::runtime_error("GetOutlineRoot --invalid operation.");
    }
    return TPROutlineEntry(root_.AddChild());
}

} // namespace zv
