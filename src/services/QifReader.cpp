#include "QifReader.h"

#include "ImportValues.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("QifReader", text);
}

enum class Section
{
    None,
    Transactions,
    AccountList,
    Skipped
};

// One record as the file lists it, before its values are read.
struct RawRecord
{
    int line = 0;
    QString date;
    QString amount;
    QString payee;
    QString memo;
    QString checkNumber;
    QString category;
    QString cleared;
    struct Split
    {
        QString category;
        QString memo;
        QString amount;
    };
    QList<Split> splits;
    QString name; // "N" of an account list entry
    bool empty = true;
};

// "Food:Groceries/Class" is the category "Food:Groceries"; the class is not kept.
QString withoutClass(const QString &text)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    return (slash < 0 ? text : text.left(slash)).trimmed();
}

bool isTransfer(const QString &category)
{
    return category.size() > 2 && category.startsWith(QLatin1Char('[')) &&
           category.endsWith(QLatin1Char(']'));
}

std::optional<ImportRow> toRow(const RawRecord &raw, const QString &account,
                               const QifReader::Settings &settings, QString *reason)
{
    ImportRow row;
    row.line = raw.line;
    row.fileAccount = account;
    const std::optional<QDate> date = ImportValues::parseQifDate(raw.date, settings.dayFirst, reason);
    if (!date)
        return std::nullopt;
    row.date = *date;

    qint64 splitTotal = 0;
    for (const RawRecord::Split &split : raw.splits) {
        const std::optional<qint64> amount =
            ImportValues::parseAmount(split.amount, settings.factor, settings.decimalComma, reason);
        if (!amount)
            return std::nullopt;
        if (__builtin_add_overflow(splitTotal, *amount, &splitTotal)) {
            *reason = QCoreApplication::translate("QifReader", "amount too large");
            return std::nullopt;
        }
        row.splits.append({withoutClass(split.category), *amount, split.memo});
    }

    if (raw.amount.trimmed().isEmpty() && !raw.splits.isEmpty()) {
        row.amount = splitTotal;
    } else {
        const std::optional<qint64> amount =
            ImportValues::parseAmount(raw.amount, settings.factor, settings.decimalComma, reason);
        if (!amount)
            return std::nullopt;
        row.amount = *amount;
        if (!raw.splits.isEmpty() && splitTotal != row.amount) {
            *reason =
                QCoreApplication::translate("QifReader", "the split amounts do not add up to the total");
            return std::nullopt;
        }
    }

    row.payee = raw.payee.trimmed();
    row.memo = raw.memo.trimmed();
    row.checkNumber = raw.checkNumber.trimmed();
    const QString category = withoutClass(raw.category);
    if (isTransfer(category))
        row.transferAccount = category.mid(1, category.size() - 2).trimmed();
    else
        row.category = category;
    const QString cleared = raw.cleared.trimmed();
    row.cleared = !cleared.isEmpty();
    return row;
}

} // namespace

namespace QifReader {

bool looksLikeQif(const QString &text)
{
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        return line.startsWith(QLatin1String("!Type:"), Qt::CaseInsensitive) ||
               line.startsWith(QLatin1String("!Account"), Qt::CaseInsensitive) ||
               line.startsWith(QLatin1String("!Option:"), Qt::CaseInsensitive) ||
               line.startsWith(QLatin1String("!Clear:"), Qt::CaseInsensitive);
    }
    return false;
}

QList<ImportRow> read(const QString &text, const Settings &settings, QList<ImportProblem> *problems)
{
    QList<ImportRow> rows;
    Section section = Section::None;
    QString account;
    RawRecord raw;

    const auto problem = [problems](int line, const QString &reason) {
        if (problems)
            problems->append({line, reason, QString()});
    };
    const auto finish = [&]() {
        if (raw.empty)
            return;
        if (section == Section::Transactions) {
            QString reason;
            if (std::optional<ImportRow> row = toRow(raw, account, settings, &reason))
                rows.append(*row);
            else
                problem(raw.line, reason);
        } else if (section == Section::AccountList && !raw.name.trimmed().isEmpty()) {
            // The transactions that follow belong to the account just listed.
            account = raw.name.trimmed();
        } else if (section == Section::None) {
            problem(raw.line, tr("a record outside of any section"));
        }
        raw = RawRecord();
    };

    int lineNumber = 0;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;

        if (line.startsWith(QLatin1Char('!'))) {
            finish();
            const QStringView header = line.trimmed();
            if (header.startsWith(QLatin1String("!Option:"), Qt::CaseInsensitive) ||
                header.startsWith(QLatin1String("!Clear:"), Qt::CaseInsensitive))
                continue;
            if (header.compare(QLatin1String("!Account"), Qt::CaseInsensitive) == 0) {
                section = Section::AccountList;
                continue;
            }
            const QStringView type = header.startsWith(QLatin1String("!Type:"), Qt::CaseInsensitive)
                                         ? header.mid(6).trimmed()
                                         : QStringView();
            if (type.compare(QLatin1String("Bank"), Qt::CaseInsensitive) == 0 ||
                type.compare(QLatin1String("Cash"), Qt::CaseInsensitive) == 0 ||
                type.compare(QLatin1String("CCard"), Qt::CaseInsensitive) == 0) {
                section = Section::Transactions;
            } else {
                section = Section::Skipped;
                problem(lineNumber, tr("the section %1 is not read").arg(header.toString()));
            }
            continue;
        }

        const QChar code = line.front();
        const QString value = line.mid(1).toString();
        if (code == QLatin1Char('^')) {
            finish();
            continue;
        }
        if (raw.empty) {
            raw.empty = false;
            raw.line = lineNumber;
        }
        switch (code.unicode()) {
        case 'D':
            raw.date = value;
            break;
        case 'T':
            raw.amount = value;
            break;
        case 'U':
            if (raw.amount.isEmpty())
                raw.amount = value;
            break;
        case 'P':
            raw.payee = value;
            break;
        case 'M':
            raw.memo = value;
            break;
        case 'N':
            if (section == Section::AccountList)
                raw.name = value;
            else
                raw.checkNumber = value;
            break;
        case 'L':
            raw.category = value;
            break;
        case 'C':
            raw.cleared = value;
            break;
        case 'S':
            raw.splits.append({value, QString(), QString()});
            break;
        case 'E':
        case '$':
            // A memo or amount before any "S" opens a split without a category.
            if (raw.splits.isEmpty() || (code == QLatin1Char('E') ? !raw.splits.last().memo.isEmpty()
                                                                  : !raw.splits.last().amount.isEmpty()))
                raw.splits.append({QString(), QString(), QString()});
            (code == QLatin1Char('E') ? raw.splits.last().memo : raw.splits.last().amount) = value.trimmed();
            break;
        default:
            break; // address lines, investment fields and the like are not kept
        }
    }
    finish();
    return rows;
}

} // namespace QifReader
