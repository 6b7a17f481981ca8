#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace RecordOrder {

// The records with each one after its parent, where the parent is among them;
// otherwise in the order given. `idOf` and `parentOf` give a record's id and
// its parent's ("" for none). Each record is visited once: walking up from it
// stops at a parent already placed, absent, or on a cycle. Repeated passes
// over the records instead would take minutes for a long chain listed
// children first.
template <typename Record, typename IdOf, typename ParentOf>
QList<Record> parentsFirst(QList<Record> records, IdOf idOf, ParentOf parentOf)
{
    QHash<QString, qsizetype> byId;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QString id = idOf(records.at(i));
        if (!id.isEmpty())
            byId.insert(id, i);
    }
    QList<bool> placed(records.size(), false);
    QList<qsizetype> chain;
    QList<Record> ordered;
    ordered.reserve(records.size());
    for (qsizetype start = 0; start < records.size(); ++start) {
        chain.clear();
        for (qsizetype i = start; i >= 0 && !placed.at(i);) {
            placed[i] = true;
            chain.append(i);
            const QString parent = parentOf(records.at(i));
            i = parent.isEmpty() ? -1 : byId.value(parent, -1);
        }
        for (auto it = chain.crbegin(); it != chain.crend(); ++it)
            ordered.append(std::move(records[*it]));
    }
    return ordered;
}

} // namespace RecordOrder
