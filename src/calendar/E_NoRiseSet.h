#pragma once

#include <stdexcept>

namespace zv {

// A body that never reaches its standard altitude on the day (polar day or
// night), so no rising or setting can be computed.
class E_NoRiseSet : public std::runtime_error {
public:
    E_NoRiseSet() : std::runtime_error("No rises or sets calculable") {}
};

} // namespace zv
