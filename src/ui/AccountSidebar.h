#pragma once

#include "Account.h"

#include <QHash>
#include <QStringList>
#include <QWidget>
#include <optional>

class AppState;
class ReadFailureWatch;
class QLabel;
class QListWidget;
class QListWidgetItem;

// The list of accounts beside the register, each with its balance in the
// mode of PreferenceKeys::DashboardBalanceMode. Rebuilt by the main window.
class AccountSidebar : public QWidget
{
    Q_OBJECT
public:
    enum Role
    {
        AccountIdRole = Qt::UserRole + 1,
        BalanceRole,
        BalanceTextRole,
        DetailRole,
        NegativeRole
    };

    explicit AccountSidebar(AppState *app, QWidget *parent = nullptr);

    // Reads the balance mode, the accounts and their balances and redraws the list.
    void rebuild();
    // Reads only the balances (one aggregate query), for changes of
    // transactions that leave the accounts as they are.
    void refreshBalances();
    // The next refreshBalances() reads this account's balance again, or every
    // account's for an empty id; with none marked it reads them all.
    void markBalanceStale(const QString &accountId);
    int rebuildCount() const { return m_rebuildCount; }

    // The listed accounts, with what the list shows of each (see ListedAccount).
    QList<Account> accounts() const { return m_accounts; }
    QString currentAccountId() const;
    void setCurrentAccountId(const QString &accountId);
    // The shown balance text of an account ("" when it is not listed).
    QString balanceText(const QString &accountId) const;
    QString modeText() const;
    QListWidget *list() const { return m_list; }
    // True when the last rebuild or refresh could not read everything from
    // the database: the list may be out of date, some balances unknown.
    bool readFailed() const { return m_readFailed; }

signals:
    void accountSelected(const QString &accountId);
    void newAccountRequested();
    // A read failure for the status bar.
    void statusMessage(const QString &text, int timeoutMs);

private:
    // Reads the accounts into m_accounts with their balances, in that order.
    QList<std::optional<qint64>> readAccounts();
    QListWidgetItem *itemFor(const QString &accountId) const;
    void showBalances(const QHash<QString, qint64> &balances);
    // Empty: the balance could not be read.
    void showBalance(int row, std::optional<qint64> balance);
    void reportReadFailure(const ReadFailureWatch &watch);

    AppState *m_app = nullptr;
    QLabel *m_modeLabel = nullptr;
    QListWidget *m_list = nullptr;
    QList<Account> m_accounts;
    QString m_mode = QStringLiteral("current");
    int m_rebuildCount = 0;
    QStringList m_staleBalances;
    QStringList m_staleTaken;
    bool m_allBalancesStale = false;
    bool m_rebuilding = false;
    bool m_readFailed = false;
};
