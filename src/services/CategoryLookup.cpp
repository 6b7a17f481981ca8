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

QString CategoryLookup::findTopLevel(const QString &name) const
{
    const QString key = ImportReading::foldName(name);
    return key.contains(QLatin1Char(':')) ? QString() : m_byPath.value(key);
}
