#include "TransactionActions.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "DateField.h"
#include "Money.h"
#include "PlainMessage.h"
#include "SplitEditorDialog.h"
#include "SplitLineRepository.h"
#include "TransactionFormDialog.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TransactionActions", text);
}

void showSaveFailed(QWidget *parent)
{
    QMessageBox::warning(
        parent, QCoreApplication::translate("TransactionActions", "Save Failed"),
        QCoreApplication::translate("TransactionActions", "The transaction could not be saved."));
}

} // namespace

namespace TransactionActions {

bool editTransaction(AppState *app, const Transaction &transaction, QWidget *parent)
{
    TransactionFormDialog dialog(app, transaction, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const Transaction edited = dialog.transaction();
    if (!confirmReconciledLegChange(app, transaction, edited, parent))
        return false;
    if (app->transactionWriter()->update(transaction, edited))
        return true;
    showSaveFailed(parent);
    return false;
}

bool confirmReconciledLegChange(AppState *app, const Transaction &before, const Transaction &after,
                                QWidget *parent)
{
    const std::optional<Account> other = app->transactionWriter()->reconciledLegChangedBy(before, after);
    if (!other)
        return true;
    return PlainMessage::ask(parent, tr("Reconciled Transfer"),
                             tr("This transfer is reconciled in %1. Saving will change a reconciled "
                                "transaction there. Save anyway?")
                                 .arg(other->name),
                             QMessageBox::No);
}

bool editSplits(AppState *app, const Transaction &transaction, QWidget *parent)
{
    if (!transaction.transferDestAccountId.isEmpty()) {
        QMessageBox::information(
            parent, tr("Split Transaction"),
            tr("A transfer cannot be split. Change it to an ordinary transaction first."));
        return false;
    }
    const QList<SplitLine> existing = app->splitLines()->findByTransaction(transaction.id);
    SplitEditorDialog dialog(app, transaction, existing, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;

    // The transaction's amount is the total of its lines; without lines it
    // keeps its amount as an ordinary transaction.
    const QList<SplitLine> lines = dialog.lines();
    Transaction updated = transaction;
    if (!lines.isEmpty()) {
        updated.amount = 0;
        for (const SplitLine &line : lines)
            updated.amount += line.amount;
    }
    if (app->transactionWriter()->replaceSplits(updated, lines))
        return true;
    showSaveFailed(parent);
    return false;
}

bool duplicateTransaction(AppState *app, const Transaction &transaction, QWidget *parent)
{
    TransactionFormDialog dialog(app, transaction.accountId, parent);
    Transaction copy = transaction;
    copy.date = QDate::currentDate();
    dialog.setTemplate(copy);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const Transaction result = dialog.transaction();
    QList<SplitLine> lines;
    if (result.isSplit)
        lines = app->splitLines()->findByTransaction(transaction.id);
    if (app->transactionWriter()->insert(result, lines))
        return true;
    showSaveFailed(parent);
    return false;
}

bool toggleCleared(AppState *app, Transaction transaction)
{
    if (transaction.reconciled)
        return false;
    transaction.cleared = !transaction.cleared;
    transaction.updatedAt = QDateTime::currentDateTimeUtc();
    transaction.syncStatus = SyncStatus::Pending;
    return app->transactions()->update(transaction);
}

bool confirmDelete(AppState *app, const Transaction &transaction, QWidget *parent)
{
    const std::optional<Transaction> leg = app->transactionWriter()->otherLeg(transaction);
    QString text;
    if (leg && !leg->deletedAt) {
        const auto other = app->accounts()->findById(leg->accountId);
        text = tr("Delete this transfer?\n\nBoth legs go: this one and the one in \"%1\".")
                   .arg(other ? other->name : QString());
    } else {
        text = tr("Delete this transaction?");
    }
    // The question names the row it deletes.
    const std::optional<Account> account = app->accounts()->findById(transaction.accountId);
    QStringList row{DateField::format(transaction.date), transaction.payee,
                    Money::format(transaction.amount, account ? account->currency : Currency::USD)};
    row.removeAll(QString());
    text += QLatin1String("\n\n") + row.join(QStringLiteral(" · "));
    if (transaction.reconciled)
        text += QLatin1String("\n\n") + tr("It is reconciled; deleting it changes the reconciled balance.");
    // Plain text: the payee and the account name are the user's words.
    if (!PlainMessage::ask(parent, tr("Delete Transaction"), text, QMessageBox::No))
        return false;
    if (app->transactionWriter()->remove(transaction))
        return true;
    QMessageBox::warning(parent, tr("Delete Failed"), tr("The transaction could not be deleted."));
    return false;
}

bool isBlank(const Transaction &transaction)
{
    return transaction.payee.isEmpty() && transaction.amount == 0 && transaction.memo.isEmpty() &&
           transaction.checkNumber.isEmpty() && transaction.categoryId.isEmpty() &&
           transaction.transferDestAccountId.isEmpty() && !transaction.isSplit;
}

} // namespace TransactionActions
