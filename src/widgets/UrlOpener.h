#pragma once

#include <QUrl>

#include <functional>

namespace zv {

// Opens a web or mail address with the desktop's browser or mail program.
// Tests install an opener that records the address instead.
using UrlOpener = std::function<bool(const QUrl&)>;

bool OpenUrl(const QUrl& url);
void SetUrlOpener(UrlOpener opener); // empty restores the desktop services

} // namespace zv
