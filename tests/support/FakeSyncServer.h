#pragma once

// A fake of the sync web service on top of FakeHttp::FakeHttpServer, for tests
// that run whole sync cycles and then compare the local database with the
// server's store.
//
//     FakeSync::FakeSyncServer server;
//     QVERIFY(server.listen());
//     api->setBaseUrl(server.baseUrl());              // ".../tallyfern/v1"
//     server.put("transactions", {{"client_id", "t1"}, {"payee", "Rent"}, ...});   // another device
//     ... run a cycle ...
//     QCOMPARE(server.records("accounts").size(), 2);
//
// The store keeps the latest server form of every record per kind ("accounts",
// "categories", "recurring_transactions", "transactions", "reconciliations")
// and a change log. A push upserts each change (matched by "server_id", else by
// client id) and appends it to the log, so the device sees its own changes
// again on the next pull, as a real server echoes them. A pull returns the
// records of the log entries after the cursor, at most "limit" entries.
//
// Cursors are opaque on purpose: base64 text holding '+', '/' and '='. The
// query is decoded as a form would be ('+' is a space), so a client that sends
// a raw '+' gets HTTP 400 "invalid cursor".
//
// Faults: per-request answers for the n-th push or pull (status, drop, never,
// malformed body, delay), hooks that rewrite each push result (a result that
// is not "ok" leaves the store alone) or the whole push reply (partial
// acceptance, "ok" without server id, results for rows not sent),
// scripted pull pages, has_more for ever, and a repeated or empty cursor.
// Replies that no well-formed answer can give (a body cut short, a server that
// sends a byte every few seconds) come from a second, raw listener: point the
// client at rawBaseUrl().

#include "FakeHttpServer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace FakeSync {

class FakeSyncServer : public QObject
{
    Q_OBJECT

public:
    enum class CursorMode
    {
        Normal, // a fresh cursor after every page
        Repeat, // the cursor the client sent, unchanged
        Empty,  // "" on every page
    };

    // What the raw listener writes for every request: `head` (status line,
    // headers and the blank line) at once, then the chunks, one every
    // `intervalMs`; after the last one the connection is closed when
    // `closeAfter` is set, else left open.
    struct RawReply
    {
        QByteArray head;
        QList<QByteArray> chunks;
        int intervalMs = 0;
        bool closeAfter = true;
    };

    using ResultHook = std::function<QJsonObject(const QJsonObject &change, QJsonObject result)>;
    using ReplyHook = std::function<QJsonObject(QJsonObject reply)>;

    explicit FakeSyncServer(QObject *parent = nullptr);

    bool listen();
    // "http://127.0.0.1:<port>/tallyfern/v1"
    QUrl baseUrl() const;
    FakeHttp::FakeHttpServer *http() { return &m_http; }

    static QStringList kinds();
    // "account" -> "accounts", "recurring" -> "recurring_transactions", ...
    static QString kindForEntityType(const QString &entityType);

    // --- store ---------------------------------------------------------
    // A change made on the server (by another device): the record in server
    // form; "id" is assigned when missing, "version" defaults to 1.
    QString put(const QString &kind, QJsonObject record);
    // A server deletion: sets "deleted_at", raises "version" and logs it.
    void remove(const QString &kind, const QString &serverId);
    QJsonObject record(const QString &kind, const QString &serverId) const;
    QJsonObject recordByClientId(const QString &kind, const QString &clientId) const;
    QList<QJsonObject> records(const QString &kind) const;
    int changeLogSize() const { return int(m_log.size()); }
    // The cursor that stands after every change logged so far.
    QString currentCursor() const;

    // --- push script ---------------------------------------------------
    void rejectEntity(const QString &entityId, const QString &message = QStringLiteral("rejected"));
    void setResultHook(ResultHook hook) { m_resultHook = std::move(hook); }
    void setPushReplyHook(ReplyHook hook) { m_pushReplyHook = std::move(hook); }

    // --- pull script ---------------------------------------------------
    // Served verbatim, in order, before pages from the store.
    void queuePullPage(const QJsonObject &body) { m_scriptedPages.append(body); }
    void setHasMoreForever(bool on) { m_hasMoreForever = on; }
    void setCursorMode(CursorMode mode) { m_cursorMode = mode; }
    void setIntegrity(bool on) { m_integrity = on; }
    // Off: pushed changes are stored but not logged, so the pushing client
    // does not pull them back.
    void setEchoPushes(bool on) { m_echoPushes = on; }

