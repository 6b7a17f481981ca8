#pragma once

// Stands in for the web browser during sign-in: it receives the login address through
// QDesktopServices' URL handler instead of opening anything, and then plays the browser's
// redirect to the loopback listener with a raw socket.
#include <QDesktopServices>
#include <QHostAddress>
#include <QObject>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

class FakeBrowser : public QObject
{
    Q_OBJECT

public:
    FakeBrowser()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    }
    ~FakeBrowser() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    QList<QUrl> opened;

    QUrl redirectUri() const
    {
        if (opened.isEmpty())
            return QUrl();
        return QUrl(
            QUrlQuery(opened.last()).queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    }
    quint16 redirectPort() const { return quint16(redirectUri().port()); }

    // Connects to the listener, sends the chunks one read apart, and returns all it answered
    // by the time it closed the connection.
    QByteArray visit(const QList<QByteArray> &chunks, bool ipv6 = false, quint16 port = 0)
    {
        QTcpSocket socket;
        socket.connectToHost(ipv6 ? QHostAddress(QHostAddress::LocalHostIPv6)
                                  : QHostAddress(QHostAddress::LocalHost),
                             port ? port : redirectPort());
        if (!QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, 5000))
            return QByteArray("<no connection>");
        for (const QByteArray &chunk : chunks) {
            socket.write(chunk);
            socket.flush();
            QTest::qWait(30);
        }
        QByteArray answer;
        (void)QTest::qWaitFor(
            [&] {
                answer += socket.readAll();
                return socket.state() == QAbstractSocket::UnconnectedState;
            },
            5000);
        answer += socket.readAll();
        return answer;
    }

    static QByteArray redirectRequest(const QByteArray &target)
    {
        return "GET " + target + " HTTP/1.1\r\nHost: localhost\r\nUser-Agent: FakeBrowser\r\n\r\n";
    }

public Q_SLOTS:
    void openUrl(const QUrl &url) { opened.append(url); }
};
