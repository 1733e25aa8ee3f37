#pragma once

#include <QString>

namespace zv {

// The program's version as major.minor.release ("1.1.0"), from the build.
QString ProgramVersionText();

} // namespace zv
