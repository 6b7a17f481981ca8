// A pull page of the sync service, read record by record into the program's
// records without touching the database: the bounds check, the bookkeeping
// header and the reader of each kind.
#include "FuzzSupport.h"
#include "RecurringTransaction.h"
#include "SyncWire.h"

#include <QJsonDocument>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool inBounds(qint64 amount)
{
    return amount >= -SyncWire::MaxAmountMagnitude && amount <= SyncWire::MaxAmountMagnitude;
}

void read(SyncKind kind, const QJsonObject &record)
{
    // A record the bounds check passes holds only amounts a balance can sum.
    const bool accepted = SyncWire::invalidReason(kind, record).isEmpty();
    const SyncWire::RecordHeader header = SyncWire::readHeader(record);
    check(header.createdAt.isValid() && header.updatedAt.isValid());
    const QString id = header.clientId.isEmpty() ? QStringLiteral("local") : header.clientId;
    switch (kind) {
    case SyncKind::Account:
        check(!accepted || inBounds(SyncWire::readAccount(record, header, id).startingBalance));
        break;
    case SyncKind::Category:
        SyncWire::readCategory(record, header, id);
        break;
    case SyncKind::Recurring: {
        const RecurringTransaction rule = SyncWire::readRecurring(record, header, id, std::nullopt);
        check(!accepted || inBounds(rule.amount));
        check(rule.leadDays >= 0 && rule.leadDays <= RecurringTransaction::MaxLeadDays);
        check(rule.intervalCount >= 1 && rule.intervalCount <= SyncWire::MaxIntervalCount);
        break;
    }
    case SyncKind::Transaction: {
        const Transaction transaction = SyncWire::readTransaction(record, header, id);
        const QList<SplitLine> lines = SyncWire::readSplitLines(record, transaction);
        check(!accepted || inBounds(transaction.amount));
        if (accepted) {
            check(lines.size() <= SyncWire::MaxSplitLines);
            for (const SplitLine &line : lines)
                check(inBounds(line.amount));
        }
        break;
    }
    case SyncKind::Reconciliation: {
        const Reconciliation reconciliation = SyncWire::readReconciliation(record, header, id);
        check(!accepted ||
              (inBounds(reconciliation.statementBalance) && inBounds(reconciliation.reconciledBalance)));
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QJsonDocument document = QJsonDocument::fromJson(FuzzSupport::bytes(data, size));
    if (!document.isObject())
        return 0;
    const QJsonObject page = document.object();
    for (SyncKind kind : SyncStore::kinds()) {
        QString key = SyncStore::pullKey(kind);
        if (kind == SyncKind::Recurring && !page.contains(key))
            key = QStringLiteral("recurring");
        for (const QJsonValue &value : page.value(key).toArray())
            read(kind, value.toObject());
    }
    SyncWire::parseServerDate(page.value(QLatin1String("date")).toString());
    return 0;
}
