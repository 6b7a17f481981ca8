#pragma once

#include "Account.h"
#include "AppState.h"
#include "TestDatabase.h"
#include "Transaction.h"

#include <QTemporaryDir>
#include <memory>

// The whole application state on a fresh data directory: a real database
// file, migrated and seeded as at start-up, with the platform settings
// emptied. One per test case; destroy windows built on it first. Read the file
// with TestDatabase::scalar and TestDatabase::exec.
class TestApp
{
public:
    TestApp();
    ~TestApp();
    TestApp(const TestApp &) = delete;
    TestApp &operator=(const TestApp &) = delete;

    bool isValid() const { return m_valid; }
    AppState *app() const { return m_app.get(); }
    QString dataDirectory() const { return m_directory.path(); }

    // Stores an account or a transaction through the repositories and returns
    // it as read back (an empty id when the write failed).
    Account addAccount(const QString &name, qint64 startingBalance = 0, Currency currency = Currency::USD);
    Transaction addTransaction(const QString &accountId, const QDate &date, const QString &payee,
                               qint64 amount, bool cleared = false);

private:
    QTemporaryDir m_directory;
    std::unique_ptr<AppState> m_app;
    QByteArray m_previousDataDir;
    bool m_hadDataDir = false;
    bool m_valid = false;
};
