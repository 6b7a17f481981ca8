#pragma once

#include "ImportRecords.h"

#include <QList>
#include <QObject>
#include <QString>

class AccountRepository;
class CategoryRepository;
class Database;
class TransactionRepository;
class TransactionWriter;

// A file chosen for import, read into memory and recognised by its content
// (and extension). `error` is set, and nothing else is, when it cannot be read.
struct ImportFile
{
    enum class Kind
    {
        Csv,
        Qif
    };

    QString path;
    QString name; // the file name shown to the user
    Kind kind = Kind::Csv;
    QString text;
    QString error;
};

// One row of the preview: what will be written, resolved against the target
// account, the categories and the other accounts.
struct ImportPreviewRow
{
    ImportRow row;
    QString fileName;
    QString categoryId;              // empty when the category is unknown or the row is split
    QString transferAccountId;       // set for a transfer whose account was found
    QList<QString> splitCategoryIds; // one per split line, empty when unknown
    bool duplicate = false;          // same date, amount and payee as a live transaction
    bool ticked = true;
    QString note; // why a part of the row is not imported as the file says
};

struct ImportPreview
{
    QList<ImportPreviewRow> rows;
    QList<ImportProblem> problems; // with their file names
};

struct ImportResult
{
    bool ok = false;
    int imported = 0;
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

    // The rows of every readable file for the target account, amounts in its
    // currency. Rows matching a live transaction of the account (same date,
    // amount and payee; each transaction matches one row at most) are marked
    // duplicate and left unticked.
    ImportPreview preview(const QList<ImportFile> &files, const CsvSettings &settings,
                          const QString &accountId) const;

    // Writes the ticked rows into the account; all or nothing.
    ImportResult importRows(const QString &accountId, const QList<ImportPreviewRow> &rows);

    // The CSV settings as kept in the preferences, and back; unreadable text
    // gives the defaults.
    static QString settingsToText(const CsvSettings &settings);
    static CsvSettings settingsFromText(const QString &text);

private:
    Database *m_database;
    AccountRepository *m_accounts;
    TransactionRepository *m_transactions;
    CategoryRepository *m_categories;
    TransactionWriter *m_writer;
};
