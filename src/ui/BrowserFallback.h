#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// When no web browser could be opened: the address in a message, as text the
// user can select and copy into a browser by hand.
namespace BrowserFallback {

void showAddress(QWidget *parent, const QString &title, const QString &intro, const QUrl &address);

} // namespace BrowserFallback
