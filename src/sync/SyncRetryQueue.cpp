#include "SyncRetryQueue.h"

#include "PreferencesRepository.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>

void SyncRetryQueue::load(const PreferencesRepository *preferences)
{
    m_entries.clear();
    m_positions.clear();
    m_bytes = 0;
    m_stored = preferences->value(PreferenceKeys::SyncApplyRetry);
    const QJsonArray kept = QJsonDocument::fromJson(m_stored.toUtf8()).array();
    for (const QJsonValue &value : kept) {
        const QString kindKey = value[QLatin1String("kind")].toString();
        for (SyncKind kind : SyncStore::kinds()) {
            if (SyncStore::pullKey(kind) == kindKey)
                add(kind, value[QLatin1String("record")].toObject());
        }
    }
}

void SyncRetryQueue::save(PreferencesRepository *preferences)
{
    QJsonArray kept;
    for (const Entry &entry : std::as_const(m_entries)) {
        kept.append(QJsonObject{{QStringLiteral("kind"), SyncStore::pullKey(entry.kind)},
                                {QStringLiteral("record"), entry.record}});
    }
    const QString text =
        kept.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(kept).toJson(QJsonDocument::Compact));
    if (text == m_stored)
        return;
    if (text.isEmpty()) {
        preferences->remove(PreferenceKeys::SyncApplyRetry);
    } else {
        preferences->set(PreferenceKeys::SyncApplyRetry, text);
        qWarning() << "Sync:" << kept.size() << "pulled records could not be applied yet; retrying next sync";
    }
    m_stored = text;
}

bool SyncRetryQueue::clear(PreferencesRepository *preferences)
{
    const bool hadAny = !m_entries.isEmpty() || preferences->get(PreferenceKeys::SyncApplyRetry).has_value();
    takeAll();
    preferences->remove(PreferenceKeys::SyncApplyRetry);
    m_stored.clear();
    return hadAny;
}

void SyncRetryQueue::add(SyncKind kind, const QJsonObject &record)
{
    add(Entry{kind, record, QJsonDocument(record).toJson(QJsonDocument::Compact).size()});
}

void SyncRetryQueue::add(const Entry &entry)
{
    const QString key = keyOf(entry.kind, entry.record);
    const auto known = m_positions.constFind(key);
    if (known != m_positions.constEnd()) {
        m_bytes += entry.bytes - m_entries.at(*known).bytes;
        m_entries[*known] = entry;
        return;
    }
    m_positions.insert(key, m_entries.size());
    m_entries.append(entry);
    m_bytes += entry.bytes;
}

void SyncRetryQueue::remove(SyncKind kind, const QJsonObject &record)
{
    const auto known = m_positions.constFind(keyOf(kind, record));
    if (known == m_positions.constEnd())
        return;
    m_bytes -= m_entries.at(*known).bytes;
    m_entries.removeAt(*known);
    m_positions.clear();
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_positions.insert(keyOf(m_entries.at(i).kind, m_entries.at(i).record), i);
}

QList<SyncRetryQueue::Entry> SyncRetryQueue::takeAll()
{
    m_positions.clear();
    m_bytes = 0;
    return std::exchange(m_entries, {});
}

void SyncRetryQueue::setBounds(qsizetype maxRecords, qsizetype maxBytes)
{
    m_maxRecords = maxRecords;
    m_maxBytes = maxBytes;
}

QString SyncRetryQueue::keyOf(SyncKind kind, const QJsonObject &record)
{
    const QString serverId = record.value(QLatin1String("id")).toString();
    if (!serverId.isEmpty())
        return SyncStore::pullKey(kind) + QLatin1String("/server/") + serverId;
    return SyncStore::pullKey(kind) + QLatin1String("/client/") +
           record.value(QLatin1String("client_id")).toString();
}
