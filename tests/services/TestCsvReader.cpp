#include "CsvReader.h"
#include "ImportReading.h"
#include "ImportService.h"
#include "ImportValues.h"

#include <QTest>

// CSV text as banks and spreadsheets write it, read into records and then
// into rows through a column mapping.
class TestCsvReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void detectDelimiter_data();
    void detectDelimiter();
    void dates_data();
    void dates();
    void amounts_data();
    void amounts();
    void paymentAndDepositColumns();
    void brokenRowsKeepTheRest();
    void valuesMustMatchTheSettings_data();
    void valuesMustMatchTheSettings();
};

namespace {

// Records as "line:field~field|line:field~field".
QString flatten(const QList<CsvRecord> &records)
{
    QStringList out;
    for (const CsvRecord &r : records)
        out.append(QString::number(r.line) + QLatin1Char(':') + r.fields.join(QLatin1Char('~')));
    return out.join(QLatin1Char('|'));
}

CsvSettings mapping()
{
    CsvSettings s;
    s.hasHeader = true;
    s.dateColumn = 0;
    s.payeeColumn = 1;
    s.amountColumn = 2;
    s.memoColumn = 3;
    s.checkNumberColumn = 4;
    s.categoryColumn = 5;
    return s;
}

} // namespace

void TestCsvReader::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("problemLine"); // 0: none

    QTest::newRow("plain") << "Date,Payee\n1/5/2024,Shop\n"
                           << ","
                           << "1:Date~Payee|2:1/5/2024~Shop" << 0;
    QTest::newRow("quoted delimiter") << "\"Smith, J\",12"
                                      << ","
                                      << "1:Smith, J~12" << 0;
    QTest::newRow("doubled quotes") << "\"say \"\"hi\"\"\",x"
                                    << ","
                                    << "1:say \"hi\"~x" << 0;
    QTest::newRow("line break in quotes") << "\"two\nlines\",c\r\nd,e\r\n"
                                          << ","
                                          << "1:two\nlines~c|3:d~e" << 0;
    QTest::newRow("crlf and blank lines") << "a,b\r\n\r\n\r\nc,d\r\n"
                                          << ","
                                          << "1:a~b|4:c~d" << 0;
    QTest::newRow("empty fields") << "a,,\n"
                                  << ","
                                  << "1:a~~" << 0;
    QTest::newRow("semicolon") << "a;\"b;c\";1,50\n"
                               << ";"
                               << "1:a~b;c~1,50" << 0;
    QTest::newRow("tab") << "a\tb c\t\"d\te\"\n"
                         << "\t"
                         << "1:a~b c~d\te" << 0;
    QTest::newRow("quote inside a field stays") << "5\" pipe,2\n"
                                                << ","
                                                << "1:5\" pipe~2" << 0;
    // An unclosed quote is reported where it opened; the lines after it are read.
    QTest::newRow("unclosed quote") << "a,b\nc,\"open\nd,e\n"
                                    << ","
                                    << "1:a~b|3:d~e" << 2;
}

void TestCsvReader::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QString, expected);
    QFETCH(int, problemLine);
    QList<ImportProblem> problems;
    QCOMPARE(flatten(CsvReader::parse(text, delimiter.front(), &problems)), expected);
    QCOMPARE(problems.size(), problemLine ? 1 : 0);
    if (problemLine)
        QCOMPARE(problems.constFirst().line, problemLine);
}

void TestCsvReader::detectDelimiter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");

    QTest::newRow("comma") << "Date,Payee,Amount\n1/5/2024,Shop,-1.00\n"
                           << ",";
    QTest::newRow("semicolon with decimal commas") << "Datum;Name;Betrag\n5.1.2024;Laden;-1,50\n"
                                                   << ";";
    QTest::newRow("tab") << "Date\tPayee\tAmount\n1/5/2024\tShop, Inc\t-1.00\n"
                         << "\t";
    QTest::newRow("quoted commas do not count") << "\"a,b,c\";d\n\"e,f,g\";h\n"
                                                << ";";
    QTest::newRow("one column falls back to comma") << "amount\n12\n"
                                                    << ",";
}

