#include "support/AccountTestSupport.h"
#include "TokenManager.h"

#include <QTest>

using namespace BrioAccount;
using AccountTest::MemoryTokenStore;
using AccountTest::tokenExpiringAt;

namespace {

constexpr qint64 Now = 1'700'000'000;

// A refresher that the test answers by hand, so that it decides when a refresh ends.
struct ManualRefresher
{
    int calls = 0;
    QStringList refreshTokens;
    QList<TokenManager::SuccessContinuation> successes;
    QList<TokenManager::FailureContinuation> failures;

    TokenManager::Refresher function()
    {
        return [this](const QString &token, TokenManager::SuccessContinuation ok,
                      TokenManager::FailureContinuation fail) {
            ++calls;
            refreshTokens.append(token);
            successes.append(std::move(ok));
            failures.append(std::move(fail));
        };
    }
};

} // namespace

class TestTokenManager : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryTokenStore::Shared> m_stored;
    std::unique_ptr<TokenManager> m_manager;
    ManualRefresher m_refresher;
    QList<RefreshResult> m_results;

    TokenManager::RefreshCallback record(const QString &tag, QStringList *order)
    {
        return [this, tag, order](RefreshResult r) {
            m_results.append(r);
            if (order)
                order->append(tag);
        };
    }

private Q_SLOTS:
    void init();
    void usability_data();
    void usability();
    void needsRefresh_data();
    void needsRefresh();
    void loadReadsBothTokens();
    void setTokensWritesAccessThenRefresh();
    void clearEmptiesMemoryAndStore();
    void concurrentRefreshesShareOneRefresherCall();
    void waiterMayStartTheNextRefresh();
    void rejectedRefreshKeepsTokens();
    void transientFailureKeepsTokens();
    void withoutRefreshTokenEveryWaiterIsRejected();
    void withoutRefresherEveryWaiterIsRejected();
    void refreshAfterSignOutDoesNotWriteBack();
    void refreshAfterNewSignInDoesNotOverwrite();
    void newSessionStartsItsOwnRefresh();
    void secondAnswerOfOneRefreshIsIgnored();
    void tokenSubject();
};

void TestTokenManager::init()
{
    m_stored = std::make_shared<MemoryTokenStore::Shared>();
    m_manager = std::make_unique<TokenManager>(std::make_unique<MemoryTokenStore>(m_stored));
    m_manager->setClock([] { return Now; });
    m_refresher = ManualRefresher();
    m_manager->setRefreshCallback(m_refresher.function());
    m_results.clear();
}

