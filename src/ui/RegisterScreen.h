#pragma once

#include "Account.h"
#include "RegisterCommands.h"
#include "RegisterFilter.h"
#include "RegisterRow.h"
#include "Transaction.h"

#include <QHash>
#include <QSet>
#include <QWidget>
#include <optional>

class AppState;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QVBoxLayout;
class RegisterColumns;
class RegisterDelegate;
class RegisterEntryRow;
class RegisterHeading;
class RegisterModel;
class RegisterTableView;

// One account's register: its rows with running balances, inline entry and
// editing, sorting, a filter, and the commands on the current transaction.
class RegisterScreen : public QWidget
{
    Q_OBJECT
public:
    explicit RegisterScreen(AppState *app, QWidget *parent = nullptr);
    ~RegisterScreen() override;

    // Shows the account's rows at once (no deferred load); an empty id shows nothing.
    void setAccount(const QString &accountId);
    QString accountId() const { return m_account.id; }

    RegisterModel *model() const { return m_model; }
    RegisterTableView *view() const { return m_view; }
    std::optional<Transaction> currentTransaction() const;
    void selectTransaction(const QString &transactionId);

    RegisterFilter filter() const { return m_filter; }
    void setFilter(const RegisterFilter &filter);

    // How often the rows were read: a burst of changes should cost one read.
    int reloadCount() const { return m_reloadCount; }

    // The commands, for the main window's Transaction menu and the context menu.
    QAction *newAction() const { return m_commands->newAction(); }
    QAction *editAction() const { return m_commands->editAction(); }
    QAction *detailsAction() const { return m_commands->detailsAction(); }
    QAction *splitsAction() const { return m_commands->splitsAction(); }
    QAction *duplicateAction() const { return m_commands->duplicateAction(); }
    QAction *memorizeAction() const { return m_commands->memorizeAction(); }
    QAction *toggleClearedAction() const { return m_commands->toggleClearedAction(); }
    QAction *deleteAction() const { return m_commands->deleteAction(); }
    QAction *filterAction() const { return m_commands->filterAction(); }
    QAction *clearFilterAction() const { return m_commands->clearFilterAction(); }

public slots:
    // Re-reads the register preferences and the rows.
    void refresh();
    // Marks the rows stale; they are read once shortly after, however many
    // changes arrive meanwhile.
    void scheduleReload();
    void reloadNow();

    void newTransaction();
    void showDetails();
    void toggleClearedCurrent();
    void deleteCurrent();
    void showFilterDialog();
    void clearFilter();
    // Puts the cursor in the blank entry row, ready to type a new transaction.
    void focusEntryRow();
    // Writes the column order and widths if the user changed them (on quit).
    void saveColumnLayout();
    // Saves the row being edited inline; true when saved or when there was nothing to save.
    bool submitPendingRow();
    void cancelPendingRow();

public:
    // Typed text waits in a field that cannot take it (not an amount, not a
    // date): the row is not saved until it is mended or dropped.
    bool entryRefused() const;

signals:
    void reloaded();
    void statusMessage(const QString &text, int timeoutMs);

private:
    void scrollToEntryRow();
    // The categories and memos of a split's lines, for the filter; `paths` is filled on first use.
    QStringList splitTexts(const Transaction &t, QHash<QString, QString> &paths) const;
    // Reads only the rows of the transactions written since the last reload
    // and updates them in place; false when the whole register must be read.
    bool reloadChangedRows();
    void keepCurrentInView(const QModelIndex &current, int scroll);
    void buildFilterBar(QVBoxLayout *layout);
    void buildTable(QVBoxLayout *layout);
    void connectView();
    void connectRepositories();
    void applyPreferences();
    void updateActions();
    void onCurrentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void onClearedClicked(int row);
    void showContextMenu(const QPoint &pos);
    void restoreHeaderState();
    bool isEditing() const;

    AppState *m_app = nullptr;
    Account m_account;
    RegisterFilter m_filter;
    RegisterModel *m_model = nullptr;
    RegisterDelegate *m_delegate = nullptr;
    RegisterEntryRow *m_entryRow = nullptr;
    RegisterCommands *m_commands = nullptr;
    RegisterTableView *m_view = nullptr;
    RegisterColumns *m_columns = nullptr;
    QTimer *m_reloadTimer = nullptr;
    bool m_dirty = false;
    bool m_focusEntryAfterReload = false;
    int m_reloadCount = 0;
    QSet<QString> m_changedIds; // written since the last reload, each announced alone
    bool m_readAll = true;      // something changed that only a full read shows
    bool m_rowAnnounced = false;
    std::optional<bool> m_newestFirst;

    RegisterHeading *m_heading = nullptr;
    QWidget *m_filterBar = nullptr;
    QLabel *m_filterLabel = nullptr;
};
