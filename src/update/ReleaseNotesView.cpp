#include "ReleaseNotesView.h"

#include "UrlSafety.h"

#include <QDebug>
#include <QDesktopServices>

namespace BrioUpdate {

ReleaseNotesView::ReleaseNotesView(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ReleaseNotesView::onLinkClicked);
}

QVariant ReleaseNotesView::loadResource(int type, const QUrl &name)
{
    Q_UNUSED(type)
    Q_UNUSED(name)
    // An empty but non-null answer: a null one would make the document fall back
    // to reading the name as a local file.
    return QVariant(QByteArray());
}

void ReleaseNotesView::onLinkClicked(const QUrl &link)
{
    if (!isOpenableLink(link)) {
        qWarning() << "BrioUpdate: ignoring link in release notes:" << link.toDisplayString();
        return;
    }
    QDesktopServices::openUrl(link);
}

} // namespace BrioUpdate