void TestCsvReader::detectDelimiter()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QCOMPARE(CsvReader::detectDelimiter(text), delimiter.front());
}

void TestCsvReader::dates_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("M/d/yyyy") << "M/d/yyyy"
                              << "1/5/2024" << QDate(2024, 1, 5);
    QTest::newRow("M/d/yyyy zero padded") << "M/d/yyyy"
                                          << "01/05/2024" << QDate(2024, 1, 5);
    QTest::newRow("d/M/yyyy") << "d/M/yyyy"
                              << "1/5/2024" << QDate(2024, 5, 1);
    QTest::newRow("d.M.yyyy") << "d.M.yyyy"
                              << "29.2.2024" << QDate(2024, 2, 29);
    QTest::newRow("wrong order") << "d/M/yyyy"
                                 << "1/13/2024" << QDate();
    QTest::newRow("no such day") << "M/d/yyyy"
                                 << "2/30/2024" << QDate();
    QTest::newRow("two-digit year") << "M/d/yyyy"
                                    << "1/5/24" << QDate();
    QTest::newRow("before 1900") << "yyyy-MM-dd"
                                 << "1899-12-31" << QDate();
}

void TestCsvReader::dates()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    CsvSettings s = mapping();
    s.dateFormat = format;
    QList<CsvRecord> records{{1, {"Date", "Payee", "Amount"}}, {2, {text, "Shop", "1.00"}}};
    QList<ImportProblem> problems;
    const QList<ImportRow> rows = CsvReader::rows(records, s, 100, &problems);
    if (expected.isValid()) {
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.constFirst().date, expected);
        QVERIFY(problems.isEmpty());
    } else {
        QVERIFY(rows.isEmpty());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems.constFirst().line, 2);
        QVERIFY(!problems.constFirst().reason.isEmpty());
    }
}

void TestCsvReader::amounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<qint64>("factor");
    QTest::addColumn<qint64>("expected"); // -1 for refused (no case below expects -1 minor unit)

    QTest::newRow("grouped") << "1,234.56" << false << qint64(100) << qint64(123456);
    QTest::newRow("parentheses") << "(12.00)" << false << qint64(100) << qint64(-1200);
    QTest::newRow("trailing minus") << "12.00-" << false << qint64(100) << qint64(-1200);
    QTest::newRow("symbol") << "-$1,234.5" << false << qint64(100) << qint64(-123450);
    QTest::newRow("decimal comma") << "1.234,56" << true << qint64(100) << qint64(123456);
    QTest::newRow("decimal comma not picked") << "1.234,56" << false << qint64(100) << qint64(-1);
    QTest::newRow("yen") << "1,000" << false << qint64(1) << qint64(1000);
    QTest::newRow("yen with a fraction") << "1,000.50" << false << qint64(1) << qint64(-1);
    QTest::newRow("three decimals") << "1.005" << false << qint64(100) << qint64(-1);
    QTest::newRow("largest") << "92233720368547758.07" << false << qint64(100) << qint64(-1);
    QTest::newRow("too large") << "92233720368547758.08" << false << qint64(100) << qint64(-1);
    QTest::newRow("far too large") << "99999999999999999999999" << false << qint64(1) << qint64(-1);
    QTest::newRow("letters") << "12 EUR" << false << qint64(100) << qint64(-1);
    QTest::newRow("empty") << "" << false << qint64(100) << qint64(-1);
}

void TestCsvReader::amounts()
{
    QFETCH(QString, text);
    QFETCH(bool, decimalComma);
    QFETCH(qint64, factor);
    QFETCH(qint64, expected);
    CsvSettings s = mapping();
    s.decimalComma = decimalComma;
    const QList<CsvRecord> records{{1, {"Date", "Payee", "Amount"}}, {2, {"1/5/2024", "Shop", text}}};
    QList<ImportProblem> problems;
    const QList<ImportRow> rows = CsvReader::rows(records, s, factor, &problems);
    if (expected == -1) {
        QVERIFY(rows.isEmpty());
        QCOMPARE(problems.size(), 1);
    } else {
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.constFirst().amount, expected);
    }
}

