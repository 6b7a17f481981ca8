#pragma once

// Reads and presses the rows of the account library's lists as the user sees and clicks them.
#include "AccountList.h"
#include "AccountListDelegate.h"

#include <QListView>
#include <QTest>

namespace AccountListProbe {

using Delegate = BrioAccount::AccountListDelegate;

inline QVariant data(const BrioAccount::AccountList *list, int row, int role)
{
    return list->view()->model()->index(row, 0).data(role);
}

// The row's lines, and unless `linesOnly` its badge and button text when it has them.
inline QStringList rowTexts(const BrioAccount::AccountList *list, int row, bool linesOnly = false)
{
    QStringList texts{data(list, row, Qt::DisplayRole).toString()};
    texts << data(list, row, Delegate::DetailsRole).toStringList();
    for (const int role : {int(Delegate::BadgeRole), int(Delegate::ButtonRole)}) {
        if (const QString text = data(list, row, role).toString(); !linesOnly && !text.isEmpty())
            texts << text;
    }
    return texts;
}

// Clicks the row's button where it is drawn, scrolled into view; false when it has none.
inline bool clickButton(BrioAccount::AccountList *list, int row)
{
    QListView *view = list->view();
    view->scrollTo(view->model()->index(row, 0));
    const QRect button = list->buttonRect(row);
    if (!button.isValid())
        return false;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, button.center());
    return true;
}

} // namespace AccountListProbe
