#pragma once
// Opening an address in the desktop's own handler (the browser, for a web page). The opener is a
// seam: tests install one that records the address, so that no browser starts.

#include <QUrl>

#include <functional>

namespace corvane {

// Returns whether the desktop accepted the address; callers are free to ignore it.
using UrlOpener = std::function<bool(const QUrl& url)>;

// The default opener is QDesktopServices::openUrl. An empty function restores it.
void SetUrlOpener(UrlOpener opener);

bool OpenUrl(const QUrl& url);

} // namespace corvane
