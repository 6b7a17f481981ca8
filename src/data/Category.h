#pragma once

#include "RecordTypes.h"
#include "SyncedRecord.h"

#include <QString>

struct Category : SyncedRecord
{
    QString id;
    QString name;
    CategoryType categoryType = CategoryType::Expense;
    QString parentId; // empty for a top-level category
    bool isTaxRelevant = false;
    QString taxCategory;
    QString icon;
    QString color;
    bool isDefault = false;
    QString accountId;
};
