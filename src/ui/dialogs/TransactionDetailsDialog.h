#pragma once

#include "Account.h"
#include "Transaction.h"

#include <QDialog>
#include <QHash>

class AppState;
class QDialogButtonBox;
class QFormLayout;

// Read-only details of one transaction, with buttons to edit, duplicate or
// delete it. Edit and duplicate are left to the caller (read the flags after
// exec()); delete happens here, after asking.
class TransactionDetailsDialog : public QDialog
{
    Q_OBJECT
public:
    TransactionDetailsDialog(AppState *app, const Transaction &transaction, QWidget *parent = nullptr);

    bool editRequested() const { return m_editRequested; }
    bool duplicateRequested() const { return m_duplicateRequested; }
    bool deleted() const { return m_deleted; }

private:
    QFormLayout *buildDetailsForm(const Account &account, const QHash<QString, QString> &paths);
    QString splitLinesText(const Account &account, const QHash<QString, QString> &paths) const;
    QDialogButtonBox *buildButtons();

    AppState *m_app = nullptr;
    Transaction m_transaction;
    bool m_editRequested = false;
    bool m_duplicateRequested = false;
    bool m_deleted = false;
};