void TestCsvReader::paymentAndDepositColumns()
{
    CsvSettings s = mapping();
    s.amountColumn = -1;
    s.paymentColumn = 2;
    s.depositColumn = 3;
    s.memoColumn = -1;
    const QString text = QStringLiteral("Date,Payee,Debit,Credit\n"
                                        "1/5/2024,Shop,12.50,\n"
                                        "1/6/2024,Payroll,,\"2,000.00\"\n"
                                        "1/7/2024,Bank,-3.00,\n"
                                        "1/8/2024,Nothing,,\n");
    QList<ImportProblem> problems;
    const QList<ImportRow> rows =
        CsvReader::rows(CsvReader::parse(text, QLatin1Char(',')), s, 100, &problems);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).amount, qint64(-1250));
    QCOMPARE(rows.at(1).amount, qint64(200000));
    QCOMPARE(rows.at(2).amount, qint64(-300));
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.constFirst().line, 5);
}

void TestCsvReader::brokenRowsKeepTheRest()
{
    const QString text = QStringLiteral("Date,Payee,Amount,Memo,Num,Category\n"
                                        "1/5/2024,Grocer,-45.10,weekly,,Food:Groceries\n"
                                        "13/45/2024,Bad date,-1.00,,,\n"
                                        "1/6/2024,\"Multi\nline payee\",-99999999999999999999,,,\n"
                                        "1/7/1899,Old,-1.00,,,\n"
                                        "1/8/2024,Cheque,-200.00,rent,1042,Housing\n");
    QList<ImportProblem> problems;
    const QList<ImportRow> rows =
        CsvReader::rows(CsvReader::parse(text, QLatin1Char(',')), mapping(), 100, &problems);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).line, 2);
    QCOMPARE(rows.at(0).payee, QStringLiteral("Grocer"));
    QCOMPARE(rows.at(0).memo, QStringLiteral("weekly"));
    QCOMPARE(rows.at(0).category, QStringLiteral("Food:Groceries"));
    QCOMPARE(rows.at(1).line, 7);
    QCOMPARE(rows.at(1).checkNumber, QStringLiteral("1042"));
    QCOMPARE(rows.at(1).amount, qint64(-20000));

    QList<int> lines;
    for (const ImportProblem &p : problems)
        lines.append(p.line);
    QCOMPARE(lines, (QList<int>{3, 4, 6}));
    QVERIFY(problems.at(1).reason.contains(QStringLiteral("large")));
    QVERIFY(problems.at(2).reason.contains(QStringLiteral("1900")));
}

