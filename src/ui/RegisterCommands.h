#pragma once

#include "Transaction.h"

#include <QObject>
#include <optional>

class AppState;
class QAction;
class RegisterScreen;

// The commands on a register's current transaction: their actions and the
// dialogs they open. The actions belong to the screen, whose slots they trigger.
class RegisterCommands : public QObject
{
    Q_OBJECT
public:
    RegisterCommands(AppState *app, RegisterScreen *screen);

    QAction *newAction() const { return m_newAction; }
    QAction *editAction() const { return m_editAction; }
    QAction *detailsAction() const { return m_detailsAction; }
    QAction *splitsAction() const { return m_splitsAction; }
    QAction *duplicateAction() const { return m_duplicateAction; }
    QAction *memorizeAction() const { return m_memorizeAction; }
    QAction *toggleClearedAction() const { return m_toggleClearedAction; }
    QAction *deleteAction() const { return m_deleteAction; }
    QAction *filterAction() const { return m_filterAction; }
    QAction *clearFilterAction() const { return m_clearFilterAction; }

    // Enables each command for the current transaction, if any.
    void update(const std::optional<Transaction> &t, bool hasAccount, bool filterActive);

    void newTransaction();
    void editCurrent();
    void showDetails();
    void editSplits();
    void duplicateCurrent();
    // Opens the recurring form on a monthly schedule made from the current transaction.
    void memorizeCurrent();
    void deleteCurrent();

signals:
    void statusMessage(const QString &text, int timeoutMs);

private:
    void buildActions();

    AppState *m_app = nullptr;
    RegisterScreen *m_screen = nullptr;
    QAction *m_newAction = nullptr;
    QAction *m_editAction = nullptr;
    QAction *m_detailsAction = nullptr;
    QAction *m_splitsAction = nullptr;
    QAction *m_duplicateAction = nullptr;
    QAction *m_memorizeAction = nullptr;
    QAction *m_toggleClearedAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_filterAction = nullptr;
    QAction *m_clearFilterAction = nullptr;
};
