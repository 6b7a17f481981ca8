// Browser sign-in end to end: the login address handed to the browser, the loopback listener
// driven by a fake browser, and the sign-in state afterwards.
#include "ApiClient.h"
#include "AuthClient.h"
#include "TokenManager.h"
#include "WebAuthHandler.h"
#include "support/AccountTestSupport.h"
#include "support/FakeBrowser.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

using namespace BrioAccount;

class TestSignIn : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<AccountTest::MemoryTokenStore::Shared> m_stored;
    std::unique_ptr<TokenManager> m_tokens;
    std::unique_ptr<ApiClient> m_api;
    std::unique_ptr<AuthClient> m_auth;
    std::unique_ptr<FakeBrowser> m_browser;

private Q_SLOTS:
    void init();
    void cleanup();
    void loginOpensTheLoginPage();
    void redirect_data();
    void redirect();
    void replyIsTheFixedPage();
    void redirectOverIpv6();
    void firstCompleteRequestWinsAndOthersAreTurnedAway();
    void listenerReadsWholeRequests_data();
    void listenerReadsWholeRequests();
    void preferredPortTakenOnIpv4();
    void preferredPortTakenOnIpv6();
    void secondLoginClosesTheFirstListener();
    void callbackOverTheLimitFails();
};

void TestSignIn::init()
{
    m_stored = std::make_shared<AccountTest::MemoryTokenStore::Shared>();
    m_tokens = std::make_unique<TokenManager>(std::make_unique<AccountTest::MemoryTokenStore>(m_stored));
    m_api = std::make_unique<ApiClient>(m_tokens.get());
    m_auth = std::make_unique<AuthClient>(
        QStringLiteral("https://auth.example.test"), QStringLiteral("tallowmere"),
        QStringLiteral("0123456789abcdef0123456789abcdef"), m_api.get(), m_tokens.get());
    m_browser = std::make_unique<FakeBrowser>();
}

void TestSignIn::cleanup()
{
    m_auth.reset();
    m_api.reset();
    m_tokens.reset();
    m_browser.reset();
}

void TestSignIn::loginOpensTheLoginPage()
{
    QSignalSpy states(m_auth.get(), &AuthClient::stateChanged);
    m_auth->login();
    QCOMPARE(m_browser->opened.size(), 1);
    const quint16 port = m_browser->redirectPort();
    QVERIFY(port != 0);
    QCOMPARE(m_browser->opened.first().toString(QUrl::FullyEncoded),
             QStringLiteral("https://auth.example.test/tallowmere/account/login"
                            "?client_id=0123456789abcdef0123456789abcdef"
                            "&redirect_uri=http%3A%2F%2Flocalhost%3A%1%2Fcallback")
                 .arg(port));
    QCOMPARE(m_auth->state(), AuthState::Initial);
    QCOMPARE(states.count(), 0);
}

void TestSignIn::redirect_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QString>("access");
    QTest::addColumn<QString>("refresh");

    QTest::newRow("query") << QByteArray("/callback?access_token=acc.ess.tok&refresh_token=ref") << true
                           << "acc.ess.tok"
                           << "ref";
    QTest::newRow("fragment") << QByteArray("/callback#access_token=frag-a&refresh_token=frag-r") << true
                              << "frag-a"
                              << "frag-r";
    QTest::newRow("fragment wins") << QByteArray(
                                          "/callback?access_token=q-a&refresh_token=q-r#access_token=f-a"
                                          "&refresh_token=f-r")
                                   << true << "f-a"
                                   << "f-r";
    QTest::newRow("percent-encoded plus and slash")
        << QByteArray("/callback?access_token=a%2Bb%2Fc%3D&refresh_token=r%26s") << true << "a+b/c="
        << "r&s";
    QTest::newRow("only access token") << QByteArray("/callback?access_token=a") << false << ""
                                       << "";
    QTest::newRow("only refresh token") << QByteArray("/callback?refresh_token=r") << false << ""
                                        << "";
}

void TestSignIn::redirect()
{
    QFETCH(QByteArray, target);
    QFETCH(bool, succeeds);
    QFETCH(QString, access);
    QFETCH(QString, refresh);

    QSignalSpy states(m_auth.get(), &AuthClient::stateChanged);
    QSignalSpy succeeded(m_auth.get(), &AuthClient::loginSucceeded);
    QSignalSpy failed(m_auth.get(), &AuthClient::loginFailed);
    m_auth->login();
    const QByteArray answer = m_browser->visit({FakeBrowser::redirectRequest(target)});
    QCOMPARE(answer, WebAuthHandler::responseBytes());

    if (succeeds) {
        QCOMPARE(succeeded.count(), 1);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(states.count(), 1);
        QCOMPARE(states.first().first().value<AuthState>(), AuthState::SignedIn);
        QVERIFY(m_auth->isAuthenticated());
        QCOMPARE(m_tokens->refreshToken(), refresh);
        QCOMPARE(m_stored->values.value(AccessTokenKey), access);
        QCOMPARE(m_stored->values.value(RefreshTokenKey), refresh);
    } else {
        QCOMPARE(succeeded.count(), 0);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(), QStringLiteral("No tokens received"));
        QCOMPARE(states.count(), 0);
        QVERIFY(m_stored->values.isEmpty());
    }
    // The listener is gone either way: the user must start again.
    QTRY_COMPARE(m_auth->findChildren<WebAuthHandler *>().size(), 0);
}

