#pragma once

#include "Transaction.h"

#include <QObject>
#include <QString>

class AppState;
class RegisterDelegate;
class RegisterModel;
class RegisterTableView;
class QWidget;

// The register's inline row: saving what was typed in it, refusing text a
// field cannot take and bringing the cursor back to that field, and the
// categories made while typing.
class RegisterEntryRow : public QObject
{
    Q_OBJECT
public:
    RegisterEntryRow(AppState *app, RegisterModel *model, RegisterTableView *view, RegisterDelegate *delegate,
                     QWidget *screen);

    // Saves the row being edited; true when saved or when there was nothing to
    // save. A new row with no account of its own goes to `accountId`.
    bool submit(const QString &accountId);
    bool isSubmitting() const { return m_submitting; }
    bool refused() const;
    // A new category named in the row; `current` is the row when none is being edited.
    QString createCategory(const QString &name, const Transaction &current);

signals:
    // The row was saved (inserted when it was a new one): the register reads its rows again.
    void saved(bool inserted);
    // The user kept a reconciled transaction as it was: the row's edit is dropped.
    void dropped();
    void statusMessage(const QString &text, int timeoutMs);

private:
    bool returnToRefusedEntry();
    void adoptCreatedCategory(const Transaction &t);

    AppState *m_app = nullptr;
    RegisterModel *m_model = nullptr;
    RegisterTableView *m_view = nullptr;
    RegisterDelegate *m_delegate = nullptr;
    QWidget *m_screen = nullptr;
    bool m_submitting = false;
    QString m_createdCategoryId;
};
