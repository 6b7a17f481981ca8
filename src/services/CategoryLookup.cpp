#include "CategoryLookup.h"

#include "ImportReading.h"

#include <QStringList>

CategoryLookup::CategoryLookup(const QList<Category> &categories)
{
    QHash<QString, QString> names;
    for (const Category &c : categories)
        names.insert(c.id, c.name);
    // Top-level names first, so that a bare name prefers a top-level category.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Category &c : categories) {
            if (c.parentId.isEmpty() == (pass == 0))
                add(c, names.value(c.parentId));
        }
    }
}

void CategoryLookup::add(const Category &category, const QString &parentName)
{
    using ImportReading::foldName;
    const QString path = category.parentId.isEmpty()
                             ? foldName(category.name)
                             : foldName(parentName) + QLatin1Char(':') + foldName(category.name);
    m_byPath.insert(path, category.id);
    if (!m_byName.contains(foldName(category.name)))
        m_byName.insert(foldName(category.name), category.id);
}

QString CategoryLookup::find(const QString &text) const
{
    QString path = text;
    path.replace(QLatin1String(" > "), QLatin1String(":"));
    const QStringList parts = path.split(QLatin1Char(':'));
    QStringList folded;
    for (const QString &part : parts)
        folded.append(ImportReading::foldName(part));
    const QString key = folded.join(QLatin1Char(':'));
    if (key.isEmpty())
        return QString();
    if (const auto it = m_byPath.constFind(key); it != m_byPath.constEnd())
        return it.value();
    return parts.size() == 1 ? m_byName.value(key) : QString();
}

std::optional<CategoryLookup::Placement> CategoryLookup::placement(const QString &text) const
{
    QString path = text;
    path.replace(QLatin1String(" > "), QLatin1String(":"));
    path = path.trimmed();
    if (path.isEmpty() || !find(path).isEmpty())
        return std::nullopt;
    const qsizetype colon = path.indexOf(QLatin1Char(':'));
    const QString parentName = colon < 0 ? QString() : path.left(colon).trimmed();
    const QString name = colon < 0 ? path : path.mid(colon + 1).trimmed();
    if (parentName.isEmpty() || name.isEmpty()) {
        const QString alone = name.isEmpty() ? parentName : name;
        if (alone.isEmpty() || !find(alone).isEmpty())
            return std::nullopt;
        return Placement{alone, QString(), QString()};
    }
    return Placement{name, parentName, find(parentName)};
}

QStringList CategoryLookup::toMake(const QString &text) const
{
    using ImportReading::foldName;
    const std::optional<Placement> made = placement(text);
    if (!made)
        return {};
    if (made->parentName.isEmpty())
        return {foldName(made->name)};
    const QString parent = made->parentId.isEmpty() ? foldName(made->parentName) : made->parentId;
    QStringList paths{parent + QLatin1Char(':') + foldName(made->name)};
    if (made->parentId.isEmpty())
        paths.prepend(foldName(made->parentName));
    return paths;
}
