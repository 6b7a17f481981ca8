#include "BrowserFallback.h"

#include <QMessageBox>

namespace BrowserFallback {

void showAddress(QWidget *parent, const QString &title, const QString &intro, const QUrl &address)
{
    // Plain text: a server's address is never markup.
    QMessageBox box(QMessageBox::Information, title,
                    intro + QLatin1String("\n\n") + address.toString(QUrl::FullyEncoded), QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("browserFallback"));
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace BrowserFallback
