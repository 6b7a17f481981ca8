#include "ImportService.h"

#include "AccountRepository.h"
#include "AccountTotals.h"
#include "CategoryLookup.h"
#include "CategoryRepository.h"
#include "CsvReader.h"
#include "Database.h"
#include "DatabaseTransaction.h"
#include "ImportReading.h"
#include "ImportValues.h"
#include "Money.h"
#include "QifReader.h"
#include "SqliteRows.h"
#include "TextDecoding.h"
#include "TransactionBatch.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"
#include "WriteHold.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalBlocker>
#include <QUuid>

namespace {

// A transfer's other leg lands on the other account: its sums must stay
// countable too.
bool bothLegsStayInRange(Database *database, const Transaction &t)
{
    if (!AccountTotals::stayInRange(database, t))
        return false;
    if (t.transferDestAccountId.isEmpty())
        return true;
    Transaction leg;
    leg.accountId = t.transferDestAccountId;
    leg.amount = -t.amount;
    return AccountTotals::stayInRange(database, leg);
}

// Whether no account's sums can leave 64 bits whatever the ticked rows add:
// then no row needs asking.
bool sumsStayInRange(Database *database, const QList<ImportPreviewRow> &rows)
{
    const std::optional<quint64> largest = AccountTotals::largestSums(database);
    if (!largest)
        return false;
    quint64 bound = *largest;
    for (const ImportPreviewRow &p : rows) {
        if (p.ticked)
            AccountTotals::addCapped(bound, AccountTotals::magnitude(p.amount));
    }
    return bound < (quint64(1) << 63);
}

// The ticked row up to `last` with the largest amount: the one that takes a
// balance out of range rather than an ordinary row written after it.
const ImportPreviewRow &largestBefore(const QList<ImportPreviewRow> &rows, const ImportPreviewRow &last)
{
    const ImportPreviewRow *largest = &last;
    for (const ImportPreviewRow &p : rows) {
        if (p.ticked && AccountTotals::magnitude(p.amount) > AccountTotals::magnitude(largest->amount))
            largest = &p;
        if (&p == &last)
            break;
    }
    return *largest;
}

// Text a person can read: hardly a control character but line breaks and
// tabs. A stray one refuses its row when read, not the whole file.
bool isText(const QString &text)
{
    qsizetype controls = 0;
    for (const QChar ch : text) {
        if (ImportValues::isStrayControl(ch))
            ++controls;
    }
    return controls <= 1 + text.size() / 100;
}

// Marks that turn the direction of text: a payee "evil" would show as "live".
bool isDirectionControl(QChar ch)
{
    const char16_t u = ch.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F ||
           u == 0x061C;
}

// How many rows are written between two reports of the progress.
constexpr int kProgressRows = 250;

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
    TextDecoding::Encoding encoding = TextDecoding::Encoding::Utf8;
    QString text = TextDecoding::decode(bytes, &encoding);
    if (encoding != TextDecoding::Encoding::Utf8)
        file.encoding = TextDecoding::name(encoding);
    text.removeIf(isDirectionControl);
    // DOS-era programs end a file with Ctrl-Z; blank lines after it are no record either.
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1) == QChar(0x1A) || text.at(end - 1).isSpace()))
        --end;
    if (end < text.size() && text.lastIndexOf(QChar(0x1A)) >= end)
        text.truncate(end);
    const bool qifName = QFileInfo(name).suffix().compare(QLatin1String("qif"), Qt::CaseInsensitive) == 0;
    const bool readable = isText(text);
    if (readable && QifReader::looksLikeQif(text)) {
        file.kind = ImportFile::Kind::Qif;
        file.text = text;
        return file;
    }
    if (!qifName && readable) {
        const QList<CsvRecord> head = CsvReader::parse(text.left(4096), CsvReader::detectDelimiter(text));
        if (!head.isEmpty() && head.constFirst().fields.size() > 1) {
            file.kind = ImportFile::Kind::Csv;
            file.text = text;
            return file;
        }
    }
    file.encoding.clear();
    file.error = tr("%1 is neither a CSV nor a QIF file.").arg(name);
    return file;
}

ImportContext ImportService::context(const QString &accountId) const
{
    ImportContext context;
    const std::optional<Account> target =
        accountId.isEmpty() ? std::nullopt : m_accounts->findById(accountId);
    context.currency = target ? target->currency : Currency::USD;
    context.accountsByName = transferAccounts(accountId, context.currency);
    context.categories = m_categories->findAll();
    if (target)
        context.existing = duplicateKeys(accountId);
    return context;
}

