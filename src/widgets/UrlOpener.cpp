#include "widgets/UrlOpener.h"

#include <QDesktopServices>

namespace zv {

namespace {

UrlOpener& InstalledOpener() {
    static UrlOpener opener;
    return opener;
}

} // namespace

bool OpenUrl(const QUrl& url) {
    if (InstalledOpener()) {
        return InstalledOpener()(url);
    }
    return QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener) {
    InstalledOpener() = std::move(opener);
}

} // namespace zv
