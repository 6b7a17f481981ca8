#include "PlainMessage.h"

namespace PlainMessage {

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                 const QString &text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool ask(QWidget *parent, const QString &title, const QString &text,
         QMessageBox::StandardButton defaultButton)
{
    return show(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                defaultButton) == QMessageBox::Yes;
}

} // namespace PlainMessage