QHash<QString, int> ImportService::duplicateKeys(const QString &accountId) const
{
    // Read on the window's thread whenever the target changes: only the three
    // columns a duplicate is told by, as full records of an account of half a
    // million transactions take seconds.
    QHash<QString, int> keys;
    SqliteRows rows(m_database->database(),
                    QStringLiteral("SELECT date, amount, payee FROM transactions "
                                   "WHERE account_id = ? AND deleted_at IS NULL"),
                    {accountId});
    while (rows.next())
        ++keys[ImportReading::duplicateKey(QDate::fromString(rows.text(0), Qt::ISODate), rows.integer(1),
                                           rows.text(2))];
    if (!rows.failed())
        return keys;
    qWarning() << "ImportService::duplicateKeys failed:" << rows.lastError().text();
    keys.clear();
    for (const Transaction &t : m_transactions->findByAccount(accountId))
        ++keys[ImportReading::duplicateKey(t.date, t.amount, t.payee)];
    return keys;
}

QHash<QString, QString> ImportService::transferAccounts(const QString &accountId, Currency currency) const
{
    // Transfers only to another live account of the same currency: both legs
    // carry the same number of minor units.
    QHash<QString, QString> byName;
    for (const Account &account : m_accounts->findAll()) {
        if (account.id != accountId && account.currency == currency)
            byName.insert(ImportReading::foldName(account.name), account.id);
    }
    return byName;
}

ImportPreview ImportService::preview(const QList<ImportFile> &files, const CsvSettings &settings,
                                     const QString &accountId) const
{
    return ImportReading::preview(files, settings, context(accountId));
}

bool ImportService::createCategories(const QList<ImportPreviewRow> &rows, CategoryLookup &lookup,
                                     int *created)
{
    const auto create = [&](const QString &name, const QString &parentId, const QString &parentName,
                            qint64 amount) -> std::optional<QString> {
        Category category;
        category.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        category.name = name;
        category.parentId = parentId;
        // As the register's inline create: a deposit's category is income.
        category.categoryType = amount > 0 ? CategoryType::Income : CategoryType::Expense;
        category.createdAt = QDateTime::currentDateTimeUtc();
        category.updatedAt = category.createdAt;
        category.syncStatus = SyncStatus::Pending;
        if (!m_categories->insert(category))
            return std::nullopt;
        lookup.add(category, parentName);
        ++*created;
        return category.id;
    };
    // Where the preview placed it: under the category the parent's name
    // finds, a new top-level parent only when no category has that name.
    const auto ensure = [&](const QString &path, qint64 amount) {
        const std::optional<CategoryLookup::Placement> placement = lookup.placement(path);
        if (!placement)
            return true;
        QString parentId = placement->parentId;
        if (!placement->parentName.isEmpty() && parentId.isEmpty()) {
            const std::optional<QString> made = create(placement->parentName, QString(), QString(), amount);
            if (!made)
                return false;
            parentId = *made;
        }
        return create(placement->name, parentId, placement->parentName, amount).has_value();
    };
    for (const ImportPreviewRow &p : rows) {
        if (!p.ticked || p.categoryFound)
            continue;
        if (p.splits.isEmpty() && p.text(ImportPreviewRow::TransferAccount).isEmpty() &&
            !ensure(p.text(ImportPreviewRow::Category), p.amount))
            return false;
        for (const ImportSplit &split : p.splits) {
            if (!ensure(split.category, split.amount))
                return false;
        }
    }
    return true;
}

std::optional<Transaction> ImportService::toTransaction(const QString &accountId, const ImportPreviewRow &p,
                                                        const CategoryLookup &categories,
                                                        const QHash<QString, QString> &accountsByName,
                                                        QList<SplitLine> *lines) const
{
    if (!ImportValues::isAcceptedDate(p.date))
        return std::nullopt;
    Transaction t;
    t.accountId = accountId;
    t.date = p.date;
    t.payee = p.text(ImportPreviewRow::Payee);
    t.memo = p.text(ImportPreviewRow::Memo);
    t.amount = p.amount;
    t.checkNumber = p.text(ImportPreviewRow::CheckNumber);
    t.cleared = p.cleared;
    lines->clear();
    if (!p.splits.isEmpty()) {
        for (const ImportSplit &split : p.splits) {
            SplitLine line;
            line.categoryId = categories.find(split.category);
            line.amount = split.amount;
            line.memo = split.memo;
            lines->append(line);
        }
        return t;
    }
    const QString transfer = p.text(ImportPreviewRow::TransferAccount);
    if (transfer.isEmpty())
        t.categoryId = categories.find(p.text(ImportPreviewRow::Category));
    else
        t.transferDestAccountId = accountsByName.value(ImportReading::foldName(transfer));
    return t;
}

