#pragma once

#include <QDateTime>
#include <QString>

struct SplitLine
{
    QString id;
    QString transactionId;
    QString categoryId;
    qint64 amount = 0;
    QString memo;
    QDateTime createdAt;
    QDateTime updatedAt;
};
