#include "reports/pdf/TPRDestination.h"

#include "reports/pdf/TPdfDestination.h"

#include <cmath>
#include <stdexcept>

namespace zv {

namespace {
TPdfDestination& Require(const std::shared_ptr<TPdfDestination>& dest) {
    if (!dest) {
        throw std::runtime_error("TPRDestination --invalid operation.");
    }
    return *dest;
}
} // namespace

int TPRDestination::PageHeight() const {
    return static_cast<int>(std::lround(Require(dest_).PageHeight()));
}

TPdfDestinationType TPRDestination::Kind() const {
    return Require(dest_).Kind();
}

void TPRDestination::SetKind(TPdfDestinationType kind) {
    Require(dest_).SetKind(kind);
}

int TPRDestination::Left() const {
    return Require(dest_).Left();
}

int TPRDestination::Right() const {
    return Require(dest_).Right();
}

int TPRDestination::Top() const {
    return PageHeight() - Require(dest_).Top();
}

int TPRDestination::Bottom() const {
    return PageHeight() - Require(dest_).Bottom();
}

void TPRDestination::SetLeft(int value) {
    Require(dest_).SetLeft(value);
}

void TPRDestination::SetRight(int value) {
    Require(dest_).SetRight(value);
}

void TPRDestination::SetTop(int value) {
    Require(dest_).SetTop(PageHeight() - value);
}

void TPRDestination::SetBottom(int value) {
    Require(dest_).SetBottom(PageHeight() - value);
}

double TPRDestination::Zoom() const {
    return Require(dest_).Zoom();
}

void TPRDestination::SetZoom(double zoom) {
    Require(dest_).SetZoom(zoom);
}

} // namespace zv