void TestSignIn::replyIsTheFixedPage()
{
    const QByteArray page = WebAuthHandler::responseBytes();
    QCOMPARE(page.size(), 250);
    QVERIFY(page.startsWith("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n<html>"));
    QVERIFY(page.endsWith("</p></body></html>"));
    QVERIFY(!page.contains("Content-Length"));
    QVERIFY(page.contains("<h2>Authentication complete!</h2>"));
}

void TestSignIn::redirectOverIpv6()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHostIPv6, 0))
        QSKIP("no IPv6 loopback on this machine");
    probe.close();
    QSignalSpy succeeded(m_auth.get(), &AuthClient::loginSucceeded);
    m_auth->login();
    const QByteArray answer =
        m_browser->visit({FakeBrowser::redirectRequest("/callback?access_token=six&refresh_token=r6")}, true);
    QCOMPARE(answer, WebAuthHandler::responseBytes());
    QCOMPARE(succeeded.count(), 1);
    QCOMPARE(m_tokens->refreshToken(), QStringLiteral("r6"));
}

void TestSignIn::firstCompleteRequestWinsAndOthersAreTurnedAway()
{
    QSignalSpy succeeded(m_auth.get(), &AuthClient::loginSucceeded);
    m_auth->login();
    QTcpSocket slow;
    slow.connectToHost(QHostAddress::LocalHost, m_browser->redirectPort());
    QVERIFY(QTest::qWaitFor([&] { return slow.state() == QAbstractSocket::ConnectedState; }, 5000));
    slow.write("GET /callback?access_token=slow");
    slow.flush();
    QTest::qWait(30);

    const QByteArray answer =
        m_browser->visit({FakeBrowser::redirectRequest("/callback?access_token=fast&refresh_token=r")});
    QCOMPARE(answer, WebAuthHandler::responseBytes());
    QCOMPARE(succeeded.count(), 1);
    QCOMPARE(m_stored->values.value(AccessTokenKey), QStringLiteral("fast"));

    QTRY_COMPARE(slow.state(), QAbstractSocket::UnconnectedState);
    QVERIFY(slow.readAll().isEmpty());
    QCOMPARE(succeeded.count(), 1);
}

void TestSignIn::listenerReadsWholeRequests_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QByteArray>("answer"); // empty: the connection is dropped without one
    QTest::addColumn<bool>("signsIn");

    const QByteArray line = "GET /callback?access_token=a&refresh_token=r HTTP/1.1\r\n";
    const QByteArray page = WebAuthHandler::responseBytes();
    const QByteArray notFound = WebAuthHandler::notFoundBytes();
    QTest::newRow("request line split") << QList<QByteArray>{"GET /callback?access_token=a&refresh_tok",
                                                             "en=r HTTP/1.1\r\nHost: localhost\r\n\r\n"}
                                        << page << true;
    QTest::newRow("headers in later packets")
        << QList<QByteArray>{line, "Host: localhost\r\nUser-Agent: FakeBrowser\r\n", "Accept: */*\r\n",
                             "\r\n"}
        << page << true;
    QTest::newRow("bare line feeds")
        << QList<QByteArray>{"GET /callback?access_token=a&refresh_token=r HTTP/1.1\n", "Host: localhost\n\n"}
        << page << true;
    QTest::newRow("icon") << QList<QByteArray>{FakeBrowser::redirectRequest("/favicon.ico")} << notFound
                          << false;
    QTest::newRow("tokens on another path")
        << QList<QByteArray>{FakeBrowser::redirectRequest("/callbacks?access_token=a&refresh_token=r")}
        << notFound << false;
    QTest::newRow("below the callback path")
        << QList<QByteArray>{FakeBrowser::redirectRequest("/callback/x?access_token=a&refresh_token=r")}
        << notFound << false;
    QTest::newRow("long redirect")
        << QList<QByteArray>{line, "Cookie: " + QByteArray(40 * 1024, 'c') + "\r\n\r\n"} << page << true;
    QTest::newRow("headers over the limit, not the callback")
        << QList<QByteArray>{"GET /favicon.ico HTTP/1.1\r\n",
                             "Cookie: " + QByteArray(WebAuthHandler::MaxRequestBytes, 'x') + "\r\n\r\n"}
        << QByteArray() << false;
    QTest::newRow("headers never end")
        << QList<QByteArray>{line, "Host: localhost\r\n"} << QByteArray() << false;
}

