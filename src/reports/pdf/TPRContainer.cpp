#include "reports/pdf/TPRContainer.h"

#include <algorithm>

namespace zv {

std::vector<TPRBounds> TPRContainer::ArrangeChildren(const TPRBounds& client) const {
    std::vector<TPRBounds> places(children_.size());
    TPRBounds free = client;
    const TPRAlign order[] = {TPRAlign::Top, TPRAlign::Bottom, TPRAlign::Left, TPRAlign::Right,
                              TPRAlign::Client};
    for (TPRAlign pass : order) {
        for (std::size_t i = 0; i < children_.size(); ++i) {
            const TPRControl& child = *children_[i];
            if (child.Align() != pass) {
                continue;
            }
            TPRBounds& place = places[i];
            switch (pass) {
            case TPRAlign::Top:
                place = {free.Left, free.Top, free.Right,
                         std::min(free.Bottom, free.Top + child.Height())};
                free.Top = place.Bottom;
                break;
            case TPRAlign::Bottom:
                place = {free.Left, std::max(free.Top, free.Bottom - child.Height()), free.Right,
                         free.Bottom};
                free.Bottom = place.Top;
                break;
            case TPRAlign::Left:
                place = {free.Left, free.Top, std::min(free.Right, free.Left + child.Width()),
                         free.Bottom};
                free.Left = place.Right;
                break;
            case TPRAlign::Right:
                place = {std::max(free.Left, free.Right - child.Width()), free.Top, free.Right,
                         free.Bottom};
                free.Right = place.Left;
                break;
            case TPRAlign::Client:
                place = free;
                break;
            case TPRAlign::None:
                break;
            }
        }
    }
    for (std::size_t i = 0; i < children_.size(); ++i) {
        const TPRControl& child = *children_[i];
        if (child.Align() == TPRAlign::None) {
            int left = client.Left + child.Left();
            int top = client.Top + child.Top();
            places[i] = {left, top, left + child.Width(), top + child.Height()};
        }
    }
    return places;
}

} // namespace zv
