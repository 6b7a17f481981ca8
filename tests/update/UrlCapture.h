#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Takes the place of the browser while it lives: every URL the code under test
// hands to QDesktopServices::openUrl is recorded instead of opened, whatever its
// scheme, so that a test can also show that an unsafe URL was never handed over.
// Only one may live at a time: destroying one unregisters the handlers.
class UrlCapture : public QObject
{
    Q_OBJECT

public:
    UrlCapture()
    {
        for (const QString &scheme : schemes())
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCapture() override
    {
        for (const QString &scheme : schemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }

private:
    static QStringList schemes()
    {
        return {"http", "https", "mailto", "file", "ftp", "javascript", "data", "tallyfern", "smb"};
    }
};