    // --- faults --------------------------------------------------------
    // Answers the n-th (1-based) push or pull, and the `count - 1` after it,
    // with `response` instead of the normal one.
    void injectPush(int nth, const FakeHttp::Response &response, int count = 1);
    void injectPull(int nth, const FakeHttp::Response &response, int count = 1);
    // Every normal answer waits this long.
    void setDelay(int ms) { m_delayMs = ms; }
    // Normal answers are kept back until http()->release(): the store is
    // already updated when the client is still waiting.
    void holdPushAnswers(bool on) { m_holdPushes = on; }
    void holdPullAnswers(bool on) { m_holdPulls = on; }
    void setRawReply(const RawReply &reply) { m_rawReply = reply; }
    // "http://127.0.0.1:<raw port>/tallyfern/v1"
    QUrl rawBaseUrl() const;
    int rawRequestCount() const { return m_rawRequests; }
    // With tokens set, a request without "Bearer <one of them>" gets 401.
    void setAcceptedTokens(const QStringList &tokens) { m_acceptedTokens = tokens; }

    // --- observations --------------------------------------------------
    QList<QJsonArray> pushBatches() const { return m_pushBatches; }
    int pushCount() const { return m_pushCount; }
    int pullCount() const { return m_pullCount; }
    // Cursors as the server decoded them ("" when the query had none),
    // one per pull request in order.
    QStringList pullCursors() const { return m_pullCursors; }
    QList<QByteArray> pullRawQueries() const { return m_pullRawQueries; }
    // True when a request arrived before the answer to the one before it was
    // due: the client did not wait for the previous reply.
    bool requestsOverlapped() const { return m_overlapped; }
    static bool isValidCursor(const QString &cursor);
    // Time spent inside the push and pull handlers so far.
    qint64 handlerNanoseconds() const { return m_handlerNanoseconds; }

    // --- sharing -------------------------------------------------------
    void setMembers(const QString &accountId, const QJsonArray &members)
    {
        m_members.insert(accountId, members);
    }

private:
    struct LogEntry
    {
        QString kind;
        QString serverId;
    };
    // A record as stored: the fields as they came, shared with the request
    // rather than copied, and the server's own values that override them.
    struct Stored
    {
        QJsonObject fields;
        QString id;
        QString clientId;
        int version = 1;
        QString deletedAt; // set when a delete came without a time
    };

    FakeHttp::Response handlePush(const FakeHttp::Request &request);
    FakeHttp::Response handlePull(const FakeHttp::Request &request);
    FakeHttp::Response handleOther(const FakeHttp::Request &request);
    FakeHttp::Response answer(const FakeHttp::Response &response);
    bool authorised(const FakeHttp::Request &request) const;
    void noteArrival();

    QJsonObject applyChange(const QJsonObject &change);
    QString newServerId(const QString &kind);
    void log(const QString &kind, const QString &serverId);
    QString encodeCursor(int position);
    static int decodeCursor(const QString &cursor, bool *ok);

    void acceptRaw();
    void answerRaw(QTcpSocket *socket);

    FakeHttp::FakeHttpServer m_http;
    QTcpServer *m_raw = nullptr;
    RawReply m_rawReply;
    int m_rawRequests = 0;
    static QJsonObject serverForm(const Stored &stored);
    void store(const QString &kind, const Stored &stored);

    QHash<QString, QHash<QString, Stored>> m_store;        // kind -> server id -> record
    QHash<QString, QHash<QString, QString>> m_clientIndex; // kind -> client id -> server id
    QList<LogEntry> m_log;
    int m_nextServerId = 1;
    int m_cursorSerial = 0;

    QHash<QString, QString> m_rejected; // entity id -> message
    ResultHook m_resultHook;
    ReplyHook m_pushReplyHook;
    QList<QJsonObject> m_scriptedPages;
    bool m_hasMoreForever = false;
    CursorMode m_cursorMode = CursorMode::Normal;
    bool m_integrity = false;
    bool m_echoPushes = true;

    QMap<int, FakeHttp::Response> m_pushFaults;
    QMap<int, FakeHttp::Response> m_pullFaults;
    int m_delayMs = 0;
    bool m_holdPushes = false;
    bool m_holdPulls = false;
    QStringList m_acceptedTokens;

    QList<QJsonArray> m_pushBatches;
    int m_pushCount = 0;
    int m_pullCount = 0;
    QStringList m_pullCursors;
    QList<QByteArray> m_pullRawQueries;
    QElapsedTimer m_clock;
    qint64 m_previousAnswerDue = -1;
    bool m_overlapped = false;
    qint64 m_handlerNanoseconds = 0;

    QHash<QString, QJsonArray> m_members;
};

} // namespace FakeSync
