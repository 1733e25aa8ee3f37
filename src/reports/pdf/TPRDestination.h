#pragma once

#include "reports/pdf/PdfTypes.h"

#include <memory>

namespace zv {

class TPdfDestination;

// A destination in top-down page coordinates: Top and Bottom are stored as
// page height − value, Left and Right unchanged.
class TPRDestination {
public:
    TPRDestination() = default;
    explicit TPRDestination(std::shared_ptr<TPdfDestination> dest) : dest_(std::move(dest)) {}

    bool Valid() const { return dest_ != nullptr; }
    const std::shared_ptr<TPdfDestination>& Data() const { return dest_; }

    TPdfDestinationType Kind() const;
    void SetKind(TPdfDestinationType kind);
    int Left() const;
    int Top() const;
    int Right() const;
    int Bottom() const;
    void SetLeft(int value);
    void SetTop(int value);
    void SetRight(int value);
    void SetBottom(int value);
    double Zoom() const;
    // 0 … 10, else the writer's error.
    void SetZoom(double zoom);

private:
    int PageHeight() const;

    std::shared_ptr<TPdfDestination> dest_;
};

} // namespace zv
