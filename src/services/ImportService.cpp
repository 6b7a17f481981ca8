#include "ImportService.h"

#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "CsvReader.h"
#include "DatabaseTransaction.h"
#include "ImportValues.h"
#include "Money.h"
#include "QifReader.h"
#include "TextDecoding.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString foldName(const QString &text)
{
    return text.trimmed().toCaseFolded();
}

QString duplicateKey(const QDate &date, qint64 amount, const QString &payee)
{
    return QString::number(date.toJulianDay()) + QLatin1Char('|') + QString::number(amount) +
           QLatin1Char('|') + foldName(payee);
}

// Text a person can read: no control characters but line breaks and tabs.
bool isText(const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x20 && ch != QLatin1Char('\n') && ch != QLatin1Char('\r') &&
            ch != QLatin1Char('\t'))
            return false;
    }
    return true;
}

// Category names as "Parent:Child" (QIF) or "Parent > Child" (the register's
// display), or a name alone.
class CategoryLookup
{
public:
    explicit CategoryLookup(const QList<Category> &categories)
    {
        QHash<QString, QString> names;
        for (const Category &c : categories)
            names.insert(c.id, c.name);
        // Top-level names first, so that a bare name prefers a top-level category.
        for (int pass = 0; pass < 2; ++pass) {
            for (const Category &c : categories) {
                if (c.parentId.isEmpty() != (pass == 0))
                    continue;
                const QString path = c.parentId.isEmpty() ? foldName(c.name)
                                                          : foldName(names.value(c.parentId)) +
                                                                QLatin1Char(':') + foldName(c.name);
                m_byPath.insert(path, c.id);
                if (!m_byName.contains(foldName(c.name)))
                    m_byName.insert(foldName(c.name), c.id);
            }
        }
    }

    QString find(const QString &text) const
    {
        QString path = text;
        path.replace(QLatin1String(" > "), QLatin1String(":"));
        const QStringList parts = path.split(QLatin1Char(':'));
        QStringList folded;
        for (const QString &part : parts)
            folded.append(foldName(part));
        const QString key = folded.join(QLatin1Char(':'));
        if (key.isEmpty())
            return QString();
        if (const auto it = m_byPath.constFind(key); it != m_byPath.constEnd())
            return it.value();
        return parts.size() == 1 ? m_byName.value(key) : QString();
    }

private:
    QHash<QString, QString> m_byPath;
    QHash<QString, QString> m_byName;
};

} // namespace

ImportService::ImportService(Database *database, AccountRepository *accounts,
                             TransactionRepository *transactions, CategoryRepository *categories,
                             TransactionWriter *writer, QObject *parent)
    : QObject(parent)
    , m_database(database)
    , m_accounts(accounts)
    , m_transactions(transactions)
    , m_categories(categories)
    , m_writer(writer)
{
}

ImportFile ImportService::readFile(const QString &path)
{
    const QFileInfo info(path);
    ImportFile file;
    file.path = path;
    file.name = info.fileName();
    if (info.size() > MaxFileSize) {
        file.error = tr("%1 is larger than 50 MB and was not read.").arg(file.name);
        return file;
    }
    QFile device(path);
    if (!device.open(QIODevice::ReadOnly)) {
        file.error = tr("%1 could not be read: %2").arg(file.name, device.errorString());
        return file;
    }
    // Read no more than the limit allows, also when the file grew meanwhile.
    const QByteArray bytes = device.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) {
        file.error = tr("%1 is larger than 50 MB and was not read.").arg(file.name);
        return file;
    }
    ImportFile read = fromBytes(file.name, bytes);
    read.path = path;
    return read;
}

ImportFile ImportService::fromBytes(const QString &name, const QByteArray &bytes)
{
    ImportFile file;
    file.name = name;
    const QString text = TextDecoding::decode(bytes);
    const bool qifName = QFileInfo(name).suffix().compare(QLatin1String("qif"), Qt::CaseInsensitive) == 0;
    if (isText(text) && QifReader::looksLikeQif(text)) {
        file.kind = ImportFile::Kind::Qif;
        file.text = text;
        return file;
    }
    if (!qifName && isText(text)) {
        const QList<CsvRecord> head = CsvReader::parse(text.left(4096), CsvReader::detectDelimiter(text));
        if (!head.isEmpty() && head.constFirst().fields.size() > 1) {
            file.kind = ImportFile::Kind::Csv;
            file.text = text;
            return file;
        }
    }
    file.error = tr("%1 is neither a CSV nor a QIF file.").arg(name);
    return file;
}

