#pragma once

#include "base/SystemErrorText.h"

#include <string>

namespace zv {

// German reason for a libzip error code and the system error that came
// with it (0 when none did).
std::string ZipErrorText(int zipError, int systemError);

} // namespace zv
