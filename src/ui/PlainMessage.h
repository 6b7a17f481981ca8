#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Message boxes whose text may hold the user's own words (payees, account and
// category names) or a server's: always plain text, never read as markup.
namespace PlainMessage {

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                 const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A Yes/No question; true when the answer is Yes.
bool ask(QWidget *parent, const QString &title, const QString &text,
         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

} // namespace PlainMessage
