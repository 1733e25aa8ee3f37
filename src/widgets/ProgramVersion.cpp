#include "widgets/ProgramVersion.h"

namespace zv {

QString ProgramVersionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(ZV_VERSION_MAJOR)
        .arg(ZV_VERSION_MINOR)
        .arg(ZV_VERSION_PATCH);
}

} // namespace zv
