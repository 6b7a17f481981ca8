#include "RecordTypes.h"

QString accountTypeToString(AccountType type)
{
    switch (type) {
    case AccountType::Checking: return QStringLiteral("checking");
    case AccountType::Savings: return QStringLiteral("savings");
    case AccountType::CreditCard: return QStringLiteral("credit_card");
    case AccountType::Cash: return QStringLiteral("cash");
    case AccountType::Investment: return QStringLiteral("investment");
    case AccountType::Other: return QStringLiteral("other");
    }
    return QStringLiteral("checking");
}

AccountType accountTypeFromString(const QString &text)
{
    if (text == QLatin1String("savings"))
        return AccountType::Savings;
    if (text == QLatin1String("credit_card"))
        return AccountType::CreditCard;
    if (text == QLatin1String("cash"))
        return AccountType::Cash;
    if (text == QLatin1String("investment"))
        return AccountType::Investment;
    if (text == QLatin1String("other"))
        return AccountType::Other;
    return AccountType::Checking;
}

QString currencyToString(Currency currency)
{
    switch (currency) {
    case Currency::USD: return QStringLiteral("USD");
    case Currency::EUR: return QStringLiteral("EUR");
    case Currency::GBP: return QStringLiteral("GBP");
    case Currency::CAD: return QStringLiteral("CAD");
    case Currency::AUD: return QStringLiteral("AUD");
    case Currency::JPY: return QStringLiteral("JPY");
    }
    return QStringLiteral("USD");
}

Currency currencyFromString(const QString &text)
{
    if (text == QLatin1String("EUR"))
        return Currency::EUR;
    if (text == QLatin1String("GBP"))
        return Currency::GBP;
    if (text == QLatin1String("CAD"))
        return Currency::CAD;
    if (text == QLatin1String("AUD"))
        return Currency::AUD;
    if (text == QLatin1String("JPY"))
        return Currency::JPY;
    return Currency::USD;
}

QString categoryTypeToString(CategoryType type)
{
    switch (type) {
    case CategoryType::Income: return QStringLiteral("income");
    case CategoryType::Transfer: return QStringLiteral("transfer");
    case CategoryType::Expense: break;
    }
    return QStringLiteral("expense");
}

CategoryType categoryTypeFromString(const QString &text)
{
    if (text == QLatin1String("income"))
        return CategoryType::Income;
    if (text == QLatin1String("transfer"))
        return CategoryType::Transfer;
    return CategoryType::Expense;
}

QString syncStatusToString(SyncStatus status)
{
    switch (status) {
    case SyncStatus::Synced: return QStringLiteral("synced");
    case SyncStatus::Conflict: return QStringLiteral("conflict");
    case SyncStatus::Pending: break;
    }
    return QStringLiteral("pending");
}

SyncStatus syncStatusFromString(const QString &text)
{
    if (text == QLatin1String("synced"))
        return SyncStatus::Synced;
    if (text == QLatin1String("conflict"))
        return SyncStatus::Conflict;
    return SyncStatus::Pending;
}