void TestCsvReader::valuesMustMatchTheSettings_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("decimalComma");
    QTest::addColumn<QString>("expected"); // "date amount" per row
    QTest::addColumn<QList<int>>("refused");
    QTest::addColumn<QString>("suggested"); // "format comma", empty for none
    QTest::addColumn<bool>("orderInDoubt");

    QTest::newRow("bad grouping") << "bad_grouping.csv"
                                  << "M/d/yyyy" << false << "2024-01-06 -123450;2024-01-09 -200000"
                                  << QList<int>{2, 4, 5} << "" << true;
    QTest::newRow("wrong date separator")
        << "wrong_date_separator.csv"
        << "M/d/yyyy" << false << "2026-01-11 -100" << QList<int>{3, 4} << "" << true;
    QTest::newRow("German rows, US settings")
        << "german_rows_suggest_settings.csv"
        << "M/d/yyyy" << false << "" << QList<int>{2, 3, 4} << "d.M.yyyy 1" << false;
    QTest::newRow("German rows, German settings")
        << "german_rows_suggest_settings.csv"
        << "d.M.yyyy" << true << "2024-01-03 -450;2024-01-15 200000;2024-01-20 -320" << QList<int>{} << ""
        << false;
    QTest::newRow("day first, days under 13")
        << "day_first_days_under_13.csv"
        << "M/d/yyyy" << false << "2026-05-11 -450;2026-06-11 -200;2026-03-11 120000" << QList<int>{} << ""
        << true;
    // Both orders read every row: the user's is kept, no other is proposed.
    QTest::newRow("day first, decimal comma, US settings")
        << "day_first_decimal_comma.csv"
        << "M/d/yyyy" << false << "" << QList<int>{2, 3, 4} << "M/d/yyyy 1" << true;
    QTest::newRow("day first, decimal comma, German settings")
        << "day_first_decimal_comma.csv"
        << "d.M.yyyy" << true << "" << QList<int>{2, 3, 4} << "" << false;
    QTest::newRow("a day above 12 settles the order")
        << "day_first_one_day_above_12.csv"
        << "M/d/yyyy" << false << "" << QList<int>{2, 3} << "d/M/yyyy 1" << false;
    QTest::newRow("whole euros, decimal comma off")
        << "whole_euros_decimal_point.csv"
        << "M/d/yyyy" << false << "" << QList<int>{2, 3} << "M/d/yyyy 1" << false;
    QTest::newRow("whole euros, decimal comma on")
        << "whole_euros_decimal_comma.csv"
        << "M/d/yyyy" << true << "" << QList<int>{2, 3} << "M/d/yyyy 0" << false;
    QTest::newRow("out of range amounts")
        << "out_of_range_amounts.csv"
        << "M/d/yyyy" << false << "2026-01-17 999999999999" << QList<int>{2, 3, 5} << "" << false;
    QTest::newRow("malformed signs and far dates")
        << "malformed_signs.csv"
        << "M/d/yyyy" << false << "2026-01-18 -1200;2026-01-19 -1200" << QList<int>{2, 3, 4, 7} << ""
        << false;
    QTest::newRow("stray quote") << "stray_quote_swallows_rows.csv"
                                 << "M/d/yyyy" << false << "2026-03-02 -200;2026-03-03 -300" << QList<int>{2}
                                 << "" << true;
    QTest::newRow("multi-line memo") << "multi_line_memo_imports.csv"
                                     << "M/d/yyyy" << false << "2026-03-01 -1250;2026-03-02 -80000;2026-03-03 -300"
                                     << QList<int>{} << "" << true;
}

void TestCsvReader::valuesMustMatchTheSettings()
{
    QFETCH(QString, file);
    QFETCH(QString, format);
    QFETCH(bool, decimalComma);
    QFETCH(QString, expected);
    QFETCH(QList<int>, refused);
    QFETCH(QString, suggested);
    QFETCH(bool, orderInDoubt);
    const ImportFile read =
        ImportService::readFile(QFINDTESTDATA(QStringLiteral("../fixtures/import/") + file));
    QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
    CsvSettings settings;
    settings.dateFormat = format;
    settings.decimalComma = decimalComma;
    const ImportPreview preview = ImportReading::preview({read}, settings, ImportContext());
    QStringList rows;
    for (const ImportPreviewRow &row : preview.rows)
        rows.append(row.date.toString(Qt::ISODate) + QLatin1Char(' ') + QString::number(row.amount));
    QCOMPARE(rows.join(QLatin1Char(';')), expected);
    QList<int> lines;
    for (const ImportProblem &problem : preview.problems)
        lines.append(problem.line);
    QCOMPARE(lines, refused);
    const std::optional<CsvSuggestion> &s = preview.suggestion;
    QCOMPARE(s ? s->dateFormat + QLatin1Char(' ') + QString::number(s->decimalComma) : QString(), suggested);
    QCOMPARE(preview.formats.constFirst().orderAmbiguous, orderInDoubt);
}

QTEST_GUILESS_MAIN(TestCsvReader)
#include "TestCsvReader.moc"
