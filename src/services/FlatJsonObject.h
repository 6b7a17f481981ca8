#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// One JSON object of plain values (text, whole numbers, true, false, null)
// under known keys, read in place: a backup row, a million times over, without
// building a document for each. Anything else (nested values, fractions,
// "\u" escapes, control characters, a key given twice, text that is not
// UTF-8) is left to the caller, who reads it with QJsonDocument, so that the
// answers never differ from a full parse.
class FlatJsonObject
{
public:
    enum class Type : quint8
    {
        Missing,
        Null,
        Bool,
        Integer,
        Text,
    };

    struct Value
    {
        Type type = Type::Missing;
        qint64 integer = 0;  // also 0 or 1 for a Bool
        QByteArrayView text; // UTF-8, valid until the next parse
    };

    // The keys whose values are wanted; others are skipped.
    explicit FlatJsonObject(QList<QByteArray> keys);

    // False when `json` is not such an object: then no value is to be used.
    bool parse(QByteArrayView json);
    const Value &value(qsizetype key) const { return m_values.at(key); }

private:
    bool readString(QByteArrayView *text);
    bool readValue(Value *value);
    qsizetype find(QByteArrayView key, qsizetype expected) const;
    void skipSpace();

    QList<QByteArray> m_keys;
    QList<Value> m_values;
    QByteArray m_unescaped; // text with escapes, as the views point to it
    qsizetype m_used = 0;
    const char *m_at = nullptr;
    const char *m_end = nullptr;
};
