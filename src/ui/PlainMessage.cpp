#include "PlainMessage.h"

#include <QGridLayout>
#include <QSpacerItem>

namespace {

// Room a title bar takes besides the title: icon, buttons and margins.
constexpr int TitleBarControls = 160;

} // namespace

namespace PlainMessage {

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                 const QString &text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    // A box narrower than its title has the title cut by the window manager.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(box.fontMetrics().horizontalAdvance(title) + TitleBarControls, 0,
                                      QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
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
