#include "FlatJsonObject.h"

#include <algorithm>

FlatJsonObject::FlatJsonObject(QList<QByteArray> keys)
    : m_keys(std::move(keys))
    , m_values(m_keys.size())
{
}

void FlatJsonObject::skipSpace()
{
    while (m_at < m_end && (*m_at == ' ' || *m_at == '\t' || *m_at == '\n' || *m_at == '\r'))
        ++m_at;
}

qsizetype FlatJsonObject::find(QByteArrayView key, qsizetype expected) const
{
    // Rows are written with their keys in one order: the next key is usually
    // the one after the last.
    if (expected < m_keys.size() && m_keys.at(expected) == key)
        return expected;
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        if (m_keys.at(i) == key)
            return i;
    }
    return -1;
}

bool FlatJsonObject::readString(QByteArrayView *text)
{
    if (m_at == m_end || *m_at++ != '"')
        return false;
    const char *start = m_at;
    bool ascii = true;
    while (m_at < m_end && *m_at != '"' && *m_at != '\\') {
        const auto byte = static_cast<unsigned char>(*m_at++);
        if (byte < 0x20)
            return false;
        ascii = ascii && byte < 0x80;
    }
    if (m_at == m_end)
        return false;
    if (*m_at == '"') {
        *text = QByteArrayView(start, m_at++ - start);
        return ascii || text->isValidUtf8();
    }
    // Escaped: copied out without its escapes.
    char *out = m_unescaped.data() + m_used;
    const char *first = out;
    out = std::copy(start, m_at, out);
    while (m_at < m_end && *m_at != '"') {
        char c = *m_at++;
        if (c == '\\') {
            if (m_at == m_end)
                return false;
            switch (*m_at++) {
            case '"':
                c = '"';
                break;
            case '\\':
                c = '\\';
                break;
            case '/':
                c = '/';
                break;
            case 'b':
                c = '\b';
                break;
            case 'f':
                c = '\f';
                break;
            case 'n':
                c = '\n';
                break;
            case 'r':
                c = '\r';
                break;
            case 't':
                c = '\t';
                break;
            default:
                return false; // "\u" and anything unknown
            }
        } else if (static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
        *out++ = c;
    }
    if (m_at == m_end)
        return false;
    ++m_at;
    *text = QByteArrayView(first, out - first);
    m_used += text->size();
    return text->isValidUtf8();
}

bool FlatJsonObject::readValue(Value *value)
{
    if (m_at == m_end)
        return false;
    const auto word = [this](QByteArrayView expected) {
        if (m_end - m_at < expected.size() || QByteArrayView(m_at, expected.size()) != expected)
            return false;
        m_at += expected.size();
        return true;
    };
    switch (*m_at) {
    case '"':
        value->type = Type::Text;
        return readString(&value->text);
    case 't':
        *value = {Type::Bool, 1, {}};
        return word("true");
    case 'f':
        *value = {Type::Bool, 0, {}};
        return word("false");
    case 'n':
        *value = {Type::Null, 0, {}};
        return word("null");
    default:
        break;
    }
    const bool negative = *m_at == '-';
    if (negative)
        ++m_at;
    const char *digits = m_at;
    qint64 number = 0;
    // Up to 18 digits cannot overflow; longer numbers, leading zeros and
    // fractions are left to the full parse.
    for (; m_at < m_end && *m_at >= '0' && *m_at <= '9'; ++m_at) {
        if (m_at - digits < 18)
            number = number * 10 + (*m_at - '0');
    }
    const qsizetype count = m_at - digits;
    if (count == 0 || count > 18 || (*digits == '0' && count > 1))
        return false;
    if (m_at < m_end && (*m_at == '.' || *m_at == 'e' || *m_at == 'E'))
        return false;
    *value = {Type::Integer, negative ? -number : number, {}};
    return true;
}

bool FlatJsonObject::parse(QByteArrayView json)
{
    std::fill(m_values.begin(), m_values.end(), Value());
    // Unescaped text is never longer than its source: one buffer of that size
    // holds it all without moving.
    if (m_unescaped.size() < json.size())
        m_unescaped.resize(json.size());
    m_used = 0;
    m_at = json.data();
    m_end = json.data() + json.size();
    skipSpace();
    if (m_at == m_end || *m_at++ != '{')
        return false;
    skipSpace();
    if (m_at < m_end && *m_at == '}') {
        ++m_at;
        skipSpace();
        return m_at == m_end;
    }
    qsizetype expected = 0;
    for (;;) {
        QByteArrayView key;
        Value value;
        if (!readString(&key) || (skipSpace(), m_at == m_end) || *m_at++ != ':')
            return false;
        skipSpace();
        if (!readValue(&value))
            return false;
        const qsizetype index = find(key, expected);
        if (index >= 0) {
            if (m_values.at(index).type != Type::Missing)
                return false;
            m_values[index] = value;
            expected = index + 1;
        }
        skipSpace();
        if (m_at == m_end)
            return false;
        const char separator = *m_at++;
        if (separator == '}')
            break;
        if (separator != ',')
            return false;
        skipSpace();
    }
    skipSpace();
    return m_at == m_end;
}
