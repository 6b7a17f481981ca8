#pragma once

#include "ImportPreview.h"
#include "SplitLine.h"
#include "Transaction.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class AccountRepository;
class CategoryLookup;
class CategoryRepository;
class Database;
class TransactionRepository;
class TransactionWriter;

struct ImportResult
{
    bool ok = false;
    bool cancelled = false; // stopped by the progress callback; nothing was written
    int imported = 0;
    int categoriesCreated = 0;
    QString error;
};

// Reads CSV and QIF files into a preview for one target account and writes
// the rows the user keeps, all in one database transaction, through the
// transaction writer (transfers get their other leg, splits their lines).
class ImportService : public QObject
{
    Q_OBJECT

public:
    // Larger files are refused rather than read into memory.
    static constexpr qint64 MaxFileSize = 50 * 1024 * 1024;

    ImportService(Database *database, AccountRepository *accounts, TransactionRepository *transactions,
                  CategoryRepository *categories, TransactionWriter *writer, QObject *parent = nullptr);

    static ImportFile readFile(const QString &path);
    // Recognises text already read; `name` is used in messages and for the extension.
    static ImportFile fromBytes(const QString &name, const QByteArray &bytes);

    // What a preview for the target account needs of the database.
    ImportContext context(const QString &accountId) const;

    // The rows of every readable file for the target account, amounts in its
    // currency (see ImportReading::preview). Rows matching a live transaction
    // of the account (same date, amount and payee; each transaction matches
    // one row at most) are marked duplicate and left unticked.
    ImportPreview preview(const QList<ImportFile> &files, const CsvSettings &settings,
                          const QString &accountId) const;

    // Writes the ticked rows into the account; all or nothing, and a failure
    // names the row it was about and why. With `createCategories` the
    // categories the rows name that do not exist are made first, where the
    // preview placed them (see CategoryLookup::placement), income for a
    // deposit and expense otherwise; without, those rows get no category.
    // `progress` is told the rows written so far and stops the import, before
    // anything is kept, by returning false.
    ImportResult importRows(const QString &accountId, const ImportPreview &preview,
                            bool createCategories = false,
                            const std::function<bool(int written, int total)> &progress = {});

    // The CSV settings as kept in the preferences, and back; unreadable text
    // gives the defaults.
    static QString settingsToText(const CsvSettings &settings);
    static CsvSettings settingsFromText(const QString &text);

private:
    QHash<QString, QString> transferAccounts(const QString &accountId, Currency currency) const;
    // ImportReading::duplicateKey of each live transaction of the account, with its count.
    QHash<QString, int> duplicateKeys(const QString &accountId) const;
    bool createCategories(const QList<ImportPreviewRow> &rows, CategoryLookup &lookup, int *created);
    std::optional<Transaction> toTransaction(const QString &accountId, const ImportPreviewRow &p,
                                             const CategoryLookup &categories,
                                             const QHash<QString, QString> &accountsByName,
                                             QList<SplitLine> *lines) const;

    Database *m_database;
    AccountRepository *m_accounts;
    TransactionRepository *m_transactions;
    CategoryRepository *m_categories;
    TransactionWriter *m_writer;
};
