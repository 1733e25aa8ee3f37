#pragma once

#include "reports/pdf/TPRControl.h"

#include <memory>
#include <utility>
#include <vector>

namespace zv {

// Owns child controls in the order they were placed; children print in
// that order. Placing a child returns it for setting up.
class TPRContainer {
public:
    virtual ~TPRContainer() = default;

    template <class T, class... Args> T& Add(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        children_.push_back(std::move(child));
        return ref;
    }

    std::size_t ChildCount() const { return children_.size(); }
    TPRControl& Child(std::size_t index) const { return *children_.at(index); }

    // The places of the children inside `client`, aligned as each child
    // asks: top and bottom bands first, then left and right, then the
    // client-filling ones; unaligned children sit at their position
    // relative to the client's top-left corner.
    std::vector<TPRBounds> ArrangeChildren(const TPRBounds& client) const;

private:
    std::vector<std::unique_ptr<TPRControl>> children_;
};

} // namespace zv
