#pragma once

#include <QGuiApplication>

namespace zv {

// A cursor shown over the whole program while a piece of work runs, and
// restored however that work ends.
class OverrideCursor {
public:
    explicit OverrideCursor(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(shape); }
    ~OverrideCursor() { QGuiApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
};

} // namespace zv