void TestTokenManager::usability_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("usable");

    QTest::newRow("29 s ahead") << tokenExpiringAt(Now + 29) << false;
    QTest::newRow("30 s ahead") << tokenExpiringAt(Now + 30) << false;
    QTest::newRow("31 s ahead") << tokenExpiringAt(Now + 31) << true;
    QTest::newRow("an hour ahead") << tokenExpiringAt(Now + 3600) << true;
    QTest::newRow("expired") << tokenExpiringAt(Now - 1) << false;
    QTest::newRow("fraction counts its whole seconds")
        << AccountTest::makeJwt({{"exp", double(Now + 31) + 0.75}}) << true;
    QTest::newRow("fraction below the margin")
        << AccountTest::makeJwt({{"exp", double(Now + 30) + 0.99}}) << false;
    QTest::newRow("padded payload") << AccountTest::makeJwt({{"exp", Now + 100}}, true) << true;
    QTest::newRow("beyond 2038") << tokenExpiringAt(Now + 2'000'000'000) << true;
    QTest::newRow("exp missing") << AccountTest::makeJwt({{"sub", "u"}}) << false;
    QTest::newRow("exp as text") << AccountTest::makeJwt({{"exp", QString::number(Now + 100)}}) << false;
    QTest::newRow("exp zero") << tokenExpiringAt(0) << false;
    QTest::newRow("exp negative") << tokenExpiringAt(-100) << false;
    QTest::newRow("one part") << QStringLiteral("eyJleHAiOjF9") << false;
    QTest::newRow("payload not base64") << QStringLiteral("a.!!!.c") << false;
    QTest::newRow("payload not JSON") << QStringLiteral("a.bm90IGpzb24.c") << false;
    QTest::newRow("payload an array") << QStringLiteral("a.WzFd.c") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestTokenManager::usability()
{
    QFETCH(QString, token);
    QFETCH(bool, usable);
    m_manager->setTokens(token, QStringLiteral("refresh"));
    QCOMPARE(m_manager->accessToken(), usable ? token : QString());
    QCOMPARE(m_manager->needsRefresh(), !usable);
}

void TestTokenManager::needsRefresh_data()
{
    QTest::addColumn<bool>("usableAccess");
    QTest::addColumn<QString>("refresh");
    QTest::addColumn<bool>("expected");

    QTest::newRow("usable, with refresh token") << true << "r" << false;
    QTest::newRow("usable, no refresh token") << true << "" << false;
    QTest::newRow("expired, with refresh token") << false << "r" << true;
    QTest::newRow("expired, no refresh token") << false << "" << false;
}

void TestTokenManager::needsRefresh()
{
    QFETCH(bool, usableAccess);
    QFETCH(QString, refresh);
    QFETCH(bool, expected);
    m_manager->setTokens(tokenExpiringAt(usableAccess ? Now + 600 : Now - 600), refresh);
    QCOMPARE(m_manager->needsRefresh(), expected);
}

void TestTokenManager::loadReadsBothTokens()
{
    m_stored->values.insert(AccessTokenKey, QStringLiteral("stored-access"));
    m_manager->load();
    QCOMPARE(m_manager->refreshToken(), QString());
    m_stored->values.insert(RefreshTokenKey, QStringLiteral("stored-refresh"));
    m_manager->load();
    QCOMPARE(m_manager->refreshToken(), QStringLiteral("stored-refresh"));
    // Not a JWT, so not usable, but kept for the refresh.
    QCOMPARE(m_manager->accessToken(), QString());
    QVERIFY(m_manager->needsRefresh());
}

void TestTokenManager::setTokensWritesAccessThenRefresh()
{
    m_manager->setTokens(QStringLiteral("a1"), QStringLiteral("r1"));
    QCOMPARE(m_stored->log, QStringList({QStringLiteral("write tallowmere_access_token=a1"),
                                         QStringLiteral("write tallowmere_refresh_token=r1")}));
}

void TestTokenManager::clearEmptiesMemoryAndStore()
{
    const QString token = tokenExpiringAt(Now + 600);
    m_manager->setTokens(token, QStringLiteral("r1"));
    QCOMPARE(m_manager->accessToken(), token);
    m_manager->clear();
    QCOMPARE(m_manager->accessToken(), QString());
    QCOMPARE(m_manager->refreshToken(), QString());
    QVERIFY(m_stored->values.isEmpty());
    QCOMPARE(m_stored->log.last(), QStringLiteral("clear"));
}

void TestTokenManager::concurrentRefreshesShareOneRefresherCall()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("old-refresh"));
    QStringList order;
    m_manager->refresh(record("first", &order));
    m_manager->refresh(record("second", &order));
    m_manager->refresh(nullptr);
    m_manager->refresh(record("third", &order));
    QCOMPARE(m_refresher.calls, 1);
    QCOMPARE(m_refresher.refreshTokens, QStringList{QStringLiteral("old-refresh")});
    QVERIFY(m_results.isEmpty());

    const QString fresh = tokenExpiringAt(Now + 900);
    m_stored->log.clear();
    m_refresher.successes.first()(fresh, QStringLiteral("new-refresh"));

    QCOMPARE(order, QStringList({"first", "second", "third"}));
    QCOMPARE(m_results, QList<RefreshResult>(3, RefreshResult::Success));
    QCOMPARE(m_manager->accessToken(), fresh);
    QCOMPARE(m_manager->refreshToken(), QStringLiteral("new-refresh"));
    QCOMPARE(m_stored->log, QStringList({QStringLiteral("write tallowmere_access_token=") + fresh,
                                         QStringLiteral("write tallowmere_refresh_token=new-refresh")}));
}

void TestTokenManager::waiterMayStartTheNextRefresh()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("r1"));
    QStringList order;
    m_manager->refresh([&](RefreshResult r) {
        order.append(QStringLiteral("first"));
        m_results.append(r);
        // Called outside the lock: this starts a refresh of its own.
        m_manager->refresh(record("again", &order));
    });
    m_manager->refresh(record("second", &order));
    m_refresher.failures.first()(false);

    QCOMPARE(order, QStringList({"first", "second"}));
    QCOMPARE(m_refresher.calls, 2);
    m_refresher.successes.at(1)(tokenExpiringAt(Now + 900), QStringLiteral("r2"));
    QCOMPARE(order, QStringList({"first", "second", "again"}));
    QCOMPARE(m_results, QList<RefreshResult>({RefreshResult::TransientFailure,
                                              RefreshResult::TransientFailure, RefreshResult::Success}));
}

void TestTokenManager::rejectedRefreshKeepsTokens()
{
    const QString expired = tokenExpiringAt(Now - 5);
    m_manager->setTokens(expired, QStringLiteral("r1"));
    m_stored->log.clear();
    m_manager->refresh(record("a", nullptr));
    m_manager->refresh(record("b", nullptr));
    m_refresher.failures.first()(true);

    QCOMPARE(m_results, QList<RefreshResult>(2, RefreshResult::Rejected));
    QCOMPARE(m_manager->refreshToken(), QStringLiteral("r1"));
    QCOMPARE(m_stored->values.value(AccessTokenKey), expired);
    QCOMPARE(m_stored->values.value(RefreshTokenKey), QStringLiteral("r1"));
    QVERIFY(m_stored->log.isEmpty());
}