ImportResult ImportService::importRows(const QString &accountId, const ImportPreview &preview,
                                       bool createCategories, const std::function<bool(int, int)> &progress)
{
    ImportResult result;
    const std::optional<Account> target = m_accounts->findById(accountId);
    if (!target || target->deletedAt) {
        result.error = tr("The target account does not exist.");
        return result;
    }
    const QList<ImportPreviewRow> &rows = preview.rows;
    const int total = int(preview.tickedCount());
    QSet<QString> changedAccounts{accountId};
    {
        // The progress callback lets events through: sync and auto-post wait
        // until the transaction is over.
        const WriteHold::Scope hold(m_database->writeHold());
        // One announcement after the commit rather than one per row: nothing
        // reads or syncs rows that a cancel may still take back.
        const QSignalBlocker transactionSignals(m_transactions);
        const QSignalBlocker categorySignals(m_categories);
        DatabaseTransaction scope(m_database, "ImportService::importRows");
        // The rows find their categories as the preview did: those there were
        // before, then the ones made for them.
        CategoryLookup categories(m_categories->findAll());
        if (createCategories && !this->createCategories(rows, categories, &result.categoriesCreated)) {
            result.error = tr("The new categories could not be saved; nothing was imported.");
            return result;
        }
        const QHash<QString, QString> accountsByName = transferAccounts(accountId, target->currency);
        const bool askEveryRow = !sumsStayInRange(m_database, rows);
        const auto fail = [&](const ImportPreviewRow &p, const QString &reason) {
            result.error = tr("Line %1 of %2 could not be written: %3; nothing was imported.")
                               .arg(p.line)
                               .arg(preview.fileNames.value(p.file), reason);
            return result;
        };
        // Ordinary rows go many to a statement; the rows kept for the next one
        // name the row a failed write was about.
        TransactionBatch batch(m_database);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QList<const ImportPreviewRow *> batched;
        const auto flushed = [&]() {
            if (batch.flush()) {
                batched.clear();
                return true;
            }
            return false;
        };
        int written = 0;
        QList<SplitLine> lines;
        for (const ImportPreviewRow &p : rows) {
            if (!p.ticked)
                continue;
            if (progress && written % kProgressRows == 0 && !progress(written, total)) {
                result.cancelled = true;
                return result;
            }
            const std::optional<Transaction> t =
                toTransaction(accountId, p, categories, accountsByName, &lines);
            if (!t)
                return fail(p, tr("its date is outside the years the register takes"));
            if (askEveryRow && !bothLegsStayInRange(m_database, *t)) {
                const ImportPreviewRow &largest = largestBefore(rows, p);
                return fail(largest, tr("its amount would take a balance beyond what can be kept"));
            }
            if (!askEveryRow && lines.isEmpty() && t->transferDestAccountId.isEmpty()) {
                batched.append(&p);
                Transaction row = TransactionWriter::prepareNew(*t);
                // The rows of one import are written at one moment.
                row.createdAt = row.updatedAt = now;
                if (!batch.add(row))
                    return fail(*batched.value(batch.failedIndex(), &p), batch.errorText());
                if (batch.pending() == 0)
                    batched.clear();
            } else {
                if (!flushed())
                    return fail(*batched.value(batch.failedIndex(), &p), batch.errorText());
                if (!m_writer->insert(*t, lines))
                    return fail(p, tr("the database refused it"));
            }
            if (!t->transferDestAccountId.isEmpty())
                changedAccounts.insert(t->transferDestAccountId);
            ++written;
        }
        if (!flushed())
            return fail(*batched.value(batch.failedIndex(), batched.constLast()), batch.errorText());
        if (progress && !progress(written, total)) {
            result.cancelled = true;
            return result;
        }
        if (!scope.commit()) {
            result.error = tr("The import could not be saved; nothing was imported.");
            return result;
        }
        result.imported = written;
    }
    result.ok = true;
    if (result.categoriesCreated > 0)
        emit m_categories->categoriesChanged();
    for (const QString &id : std::as_const(changedAccounts))
        emit m_transactions->transactionsChanged(id);
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
                             {QStringLiteral("decimalComma"), s.decimalComma},
                             {QStringLiteral("columnNames"), QJsonArray::fromStringList(s.columnNames)}};
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
    for (const QJsonValue &name : o.value(QStringLiteral("columnNames")).toArray())
        s.columnNames.append(name.toString());
    return s;
}
