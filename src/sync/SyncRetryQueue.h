#pragma once

#include "SyncStore.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>

class PreferencesRepository;

// Pulled records that could not be applied yet because a row they reference
// had not arrived. The cursor has moved past them, so they are kept, one copy
// per record (the newest), in PreferenceKeys::SyncApplyRetry until a later
// cycle can apply them. None is ever dropped: the pull stops before the queue
// outgrows its bounds (see isOverBound), and pulls those pages again later.
class SyncRetryQueue
{
public:
    struct Entry
    {
        SyncKind kind;
        QJsonObject record;
        qsizetype bytes = 0; // the record's size as kept
    };

    static constexpr qsizetype DefaultMaxRecords = 20000;
    static constexpr qsizetype DefaultMaxBytes = 16 * 1024 * 1024;

    // Replaces the queue with what an earlier cycle kept.
    void load(const PreferencesRepository *preferences);
    // Writes the queue back, only when it changed.
    void save(PreferencesRepository *preferences);
    // Empties the queue and the preference; true when anything was kept.
    bool clear(PreferencesRepository *preferences);

    void add(SyncKind kind, const QJsonObject &record);
    void add(const Entry &entry);
    // Forgets the kept copy of this record, if any.
    void remove(SyncKind kind, const QJsonObject &record);
    QList<Entry> takeAll();
    const QList<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype bytes() const { return m_bytes; }

    void setBounds(qsizetype maxRecords, qsizetype maxBytes);
    bool isOverBound() const { return m_entries.size() > m_maxRecords || m_bytes > m_maxBytes; }

private:
    static QString keyOf(SyncKind kind, const QJsonObject &record);

    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_positions; // key -> index in m_entries
    qsizetype m_bytes = 0;
    qsizetype m_maxRecords = DefaultMaxRecords;
    qsizetype m_maxBytes = DefaultMaxBytes;
    QString m_stored; // the preference's text as last read or written
};
