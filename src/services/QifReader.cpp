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

enum class Mark
{
    None,
    Point,
    Comma
};

// The decimal mark an amount shows: the last of a point and a comma when it
// has both, a lone separator not followed by exactly three digits, the other
// one of a separator found twice ("1.234.567"). "1,000" shows none: a
// thousand, or one with three decimals.
Mark shownMark(QStringView value)
{
    value = value.trimmed();
    const qsizetype comma = value.lastIndexOf(QLatin1Char(','));
    const qsizetype point = value.lastIndexOf(QLatin1Char('.'));
    if (comma >= 0 && point >= 0)
        return point < comma ? Mark::Comma : Mark::Point;
    if (comma < 0 && point < 0)
        return Mark::None;
    const QChar separator = comma >= 0 ? QLatin1Char(',') : QLatin1Char('.');
    const qsizetype at = std::max(comma, point);
    if (value.count(separator) > 1)
        return separator == QLatin1Char(',') ? Mark::Point : Mark::Comma;
    qsizetype digits = 0;
    while (at + 1 + digits < value.size() && value.at(at + 1 + digits).isDigit())
        ++digits;
    if (digits == 3)
        return Mark::None;
    return separator == QLatin1Char(',') ? Mark::Comma : Mark::Point;
}

// An amount showing another decimal mark than the file's is not read under
// a guess.
std::optional<qint64> amountOf(const QString &text, const QifReader::Settings &settings, QString *reason)
{
    const Mark shown = shownMark(text);
    const Mark file = settings.decimalComma ? Mark::Comma : Mark::Point;
    if (shown != Mark::None && (settings.markDisputed || shown != file)) {
        *reason =
            shown == Mark::Comma
                ? QCoreApplication::translate(
                      "QifReader", "\"%1\" shows a decimal comma, other amounts of the file a decimal point")
                : QCoreApplication::translate(
                      "QifReader", "\"%1\" shows a decimal point, other amounts of the file a decimal comma");
        *reason = reason->arg(text.trimmed());
        return std::nullopt;
    }
    return ImportValues::parseAmount(text, settings.factor, settings.decimalComma, reason);
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
        const std::optional<qint64> amount = amountOf(split.amount, settings, reason);
        if (!amount)
            return std::nullopt;
        splitTotal += *amount; // each within the register's range: no overflow
        if (const QString why = ImportValues::outOfRange(splitTotal, settings.factor); !why.isEmpty()) {
            *reason = why;
            return std::nullopt;
        }
        row.splits.append({withoutClass(split.category), *amount, split.memo});
    }

    if (raw.amount.trimmed().isEmpty() && !raw.splits.isEmpty()) {
        row.amount = splitTotal;
    } else {
        const std::optional<qint64> amount = amountOf(raw.amount, settings, reason);
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

// One field line of a record: its code and the text after it.
void takeField(RawRecord *raw, QChar code, const QString &value, bool accountList)
{
    switch (code.unicode()) {
    case 'D':
        raw->date = value;
        break;
    case 'T':
        raw->amount = value;
        break;
    case 'U':
        if (raw->amount.isEmpty())
            raw->amount = value;
        break;
    case 'P':
        raw->payee = value;
        break;
    case 'M':
        raw->memo = value;
        break;
    case 'N':
        if (accountList)
            raw->name = value;
        else
            raw->checkNumber = value;
        break;
    case 'L':
        raw->category = value;
        break;
    case 'C':
        raw->cleared = value;
        break;
    case 'S':
        raw->splits.append({value, QString(), QString()});
        break;
    case 'E':
    case '$':
        // A memo or amount before any "S" opens a split without a category.
        if (raw->splits.isEmpty() || (code == QLatin1Char('E') ? !raw->splits.last().memo.isEmpty()
                                                               : !raw->splits.last().amount.isEmpty()))
            raw->splits.append({QString(), QString(), QString()});
        (code == QLatin1Char('E') ? raw->splits.last().memo : raw->splits.last().amount) = value.trimmed();
        break;
    default:
        break; // address lines, investment fields and the like are not kept
    }
}

// Calls `visit` with each line (without its line break) and the position
// after it, until it returns false.
template <typename Visit> void forEachLine(const QString &text, Visit visit)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        start = end + 1;
        if (!visit(line, std::min(start, text.size())))
            return;
    }
}

