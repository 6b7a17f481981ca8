#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTextBrowser>
#include <QWidget>

// Reads what a user sees in the update library's dialogs.
namespace DialogProbe {

inline QStringList labelTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

inline QLabel *labelWithText(const QWidget *dialog, const QString &text)
{
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (label->text() == text)
            return label;
    return nullptr;
}

// Button texts of the dialog's button box, in the order they are laid out.
inline QStringList buttonTexts(const QWidget *dialog)
{
    QStringList texts;
    const auto *box = dialog->findChild<QDialogButtonBox *>();
    if (!box)
        return texts;
    for (const QAbstractButton *button : box->buttons())
        texts << button->text();
    return texts;
}

inline QAbstractButton *button(const QWidget *dialog, const QString &text)
{
    const auto *box = dialog->findChild<QDialogButtonBox *>();
    if (!box)
        return nullptr;
    for (QAbstractButton *candidate : box->buttons())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

// Every top-level widget of type T that is open now.
template <typename T> QList<T *> openWindows()
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *typed = qobject_cast<T *>(widget); typed && typed->isVisible())
            found << typed;
    return found;
}

// Runs the deleteLater() calls that are due, so a test can see what was released.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace DialogProbe