void TestSignIn::listenerReadsWholeRequests()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QByteArray, answer);
    QFETCH(bool, signsIn);

    QSignalSpy succeeded(m_auth.get(), &AuthClient::loginSucceeded);
    QSignalSpy failed(m_auth.get(), &AuthClient::loginFailed);
    m_auth->login();
    auto *handler = m_auth->findChild<WebAuthHandler *>();
    QVERIFY(handler);
    handler->setRequestTimeout(1000);

    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_browser->redirectPort());
    QVERIFY(socket.waitForConnected(5000));
    for (const QByteArray &chunk : chunks) {
        // Nothing is answered before the request is whole.
        QCOMPARE(socket.bytesAvailable(), 0);
        QCOMPARE(socket.state(), QAbstractSocket::ConnectedState);
        socket.write(chunk);
        socket.flush();
        QTest::qWait(30);
    }
    QByteArray received;
    QVERIFY(QTest::qWaitFor(
        [&] {
            received += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        5000));
    received += socket.readAll();
    QCOMPARE(received, answer);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(succeeded.count(), signsIn ? 1 : 0);
    if (!signsIn) {
        // The listener still waits for the real redirect.
        QCOMPARE(m_browser->visit({FakeBrowser::redirectRequest("/callback?access_token=a&refresh_token=r")}),
                 WebAuthHandler::responseBytes());
        QCOMPARE(succeeded.count(), 1);
    }
    QCOMPARE(m_stored->values.value(AccessTokenKey), QStringLiteral("a"));
    QCOMPARE(m_tokens->refreshToken(), QStringLiteral("r"));
}

void TestSignIn::preferredPortTakenOnIpv4()
{
    QTcpServer squatter;
    if (!squatter.listen(QHostAddress::LocalHost, WebAuthHandler::PreferredPort))
        QSKIP("another program holds the preferred port");
    QSignalSpy succeeded(m_auth.get(), &AuthClient::loginSucceeded);
    m_auth->login();
    QVERIFY(m_browser->redirectPort() != WebAuthHandler::PreferredPort);
    QVERIFY(m_browser->redirectPort() != 0);
    m_browser->visit({FakeBrowser::redirectRequest("/callback?access_token=a&refresh_token=r")});
    QCOMPARE(succeeded.count(), 1);
}

void TestSignIn::preferredPortTakenOnIpv6()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHostIPv6, 0))
        QSKIP("no IPv6 loopback on this machine");
    QTcpServer squatter;
    if (!squatter.listen(QHostAddress::LocalHostIPv6, WebAuthHandler::PreferredPort))
        QSKIP("another program holds the preferred port");
    m_auth->login();
    const quint16 port = m_browser->redirectPort();
    QVERIFY(port != 0);
    QVERIFY(port != WebAuthHandler::PreferredPort);
    // Both addresses answer on the chosen port.
    QTcpServer check4, check6;
    QVERIFY(!check4.listen(QHostAddress::LocalHost, port));
    QVERIFY(!check6.listen(QHostAddress::LocalHostIPv6, port));
}

void TestSignIn::secondLoginClosesTheFirstListener()
{
    m_auth->login();
    const quint16 first = m_browser->redirectPort();
    m_auth->login();
    QTRY_COMPARE(m_auth->findChildren<WebAuthHandler *>().size(), 1);
    const QByteArray redirect = FakeBrowser::redirectRequest("/callback?access_token=a&refresh_token=r");
    if (m_browser->redirectPort() != first)
        QCOMPARE(m_browser->visit({redirect}, false, first), QByteArray("<no connection>"));
    QCOMPARE(m_browser->visit({redirect}), WebAuthHandler::responseBytes());
}

void TestSignIn::callbackOverTheLimitFails()
{
    QSignalSpy failed(m_auth.get(), &AuthClient::loginFailed);
    m_auth->login();
    const QByteArray cookie = "Cookie: " + QByteArray(WebAuthHandler::MaxRequestBytes, 'c') + "\r\n\r\n";
    QCOMPARE(m_browser->visit({"GET /callback?access_token=a&refresh_token=r HTTP/1.1\r\n" + cookie}),
             WebAuthHandler::tooLargeBytes());
    // Nobody is left waiting: the user learns that the sign-in failed.
    QCOMPARE(failed.count(), 1);
    QVERIFY(!m_auth->isAuthenticated());
    QTRY_COMPARE(m_auth->findChildren<WebAuthHandler *>().size(), 0);
}

QTEST_MAIN(TestSignIn)
#include "TestSignIn.moc"
