#include "SqlValues.h"

namespace {

char16_t unitAt(QStringView text, qsizetype pos)
{
    return text[pos].unicode();
}

char16_t unitAt(QByteArrayView text, qsizetype pos)
{
    return char16_t(static_cast<unsigned char>(text[pos]));
}

// Reads `count` ASCII digits at `pos`; -1 when any of them is not a digit.
template <typename View> int digitsAt(View text, qsizetype pos, int count)
{
    if (pos + count > text.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = unitAt(text, pos + i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

template <typename View> QDate parseDate(View text)
{
    if (text.size() < 10 || unitAt(text, 4) != u'-' || unitAt(text, 7) != u'-')
        return {};
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    if (year < 0 || month < 0 || day < 0)
        return {};
    return QDate(year, month, day);
}

// Days from 1970-01-01 to a valid proleptic Gregorian date, by the
// era-of-400-years count (no table, no branches on the month).
qint64 daysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return qint64(era) * 146097 + dayOfEra - 719468;
}

bool validDay(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= Lengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

// The stored form "yyyy-MM-ddTHH:mm:ssZ" (or with a space and no zone) is
// parsed by hand: it is read for every row of a register and Qt's general
// ISO parser costs several times more, its calendar arithmetic alone as much
// as the rest of the parse.
template <typename View> std::optional<QDateTime> parseCommonTimestamp(View text)
{
    if (text.size() != 19 && !(text.size() == 20 && unitAt(text, 19) == u'Z'))
        return std::nullopt;
    if (unitAt(text, 4) != u'-' || unitAt(text, 7) != u'-')
        return std::nullopt;
    if (unitAt(text, 10) != u'T' && unitAt(text, 10) != u' ')
        return std::nullopt;
    if (unitAt(text, 13) != u':' || unitAt(text, 16) != u':')
        return std::nullopt;
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    const int second = digitsAt(text, 17, 2);
    // Qt knows no year 0: such a text goes to its parser, as before.
    if (year <= 0 || !validDay(year, month, day) || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    // From the count of milliseconds: building it from a date and a time
    // goes through Qt's time-zone arithmetic even for UTC.
    const qint64 seconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return QDateTime::fromMSecsSinceEpoch(seconds * 1000, Qt::UTC);
}

} // namespace

namespace SqlValues {

QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}

QVariant reference(const QString &id)
{
    return id.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(id);
}

QVariant flag(bool value)
{
    return value ? 1 : 0;
}

QVariant date(const QDate &value)
{
    return text(value.isValid() ? value.toString(Qt::ISODate) : QString());
}

QVariant optionalDate(const std::optional<QDate> &value)
{
    return value ? date(*value) : QVariant(QMetaType::fromType<QString>());
}

QString timestampText(const QDateTime &value)
{
    return value.isValid() ? value.toUTC().toString(Qt::ISODate) : QString(QLatin1String(""));
}

QVariant timestamp(const QDateTime &value)
{
    return timestampText(value);
}

QVariant optionalTimestamp(const std::optional<QDateTime> &value)
{
    return value ? timestamp(*value) : QVariant(QMetaType::fromType<QString>());
}

QString nowText()
{
    return timestampText(QDateTime::currentDateTimeUtc());
}

QString readText(const QVariant &value)
{
    return value.isNull() ? QString(QLatin1String("")) : value.toString();
}

bool readFlag(const QVariant &value)
{
    return value.toLongLong() != 0;
}

QDate readDate(const QVariant &value)
{
    const QString text = value.toString();
    if (text.isEmpty())
        return {};
    const QDate fast = parseDate(QStringView(text));
    if (fast.isValid() && text.size() == 10)
        return fast;
    return QDate::fromString(text, Qt::ISODate);
}

std::optional<QDate> readOptionalDate(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return readDate(value);
}

QDateTime readTimestamp(const QVariant &value)
{
    const QString text = value.toString();
    if (text.isEmpty())
        return {};
    if (const auto fast = parseCommonTimestamp(QStringView(text)))
        return *fast;
    QString iso = text;
    if (iso.size() > 10 && iso[10] == u' ')
        iso[10] = u'T';
    QDateTime parsed = QDateTime::fromString(iso, Qt::ISODateWithMs);
    if (parsed.isValid() && parsed.timeSpec() == Qt::LocalTime)
        parsed.setTimeSpec(Qt::UTC);
    return parsed;
}

QDate readDate(QByteArrayView utf8)
{
    if (utf8.size() == 10) {
        if (const QDate fast = parseDate(utf8); fast.isValid())
            return fast;
    }
    return readDate(QVariant(QString::fromUtf8(utf8)));
}

QDateTime readTimestamp(QByteArrayView utf8)
{
    if (const auto fast = parseCommonTimestamp(utf8))
        return *fast;
    return readTimestamp(QVariant(QString::fromUtf8(utf8)));
}

std::optional<QDateTime> readOptionalTimestamp(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    return readTimestamp(value);
}

} // namespace SqlValues
