#include "windows/url_opener.h"

#include <QDesktopServices>

#include <utility>

namespace corvane {

namespace {

    UrlOpener& CurrentOpener()
    {
        static UrlOpener opener;
        return opener;
    }

} // namespace

void SetUrlOpener(UrlOpener opener) { CurrentOpener() = std::move(opener); }

bool OpenUrl(const QUrl& url)
{
    const UrlOpener& opener = CurrentOpener();
    if (opener)
        return opener(url);
    return QDesktopServices::openUrl(url);
}

} // namespace corvane
