#include "RegisterCommands.h"

#include "AppState.h"
#include "RecurringFormDialog.h"
#include "RecurringRepository.h"
#include "RecurringService.h"
#include "RegisterScreen.h"
#include "TransactionActions.h"
#include "TransactionDetailsDialog.h"
#include "TransactionFormDialog.h"
#include "TransactionWriter.h"

#include <QAction>
#include <QMessageBox>

RegisterCommands::RegisterCommands(AppState *app, RegisterScreen *screen)
    : QObject(screen)
    , m_app(app)
    , m_screen(screen)
{
    buildActions();
}

void RegisterCommands::buildActions()
{
    // Each action calls the one that does its work: these commands here, the
    // cleared mark and the filter on the screen.
    auto make = [this](const QString &text, const QKeySequence &shortcut, auto *receiver, auto slot) {
        auto *action = new QAction(text, m_screen);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        connect(action, &QAction::triggered, receiver, slot);
        return action;
    };
    m_newAction =
        make(tr("&New Transaction..."), QKeySequence(tr("Ctrl+N")), this, &RegisterCommands::newTransaction);
    m_editAction =
        make(tr("&Edit Transaction..."), QKeySequence(tr("Ctrl+E")), this, &RegisterCommands::editCurrent);
    m_detailsAction =
        make(tr("De&tails..."), QKeySequence(tr("Ctrl+I")), this, &RegisterCommands::showDetails);
    m_splitsAction =
        make(tr("&Splits..."), QKeySequence(tr("Ctrl+Shift+S")), this, &RegisterCommands::editSplits);
    m_duplicateAction =
        make(tr("D&uplicate..."), QKeySequence(tr("Ctrl+D")), this, &RegisterCommands::duplicateCurrent);
    m_memorizeAction = make(tr("&Memorize Transaction..."), QKeySequence(tr("Ctrl+M")), this,
                            &RegisterCommands::memorizeCurrent);
    m_toggleClearedAction = make(tr("Toggle &Cleared"), QKeySequence(tr("Ctrl+K")), m_screen,
                                 &RegisterScreen::toggleClearedCurrent);
    m_deleteAction = make(tr("&Delete Transaction..."), QKeySequence(tr("Ctrl+Del")), this,
                          &RegisterCommands::deleteCurrent);
    m_filterAction =
        make(tr("&Filter..."), QKeySequence(tr("Ctrl+F")), m_screen, &RegisterScreen::showFilterDialog);
    m_clearFilterAction =
        make(tr("C&lear Filter"), QKeySequence(tr("Ctrl+Shift+F")), m_screen, &RegisterScreen::clearFilter);
}

void RegisterCommands::update(const std::optional<Transaction> &t, bool hasAccount, bool filterActive)
{
    m_newAction->setEnabled(hasAccount);
    m_editAction->setEnabled(t.has_value());
    m_detailsAction->setEnabled(t.has_value());
    m_splitsAction->setEnabled(t.has_value() && t->transferDestAccountId.isEmpty());
    m_duplicateAction->setEnabled(t.has_value());
    m_memorizeAction->setEnabled(t.has_value());
    m_toggleClearedAction->setEnabled(t.has_value() && !t->reconciled);
    m_deleteAction->setEnabled(t.has_value());
    m_filterAction->setEnabled(hasAccount);
    m_clearFilterAction->setEnabled(filterActive);
}

void RegisterCommands::newTransaction()
{
    if (m_screen->accountId().isEmpty())
        return;
    TransactionFormDialog dialog(m_app, m_screen->accountId(), m_screen);
    if (dialog.exec() == QDialog::Accepted) {
        if (m_app->transactionWriter()->insert(dialog.transaction()))
            m_screen->reloadNow();
        else
            QMessageBox::warning(m_screen, tr("Save Failed"), tr("The transaction could not be saved."));
    }
    // What is typed next is a new row, never the one just saved.
    m_screen->focusEntryRow();
}

void RegisterCommands::editCurrent()
{
    const auto t = m_screen->currentTransaction();
    if (!t)
        return;
    if (TransactionActions::editTransaction(m_app, *t, m_screen))
        m_screen->reloadNow();
    m_screen->focusEntryRow();
}

void RegisterCommands::showDetails()
{
    const auto t = m_screen->currentTransaction();
    if (!t)
        return;
    TransactionDetailsDialog dialog(m_app, *t, m_screen);
    dialog.exec();
    if (dialog.deleted()) {
        m_screen->reloadNow();
    } else if (dialog.editRequested()) {
        editCurrent();
    } else if (dialog.duplicateRequested()) {
        duplicateCurrent();
    }
    m_screen->focusEntryRow();
}

void RegisterCommands::editSplits()
{
    const auto t = m_screen->currentTransaction();
    if (!t)
        return;
    if (TransactionActions::editSplits(m_app, *t, m_screen))
        m_screen->reloadNow();
    m_screen->focusEntryRow();
}

void RegisterCommands::memorizeCurrent()
{
    const auto t = m_screen->currentTransaction();
    if (!t)
        return;
    if (!RecurringService::isUsableDueDate(t->date)) {
        emit statusMessage(tr("Cannot memorize: source transaction has an invalid date"), 5000);
        return;
    }
    RecurringFormDialog *dialog =
        RecurringFormDialog::createFromSeed(m_app, RecurringFormDialog::seedFromTransaction(*t), m_screen);
    if (dialog->exec() == QDialog::Accepted) {
        RecurringTransaction record = dialog->recurring();
        record.updatedAt = record.createdAt;
        if (!record.accountId.isEmpty() && m_app->recurring()->insert(record))
            emit statusMessage(tr("Transaction memorized as recurring"), 3000);
        else
            emit statusMessage(tr("The transaction could not be memorized"), 5000);
    }
    dialog->deleteLater();
    m_screen->focusEntryRow();
}

void RegisterCommands::duplicateCurrent()
{
    const auto t = m_screen->currentTransaction();
    if (!t)
        return;
    if (TransactionActions::duplicateTransaction(m_app, *t, m_screen))
        m_screen->reloadNow();
    m_screen->focusEntryRow();
}

void RegisterCommands::deleteCurrent()
{
    const auto t = m_screen->currentTransaction();
    if (!t)
        return;
    if (TransactionActions::confirmDelete(m_app, *t, m_screen)) {
        m_screen->reloadNow();
        emit statusMessage(tr("Transaction deleted"), 2000);
    }
    m_screen->focusEntryRow();
}