void TestTokenManager::transientFailureKeepsTokens()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("r1"));
    m_manager->refresh(record("a", nullptr));
    m_refresher.failures.first()(false);
    QCOMPARE(m_results, QList<RefreshResult>{RefreshResult::TransientFailure});
    QCOMPARE(m_manager->refreshToken(), QStringLiteral("r1"));
    // The next request tries again.
    m_manager->refresh(record("b", nullptr));
    QCOMPARE(m_refresher.calls, 2);
}

void TestTokenManager::withoutRefreshTokenEveryWaiterIsRejected()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QString());
    m_manager->refresh(record("a", nullptr));
    QCOMPARE(m_results, QList<RefreshResult>{RefreshResult::Rejected});
    QCOMPARE(m_refresher.calls, 0);
}

void TestTokenManager::withoutRefresherEveryWaiterIsRejected()
{
    m_manager->setRefreshCallback(nullptr);
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("r1"));
    m_manager->refresh(record("a", nullptr));
    m_manager->refresh(nullptr);
    QCOMPARE(m_results, QList<RefreshResult>{RefreshResult::Rejected});
}

void TestTokenManager::refreshAfterSignOutDoesNotWriteBack()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("r1"));
    m_manager->refresh(record("a", nullptr));
    m_manager->clear();
    m_stored->log.clear();

    m_refresher.successes.first()(tokenExpiringAt(Now + 900), QStringLiteral("r2"));

    QCOMPARE(m_results, QList<RefreshResult>{RefreshResult::TransientFailure});
    QCOMPARE(m_manager->accessToken(), QString());
    QCOMPARE(m_manager->refreshToken(), QString());
    QVERIFY(m_stored->values.isEmpty());
    QVERIFY(m_stored->log.isEmpty());
}

void TestTokenManager::refreshAfterNewSignInDoesNotOverwrite()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("r1"));
    m_manager->refresh(record("a", nullptr));
    const QString signedIn = tokenExpiringAt(Now + 1200);
    m_manager->setTokens(signedIn, QStringLiteral("session-2"));

    m_refresher.successes.first()(tokenExpiringAt(Now + 900), QStringLiteral("stale"));

    QCOMPARE(m_results, QList<RefreshResult>{RefreshResult::TransientFailure});
    QCOMPARE(m_manager->accessToken(), signedIn);
    QCOMPARE(m_manager->refreshToken(), QStringLiteral("session-2"));
    QCOMPARE(m_stored->values.value(RefreshTokenKey), QStringLiteral("session-2"));
}

void TestTokenManager::newSessionStartsItsOwnRefresh()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("r1"));
    m_manager->refresh(record("old", nullptr));
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("session-2"));
    // The old refresh still runs, but it must not serve the new session.
    m_manager->refresh(record("new", nullptr));
    QCOMPARE(m_refresher.calls, 2);
    QCOMPARE(m_refresher.refreshTokens.last(), QStringLiteral("session-2"));

    const QString fresh = tokenExpiringAt(Now + 900);
    m_refresher.successes.at(1)(fresh, QStringLiteral("session-2b"));
    m_refresher.successes.at(0)(tokenExpiringAt(Now + 900), QStringLiteral("stale"));
    QCOMPARE(m_results, QList<RefreshResult>({RefreshResult::Success, RefreshResult::TransientFailure}));
    QCOMPARE(m_manager->accessToken(), fresh);
    QCOMPARE(m_manager->refreshToken(), QStringLiteral("session-2b"));
}

void TestTokenManager::secondAnswerOfOneRefreshIsIgnored()
{
    m_manager->setTokens(tokenExpiringAt(Now - 5), QStringLiteral("r1"));
    m_manager->refresh(record("a", nullptr));
    const QString fresh = tokenExpiringAt(Now + 900);
    m_refresher.successes.first()(fresh, QStringLiteral("r2"));
    m_refresher.failures.first()(true);
    QCOMPARE(m_results, QList<RefreshResult>{RefreshResult::Success});
    QCOMPARE(m_manager->accessToken(), fresh);
}

void TestTokenManager::tokenSubject()
{
    // This subject encodes to characters that differ between the two base64 alphabets.
    const QString subject = QStringLiteral("ÿÿÿ~~~");
    const QString token = AccountTest::makeJwt({{"sub", subject}});
    QVERIFY(token.contains(QLatin1Char('-')) && token.contains(QLatin1Char('_')));
    QCOMPARE(m_manager->tokenSubject(AccountTest::makeJwt({{"sub", subject}})), subject);
    QCOMPARE(m_manager->tokenSubject(AccountTest::makeJwt({{"sub", subject}}, true)), subject);
    QCOMPARE(m_manager->tokenSubject(QStringLiteral("no-dots")), QString());
    QCOMPARE(m_manager->tokenSubject(AccountTest::makeJwt({{"sub", 42}})), QString());
}

QTEST_GUILESS_MAIN(TestTokenManager)
#include "TestTokenManager.moc"
