#include "TestApp.h"

#include "AccountRepository.h"
#include "TransactionRepository.h"

#include <QSettings>
#include <QUuid>

TestApp::TestApp()
    : m_hadDataDir(qEnvironmentVariableIsSet("TALLYFERN_DATA_DIR"))
{
    m_previousDataDir = qgetenv("TALLYFERN_DATA_DIR");
    if (!m_directory.isValid())
        return;
    qputenv("TALLYFERN_DATA_DIR", m_directory.path().toLocal8Bit());
    QSettings().clear();
    m_app = std::make_unique<AppState>();
    m_valid = m_app->initialize();
}

TestApp::~TestApp()
{
    m_app.reset();
    QSettings().clear();
    if (m_hadDataDir)
        qputenv("TALLYFERN_DATA_DIR", m_previousDataDir);
    else
        qunsetenv("TALLYFERN_DATA_DIR");
}

Account TestApp::addAccount(const QString &name, qint64 startingBalance, Currency currency)
{
    Account account;
    account.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    account.name = name;
    account.currency = currency;
    account.startingBalance = startingBalance;
    account.createdAt = QDateTime::currentDateTimeUtc();
    account.updatedAt = account.createdAt;
    if (!m_app->accounts()->insert(account))
        return Account();
    return m_app->accounts()->findById(account.id).value_or(Account());
}

Transaction TestApp::addTransaction(const QString &accountId, const QDate &date, const QString &payee,
                                    qint64 amount, bool cleared)
{
    Transaction t;
    t.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    t.accountId = accountId;
    t.date = date;
    t.payee = payee;
    t.amount = amount;
    t.cleared = cleared;
    t.createdAt = QDateTime::currentDateTimeUtc();
    t.updatedAt = t.createdAt;
    if (!m_app->transactions()->insert(t))
        return Transaction();
    // As stored: time stamps in whole seconds.
    return m_app->transactions()->findById(t.id).value_or(Transaction());
}
