#pragma once

#include <QLatin1String>
#include <QString>
#include <type_traits>

struct StoredKeyProbe;

// A key whose table says nothing of its use.
enum class NoKeyUse
{
};

// A key of one of the program's tables of stored settings, with the value a
// reader gets while nothing is stored. Only its table (and the tests, which
// name keys as the users' files hold them) can make one, so a key that is not
// in the table does not compile. A table with a Use gives every key one.
template <typename Table, typename Use = NoKeyUse> class StoredKey
{
public:
    QString name() const { return QString::fromLatin1(m_name); }
    // A null QString when the table gives none.
    QString defaultValue() const { return *m_defaultValue ? QString::fromLatin1(m_defaultValue) : QString(); }
    Use use() const { return m_use; }

    // For receivers of a change signal that carries the key as text.
    friend bool operator==(const QString &name, StoredKey key) { return name == QLatin1String(key.m_name); }

private:
    friend Table;
    friend StoredKeyProbe;

    static constexpr bool HasUse = !std::is_same_v<Use, NoKeyUse>;

    explicit constexpr StoredKey(const char *name, const char *defaultValue = "")
        requires(!HasUse)
        : m_name(name)
        , m_defaultValue(defaultValue)
    {
    }
    constexpr StoredKey(const char *name, Use use, const char *defaultValue = "")
        requires HasUse
        : m_name(name)
        , m_defaultValue(defaultValue)
        , m_use(use)
    {
    }

    const char *m_name;
    const char *m_defaultValue;
    Use m_use{};
};
