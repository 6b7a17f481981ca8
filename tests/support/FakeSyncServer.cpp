#include "FakeSyncServer.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace FakeSync {

namespace {

const QString BasePath = QStringLiteral("/tallyfern/v1");

// Bytes 0xfb 0xff 0xbf encode as "+/+/" in base64, so every cursor carries
// both characters that a careless client mangles in a query.
const QByteArray CursorPrefix = QByteArray("\xfb\xff\xbf", 3) + "fake-sync:";

QJsonObject errorBody(const QString &text)
{
    return QJsonObject{{QStringLiteral("error"), text}};
}

// application/x-www-form-urlencoded decoding, as a typical server does it.
QString formDecode(QByteArray value)
{
    value.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
}

QHash<QString, QString> parseForm(const QByteArray &rawQuery)
{
    QHash<QString, QString> items;
    for (const QByteArray &pair : rawQuery.split('&')) {
        if (pair.isEmpty())
            continue;
        const int equals = pair.indexOf('=');
        const QByteArray key = equals < 0 ? pair : pair.left(equals);
        const QByteArray value = equals < 0 ? QByteArray() : pair.mid(equals + 1);
        items.insert(formDecode(key), formDecode(value));
    }
    return items;
}

QString cursorText(int position, int serial)
{
    QByteArray raw = CursorPrefix + QByteArray::number(position) + ':' + QByteArray::number(serial);
    // Pad to one byte past a multiple of three so the text ends in "==".
    while (raw.size() % 3 != 1)
        raw.append(':');
    return QString::fromLatin1(raw.toBase64());
}

QString nowText()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

} // namespace

FakeSyncServer::FakeSyncServer(QObject *parent)
    : QObject(parent)
{
    m_clock.start();
    // The time the handlers take is kept apart: it is the fake's own work,
    // which a real service does elsewhere.
    auto timed = [this](FakeHttp::Response (FakeSyncServer::*handler)(const FakeHttp::Request &)) {
        return [this, handler](const FakeHttp::Request &request) {
            QElapsedTimer timer;
            timer.start();
            FakeHttp::Response response = (this->*handler)(request);
            m_handlerNanoseconds += timer.nsecsElapsed();
            return response;
        };
    };
    m_http.on("POST", BasePath + QStringLiteral("/sync/push"), timed(&FakeSyncServer::handlePush));
    m_http.on("GET", BasePath + QStringLiteral("/sync/pull"), timed(&FakeSyncServer::handlePull));
    m_http.setFallback([this](const FakeHttp::Request &request) { return handleOther(request); });
}

bool FakeSyncServer::listen()
{
    if (!m_raw) {
        m_raw = new QTcpServer(this);
        connect(m_raw, &QTcpServer::newConnection, this, &FakeSyncServer::acceptRaw);
    }
    return m_http.listen() && (m_raw->isListening() || m_raw->listen(QHostAddress::LocalHost, 0));
}

QUrl FakeSyncServer::baseUrl() const
{
    return m_http.url(BasePath);
}

QUrl FakeSyncServer::rawBaseUrl() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_raw ? m_raw->serverPort() : 0).arg(BasePath));
}

