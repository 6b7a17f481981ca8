#pragma once

#include <QString>

// Enumerations stored as text in the database and on the wire. The text forms
// are part of the file format and the sync protocol: never rename them.

enum class AccountType { Checking, Savings, CreditCard, Cash, Investment, Other };
enum class Currency { USD, EUR, GBP, CAD, AUD, JPY };
enum class CategoryType { Income = 0, Expense = 1, Transfer = 2 };
enum class Frequency { Daily = 0, Weekly, Biweekly, Monthly, Semimonthly, Quarterly, SemiAnnual, Annual };
enum class SyncStatus { Pending = 0, Synced = 1, Conflict = 2 };

QString accountTypeToString(AccountType type);
AccountType accountTypeFromString(const QString &text);

QString currencyToString(Currency currency);
Currency currencyFromString(const QString &text);

QString categoryTypeToString(CategoryType type);
CategoryType categoryTypeFromString(const QString &text);

QString syncStatusToString(SyncStatus status);
SyncStatus syncStatusFromString(const QString &text);