Section sectionOf(QStringView header)
{
    if (header.compare(QLatin1String("!Account"), Qt::CaseInsensitive) == 0)
        return Section::AccountList;
    const QStringView type = header.startsWith(QLatin1String("!Type:"), Qt::CaseInsensitive)
                                 ? header.mid(6).trimmed()
                                 : QStringView();
    if (type.compare(QLatin1String("Bank"), Qt::CaseInsensitive) == 0 ||
        type.compare(QLatin1String("Cash"), Qt::CaseInsensitive) == 0 ||
        type.compare(QLatin1String("CCard"), Qt::CaseInsensitive) == 0)
        return Section::Transactions;
    return Section::Skipped;
}

bool isOption(QStringView header)
{
    return header.startsWith(QLatin1String("!Option:"), Qt::CaseInsensitive) ||
           header.startsWith(QLatin1String("!Clear:"), Qt::CaseInsensitive);
}

} // namespace

namespace QifReader {

Format detectFormat(const QString &text)
{
    Format format;
    ImportValues::DateOrderEvidence order;
    qsizetype commas = 0;
    qsizetype points = 0;
    Section section = Section::None;
    forEachLine(text, [&](QStringView line, qsizetype) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('!'))) {
            if (!isOption(line))
                section = sectionOf(line);
            return true;
        }
        if (section != Section::Transactions || line.isEmpty())
            return true;
        const QChar code = line.front();
        if (code == QLatin1Char('T') || code == QLatin1Char('U') || code == QLatin1Char('$')) {
            const Mark mark = shownMark(line.mid(1));
            commas += mark == Mark::Comma;
            points += mark == Mark::Point;
        } else if (code == QLatin1Char('D')) {
            order.add(line.mid(1));
        }
        return true;
    });
    format.decimalComma = commas > points;
    format.markDisputed = commas > 0 && commas == points;
    format.dayFirst = order.dayFirst;
    format.orderAmbiguous = order.ambiguous();
    return format;
}

bool looksLikeQif(const QString &text)
{
    bool qif = false;
    forEachLine(text, [&qif](QStringView line, qsizetype) {
        line = line.trimmed();
        if (line.isEmpty())
            return true;
        qif = line.startsWith(QLatin1String("!Type:"), Qt::CaseInsensitive) ||
              line.startsWith(QLatin1String("!Account"), Qt::CaseInsensitive) || isOption(line);
        return false;
    });
    return qif;
}

QList<ImportRow> read(const QString &text, const Settings &settings, QList<ImportProblem> *problems)
{
    QList<ImportRow> rows;
    read(text, settings, problems, [&rows](ImportRow &&row, qsizetype) {
        rows.append(std::move(row));
        return true;
    });
    return rows;
}

void read(const QString &text, const Settings &settings, QList<ImportProblem> *problems,
          const std::function<bool(ImportRow &&row, qsizetype position)> &sink)
{
    bool reading = true;
    qsizetype position = 0;
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
                reading = sink(std::move(*row), position);
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
    forEachLine(text, [&](QStringView line, qsizetype end) {
        ++lineNumber;
        position = end;
        if (line.trimmed().isEmpty())
            return reading;

        if (line.startsWith(QLatin1Char('!'))) {
            finish();
            const QStringView header = line.trimmed();
            if (isOption(header))
                return reading;
            section = sectionOf(header);
            if (section == Section::Skipped)
                problem(lineNumber, tr("the section %1 is not read").arg(header.toString()));
            return reading;
        }

        const QChar code = line.front();
        const QString value = line.mid(1).toString();
        if (code == QLatin1Char('^')) {
            finish();
            return reading;
        }
        if (raw.empty) {
            raw.empty = false;
            raw.line = lineNumber;
        }
        takeField(&raw, code, value, section == Section::AccountList);
        return reading;
    });
    if (reading)
        finish();
}

} // namespace QifReader
