#include "UrlSafety.h"

#include <QDebug>
#include <QDesktopServices>

namespace BrioUpdate {

bool isWebUrl(const QUrl &url)
{
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool isOpenableLink(const QUrl &url)
{
    if (isWebUrl(url))
        return true;
    return url.isValid() && url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0 &&
           !url.path().isEmpty();
}

bool openDownloadUrl(const QUrl &url)
{
    if (!isWebUrl(url)) {
        qWarning() << "BrioUpdate: download URL is empty or invalid";
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        qWarning() << "BrioUpdate: QDesktopServices::openUrl failed for:" << url;
        return false;
    }
    return true;
}

} // namespace BrioUpdate
