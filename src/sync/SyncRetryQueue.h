#pragma once

#include "SyncStore.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>

class PreferencesRepository;

// Pulled records that could not be applied yet because a row they reference
// had not arrived. The cursor has moved past them, so they are kept, one copy
// per record (the newest), in the preference "syncApplyRetry" until a later
// cycle can apply them.
class SyncRetryQueue
{
public:
    struct Entry
    {
        SyncKind kind;
        QJsonObject record;
    };

    static constexpr int MaxKept = 1000;

    // Replaces the queue with what an earlier cycle kept.
    void load(const PreferencesRepository *preferences);
    // Writes the queue back, only when it changed; the oldest entries beyond
    // MaxKept are dropped with a warning.
    void save(PreferencesRepository *preferences);

    void add(SyncKind kind, const QJsonObject &record);
    // Forgets the kept copy of this record, if any.
    void remove(SyncKind kind, const QJsonObject &record);
    QList<Entry> takeAll();
    const QList<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    static QString keyOf(SyncKind kind, const QJsonObject &record);

    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_positions; // key -> index in m_entries
    QString m_stored;                      // the preference's text as last read or written
};