ImportPreview ImportService::preview(const QList<ImportFile> &files, const CsvSettings &settings,
                                     const QString &accountId) const
{
    ImportPreview preview;
    const std::optional<Account> target =
        accountId.isEmpty() ? std::nullopt : m_accounts->findById(accountId);
    const Currency currency = target ? target->currency : Currency::USD;

    QifReader::Settings qif;
    qif.factor = Money::minorUnitFactor(currency);
    qif.decimalComma = settings.decimalComma;
    qif.dayFirst = settings.dateFormat.startsWith(QLatin1Char('d'));

    for (const ImportFile &file : files) {
        if (!file.error.isEmpty())
            continue;
        QList<ImportProblem> problems;
        const QList<ImportRow> rows =
            file.kind == ImportFile::Kind::Qif
                ? QifReader::read(file.text, qif, &problems)
                : CsvReader::rows(CsvReader::parse(file.text, settings.delimiter, &problems), settings,
                                  qif.factor, &problems);
        for (ImportProblem &problem : problems) {
            problem.fileName = file.name;
            preview.problems.append(problem);
        }
        for (const ImportRow &row : rows) {
            ImportPreviewRow previewRow;
            previewRow.row = row;
            previewRow.fileName = file.name;
            preview.rows.append(previewRow);
        }
    }

    // Transfers only to another live account of the same currency: both legs
    // carry the same number of minor units.
    QHash<QString, QString> accountsByName;
    for (const Account &account : m_accounts->findAll()) {
        if (account.id != accountId && account.currency == currency)
            accountsByName.insert(foldName(account.name), account.id);
    }
    const CategoryLookup categories(m_categories->findAll());

    QHash<QString, int> existing;
    if (target) {
        for (const Transaction &t : m_transactions->findByAccount(accountId))
            ++existing[duplicateKey(t.date, t.amount, t.payee)];
    }

    for (ImportPreviewRow &p : preview.rows) {
        const ImportRow &row = p.row;
        if (!row.splits.isEmpty()) {
            for (const ImportSplit &split : row.splits)
                p.splitCategoryIds.append(categories.find(split.category));
            if (!row.transferAccount.isEmpty())
                p.note = tr("Split: the transfer to %1 is not kept").arg(row.transferAccount);
        } else if (!row.transferAccount.isEmpty()) {
            p.transferAccountId = accountsByName.value(foldName(row.transferAccount));
            if (p.transferAccountId.isEmpty())
                p.note = tr("No other account named %1 in this currency: imported without transfer")
                             .arg(row.transferAccount);
        } else {
            p.categoryId = categories.find(row.category);
        }
        auto it = existing.find(duplicateKey(row.date, row.amount, row.payee));
        if (it != existing.end() && it.value() > 0) {
            --it.value();
            p.duplicate = true;
            p.ticked = false;
        }
    }
    return preview;
}

ImportResult ImportService::importRows(const QString &accountId, const QList<ImportPreviewRow> &rows)
{
    ImportResult result;
    const std::optional<Account> target = m_accounts->findById(accountId);
    if (!target || target->deletedAt) {
        result.error = tr("The target account does not exist.");
        return result;
    }
    DatabaseTransaction scope(m_database, "ImportService::importRows");
    int written = 0;
    for (const ImportPreviewRow &p : rows) {
        if (!p.ticked)
            continue;
        Transaction t;
        t.accountId = accountId;
        t.date = p.row.date;
        t.payee = p.row.payee;
        t.memo = p.row.memo;
        t.amount = p.row.amount;
        t.checkNumber = p.row.checkNumber;
        t.cleared = p.row.cleared;
        QList<SplitLine> lines;
        if (!p.row.splits.isEmpty()) {
            for (qsizetype i = 0; i < p.row.splits.size(); ++i) {
                SplitLine line;
                line.categoryId = p.splitCategoryIds.value(i);
                line.amount = p.row.splits.at(i).amount;
                line.memo = p.row.splits.at(i).memo;
                lines.append(line);
            }
        } else {
            t.categoryId = p.categoryId;
            t.transferDestAccountId = p.transferAccountId;
        }
        if (!ImportValues::isAcceptedDate(t.date) || !m_writer->insert(t, lines)) {
            result.error = tr("Line %1 of %2 could not be written; nothing was imported.")
                               .arg(p.row.line)
                               .arg(p.fileName);
            return result;
        }
        ++written;
    }
    if (!scope.commit()) {
        result.error = tr("The import could not be saved; nothing was imported.");
        return result;
    }
    result.ok = true;
    result.imported = written;
    return result;
}

QString ImportService::settingsToText(const CsvSettings &s)
{
    const QJsonObject object{{QStringLiteral("delimiter"), QString(s.delimiter)},
                             {QStringLiteral("hasHeader"), s.hasHeader},
                             {QStringLiteral("date"), s.dateColumn},
                             {QStringLiteral("payee"), s.payeeColumn},
                             {QStringLiteral("memo"), s.memoColumn},
                             {QStringLiteral("amount"), s.amountColumn},
                             {QStringLiteral("payment"), s.paymentColumn},
                             {QStringLiteral("deposit"), s.depositColumn},
                             {QStringLiteral("checkNumber"), s.checkNumberColumn},
                             {QStringLiteral("category"), s.categoryColumn},
                             {QStringLiteral("dateFormat"), s.dateFormat},
                             {QStringLiteral("decimalComma"), s.decimalComma}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

CsvSettings ImportService::settingsFromText(const QString &text)
{
    CsvSettings s;
    const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
    if (o.isEmpty())
        return s;
    const QString delimiter = o.value(QStringLiteral("delimiter")).toString();
    if (delimiter == QLatin1String(",") || delimiter == QLatin1String(";") ||
        delimiter == QLatin1String("\t"))
        s.delimiter = delimiter.front();
    s.hasHeader = o.value(QStringLiteral("hasHeader")).toBool(s.hasHeader);
    const auto column = [&o](const char *key, int fallback) {
        const int value = o.value(QLatin1String(key)).toInt(fallback);
        return value < -1 ? -1 : value;
    };
    s.dateColumn = column("date", s.dateColumn);
    s.payeeColumn = column("payee", s.payeeColumn);
    s.memoColumn = column("memo", s.memoColumn);
    s.amountColumn = column("amount", s.amountColumn);
    s.paymentColumn = column("payment", s.paymentColumn);
    s.depositColumn = column("deposit", s.depositColumn);
    s.checkNumberColumn = column("checkNumber", s.checkNumberColumn);
    s.categoryColumn = column("category", s.categoryColumn);
    const QString format = o.value(QStringLiteral("dateFormat")).toString();
    if (ImportValues::dateFormats().contains(format))
        s.dateFormat = format;
    s.decimalComma = o.value(QStringLiteral("decimalComma")).toBool(s.decimalComma);
    return s;
}