void FakeSyncServer::acceptRaw()
{
    while (QTcpSocket *socket = m_raw->nextPendingConnection()) {
        socket->setParent(this);
        auto head = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, head] {
            const bool complete = head->contains("\r\n\r\n");
            head->append(socket->readAll());
            if (!complete && head->contains("\r\n\r\n"))
                answerRaw(socket);
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void FakeSyncServer::answerRaw(QTcpSocket *socket)
{
    ++m_rawRequests;
    socket->write(m_rawReply.head);
    auto *timer = new QTimer(socket);
    auto next = std::make_shared<qsizetype>(0);
    const RawReply reply = m_rawReply;
    connect(timer, &QTimer::timeout, socket, [socket, timer, next, reply] {
        if (*next < reply.chunks.size()) {
            socket->write(reply.chunks.at((*next)++));
            return;
        }
        timer->stop();
        if (reply.closeAfter)
            socket->disconnectFromHost();
    });
    timer->start(reply.intervalMs);
}

QStringList FakeSyncServer::kinds()
{
    return {QStringLiteral("accounts"), QStringLiteral("categories"),
            QStringLiteral("recurring_transactions"), QStringLiteral("transactions"),
            QStringLiteral("reconciliations")};
}

QString FakeSyncServer::kindForEntityType(const QString &entityType)
{
    if (entityType == QLatin1String("account"))
        return QStringLiteral("accounts");
    if (entityType == QLatin1String("category"))
        return QStringLiteral("categories");
    if (entityType == QLatin1String("recurring"))
        return QStringLiteral("recurring_transactions");
    if (entityType == QLatin1String("transaction"))
        return QStringLiteral("transactions");
    if (entityType == QLatin1String("reconciliation"))
        return QStringLiteral("reconciliations");
    return QString();
}

QString FakeSyncServer::put(const QString &kind, QJsonObject record)
{
    Stored stored;
    stored.id = record.value(QStringLiteral("id")).toString();
    if (stored.id.isEmpty())
        stored.id = newServerId(kind);
    stored.clientId = record.value(QStringLiteral("client_id")).toString();
    stored.version = record.value(QStringLiteral("version")).toInt(1);
    stored.fields = record;
    store(kind, stored);
    log(kind, stored.id);
    return stored.id;
}

void FakeSyncServer::remove(const QString &kind, const QString &serverId)
{
    QJsonObject deleted = record(kind, serverId);
    if (deleted.isEmpty())
        return;
    deleted.insert(QStringLiteral("deleted_at"), nowText());
    deleted.insert(QStringLiteral("updated_at"), nowText());
    deleted.insert(QStringLiteral("version"), deleted.value(QStringLiteral("version")).toInt() + 1);
    put(kind, deleted);
}

QJsonObject FakeSyncServer::serverForm(const Stored &stored)
{
    QJsonObject record = stored.fields;
    record.remove(QStringLiteral("server_id"));
    record.insert(QStringLiteral("id"), stored.id);
    record.insert(QStringLiteral("client_id"), stored.clientId);
    record.insert(QStringLiteral("version"), stored.version);
    if (!stored.deletedAt.isEmpty())
        record.insert(QStringLiteral("deleted_at"), stored.deletedAt);
    return record;
}

void FakeSyncServer::store(const QString &kind, const Stored &stored)
{
    if (!stored.clientId.isEmpty())
        m_clientIndex[kind].insert(stored.clientId, stored.id);
    m_store[kind].insert(stored.id, stored);
}

QJsonObject FakeSyncServer::record(const QString &kind, const QString &serverId) const
{
    const auto records = m_store.value(kind);
    const auto found = records.constFind(serverId);
    return found == records.constEnd() ? QJsonObject() : serverForm(*found);
}

QJsonObject FakeSyncServer::recordByClientId(const QString &kind, const QString &clientId) const
{
    return record(kind, m_clientIndex.value(kind).value(clientId));
}

QList<QJsonObject> FakeSyncServer::records(const QString &kind) const
{
    QList<QJsonObject> result;
    for (const Stored &stored : m_store.value(kind))
        result.append(serverForm(stored));
    return result;
}

QString FakeSyncServer::currentCursor() const
{
    return cursorText(int(m_log.size()), 0);
}

void FakeSyncServer::rejectEntity(const QString &entityId, const QString &message)
{
    m_rejected.insert(entityId, message);
}

void FakeSyncServer::injectPush(int nth, const FakeHttp::Response &response, int count)
{
    for (int i = 0; i < count; ++i)
        m_pushFaults.insert(nth + i, response);
}

void FakeSyncServer::injectPull(int nth, const FakeHttp::Response &response, int count)
{
    for (int i = 0; i < count; ++i)
        m_pullFaults.insert(nth + i, response);
}

bool FakeSyncServer::isValidCursor(const QString &cursor)
{
    bool ok = false;
    decodeCursor(cursor, &ok);
    return ok;
}

FakeHttp::Response FakeSyncServer::handlePush(const FakeHttp::Request &request)
{
    ++m_pushCount;
    noteArrival();
    const QJsonArray changes = request.jsonBody().value(QStringLiteral("changes")).toArray();
    m_pushBatches.append(changes);
    if (m_pushFaults.contains(m_pushCount))
        return answer(m_pushFaults.value(m_pushCount));
    if (!authorised(request))
        return answer(FakeHttp::Response::json(401, errorBody(QStringLiteral("unauthorized"))));

    QJsonArray results;
    for (const QJsonValue &value : changes)
        results.append(applyChange(value.toObject()));
    QJsonObject reply{{QStringLiteral("results"), results}};
    if (m_pushReplyHook)
        reply = m_pushReplyHook(reply);
    const FakeHttp::Response response = FakeHttp::Response::json(200, reply);
    return answer(m_holdPushes ? response.held() : response);
}

QJsonObject FakeSyncServer::applyChange(const QJsonObject &change)
{
    const QString entityType = change.value(QStringLiteral("entity_type")).toString();
    const QString entityId = change.value(QStringLiteral("entity_id")).toString();
    QJsonObject result{{QStringLiteral("entity_type"), entityType}, {QStringLiteral("entity_id"), entityId}};

    const QString kind = kindForEntityType(entityType);
    if (kind.isEmpty() || entityId.isEmpty()) {
        result.insert(QStringLiteral("status"), QStringLiteral("error"));
        result.insert(QStringLiteral("message"), QStringLiteral("unknown entity"));
        return result;
    }
    if (m_rejected.contains(entityId)) {
        result.insert(QStringLiteral("status"), QStringLiteral("error"));
        result.insert(QStringLiteral("message"), m_rejected.value(entityId));
        return result;
    }

    Stored stored;
    stored.fields = change.value(QStringLiteral("payload")).toObject();
    stored.id = stored.fields.value(QStringLiteral("server_id")).toString();
    const auto records = m_store.constFind(kind);
    if (stored.id.isEmpty() || records == m_store.constEnd() || !records->contains(stored.id)) {
        const auto clients = m_clientIndex.constFind(kind);
        stored.id = clients == m_clientIndex.constEnd() ? QString() : clients->value(entityId);
    }
    if (stored.id.isEmpty())
        stored.id = newServerId(kind);
    result.insert(QStringLiteral("status"), QStringLiteral("ok"));
    result.insert(QStringLiteral("server_id"), stored.id);
    // The hook decides what the client is told; only an accepted change is kept.
    if (m_resultHook)
        result = m_resultHook(change, result);
    if (result.value(QStringLiteral("status")).toString() != QLatin1String("ok"))
        return result;

    stored.clientId = entityId;
    stored.version = change.value(QStringLiteral("version")).toInt();
    if (change.value(QStringLiteral("action")).toString() == QLatin1String("delete") &&
        stored.fields.value(QStringLiteral("deleted_at")).toString().isEmpty()) {
        stored.deletedAt = nowText();
    }
    store(kind, stored);
    if (m_echoPushes)
        log(kind, stored.id);
    return result;
}

FakeHttp::Response FakeSyncServer::handlePull(const FakeHttp::Request &request)
{
    ++m_pullCount;
    noteArrival();
    const QHash<QString, QString> query = parseForm(request.rawQuery);
    const QString sentCursor = query.value(QStringLiteral("cursor"));
    m_pullCursors.append(sentCursor);
    m_pullRawQueries.append(request.rawQuery);
    if (m_pullFaults.contains(m_pullCount))
        return answer(m_pullFaults.value(m_pullCount));
    if (!authorised(request))
        return answer(FakeHttp::Response::json(401, errorBody(QStringLiteral("unauthorized"))));
    auto normal = [this](const QJsonObject &body) {
        const FakeHttp::Response response = FakeHttp::Response::json(200, body);
        return answer(m_holdPulls ? response.held() : response);
    };
    if (!m_scriptedPages.isEmpty())
        return normal(m_scriptedPages.takeFirst());

    int position = 0;
    if (query.contains(QStringLiteral("cursor"))) {
        bool ok = false;
        position = decodeCursor(sentCursor, &ok);
        if (!ok)
            return answer(FakeHttp::Response::json(400, errorBody(QStringLiteral("invalid cursor"))));
    }
    const int limit = qMax(1, query.value(QStringLiteral("limit"), QStringLiteral("200")).toInt());

    QHash<QString, QJsonArray> arrays;
    QSet<QString> seen;
    const int end = qMin(int(m_log.size()), position + limit);
    for (int i = position; i < end; ++i) {
        const LogEntry &entry = m_log.at(i);
        const QString key = entry.kind + QLatin1Char('/') + entry.serverId;
        if (seen.contains(key))
            continue;
        seen.insert(key);
        arrays[entry.kind].append(record(entry.kind, entry.serverId));
    }

    QJsonObject body;
    for (const QString &kind : kinds()) {
        if (arrays.contains(kind))
            body.insert(kind, arrays.value(kind));
    }
    QString cursor = encodeCursor(end);
    if (m_cursorMode == CursorMode::Repeat)
        cursor = sentCursor;
    else if (m_cursorMode == CursorMode::Empty)
        cursor.clear();
    body.insert(QStringLiteral("cursor"), cursor);
    body.insert(QStringLiteral("has_more"), m_hasMoreForever || end < m_log.size());
    if (m_integrity) {
        int live = 0;
        for (const QJsonObject &category : records(QStringLiteral("categories"))) {
            if (category.value(QStringLiteral("deleted_at")).toString().isEmpty())
                ++live;
        }
        body.insert(QStringLiteral("integrity"), QJsonObject{{QStringLiteral("category_count"), live}});
    }
    return normal(body);
}

FakeHttp::Response FakeSyncServer::handleOther(const FakeHttp::Request &request)
{
    if (!authorised(request))
        return FakeHttp::Response::json(401, errorBody(QStringLiteral("unauthorized")));
    const QString prefix = BasePath + QStringLiteral("/accounts/");
    if (!request.path.startsWith(prefix))
        return FakeHttp::Response::json(404, errorBody(QStringLiteral("not found")));
    const QStringList parts = request.path.mid(prefix.size()).split(QLatin1Char('/'));
    const QString accountId = parts.value(0);

    if (request.method == "GET" && parts.size() == 2 && parts.at(1) == QLatin1String("members"))
        return FakeHttp::Response::json(200,
                                        QJsonObject{{QStringLiteral("members"), m_members.value(accountId)}});

    if (request.method == "POST" && parts.size() == 2 && parts.at(1) == QLatin1String("share")) {
        const QJsonObject body = request.jsonBody();
        QJsonArray members = m_members.value(accountId);
        members.append(QJsonObject{{QStringLiteral("user_id"), body.value(QStringLiteral("user_id"))},
                                   {QStringLiteral("email"), body.value(QStringLiteral("email"))},
                                   {QStringLiteral("role"), body.value(QStringLiteral("role"))},
                                   {QStringLiteral("created_at"), nowText()}});
        m_members.insert(accountId, members);
        return FakeHttp::Response::json(201,
                                        QJsonObject{{QStringLiteral("status"), QStringLiteral("shared")}});
    }

    if (request.method == "DELETE" && parts.size() == 3 && parts.at(1) == QLatin1String("share")) {
        QJsonArray kept;
        for (const QJsonValue &member : m_members.value(accountId)) {
            if (member.toObject().value(QStringLiteral("user_id")).toString() != parts.at(2))
                kept.append(member);
        }
        m_members.insert(accountId, kept);
        return FakeHttp::Response::empty(204);
    }
    return FakeHttp::Response::json(404, errorBody(QStringLiteral("not found")));
}

FakeHttp::Response FakeSyncServer::answer(const FakeHttp::Response &response)
{
    FakeHttp::Response result = response;
    if (result.delayMs == 0 && m_delayMs > 0)
        result = result.delayed(m_delayMs);
    const bool answered = result.kind == FakeHttp::Response::Kind::Answer && !result.hold;
    m_previousAnswerDue = answered ? m_clock.elapsed() + result.delayMs : -1;
    return result;
}

bool FakeSyncServer::authorised(const FakeHttp::Request &request) const
{
    if (m_acceptedTokens.isEmpty())
        return true;
    const QByteArray header = request.header("authorization");
    for (const QString &token : m_acceptedTokens) {
        if (header == "Bearer " + token.toUtf8())
            return true;
    }
    return false;
}

void FakeSyncServer::noteArrival()
{
    if (m_previousAnswerDue >= 0 && m_clock.elapsed() < m_previousAnswerDue)
        m_overlapped = true;
}

QString FakeSyncServer::newServerId(const QString &kind)
{
    return QStringLiteral("srv-%1-%2").arg(kind.left(4)).arg(m_nextServerId++, 6, 10, QLatin1Char('0'));
}

void FakeSyncServer::log(const QString &kind, const QString &serverId)
{
    m_log.append(LogEntry{kind, serverId});
}

QString FakeSyncServer::encodeCursor(int position)
{
    // A cursor names a position in the log, so nothing new gives the same
    // cursor again; paging for ever needs a new one each time, or a client
    // would rightly stop at a repeated cursor.
    return cursorText(position, m_hasMoreForever ? ++m_cursorSerial : 0);
}

int FakeSyncServer::decodeCursor(const QString &cursor, bool *ok)
{
    *ok = false;
    const QByteArray::FromBase64Result decoded =
        QByteArray::fromBase64Encoding(cursor.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || !decoded.decoded.startsWith(CursorPrefix))
        return 0;
    const QList<QByteArray> parts = decoded.decoded.mid(CursorPrefix.size()).split(':');
    const int position = parts.value(0).toInt(ok);
    return *ok ? position : 0;
}

} // namespace FakeSync
