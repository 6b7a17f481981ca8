#include "CategoryService.h"

#include "CategoryRepository.h"
#include "DatabaseTransaction.h"
#include "DefaultCategories.h"
#include "TransferPrefix.h"

#include <QDateTime>

CategoryService::CategoryService(Database *database, CategoryRepository *categories, QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_categories(categories)
{
}

bool CategoryService::seedDefaultCategories()
{
    const int rows = m_categories->countIncludingDeleted();
    if (rows < 0)
        return false;
    if (rows > 0)
        return true;

    DatabaseTransaction write(m_database, "CategoryService::seedDefaultCategories");
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const Category &category : DefaultCategories::build(now.addMSecs(-now.time().msec()))) {
        if (!m_categories->insert(category))
            return false;
    }
    return write.commit();
}

bool CategoryService::isAllowedName(const QString &name)
{
    return !TransferPrefix::starts(name);
}

bool CategoryService::create(const Category &category)
{
    return isAllowedName(category.name) && m_categories->insert(category);
}

bool CategoryService::save(const Category &category)
{
    return isAllowedName(category.name) && m_categories->update(category);
}
