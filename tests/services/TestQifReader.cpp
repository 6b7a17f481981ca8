#include "ImportReading.h"
#include "ImportService.h"
#include "QifReader.h"

#include <QTest>

// QIF text as personal finance programs and banks export it.
class TestQifReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAllFields();
    void dates_data();
    void dates();
    void splits();
    void severalAccounts();
    void brokenRecordsReportedWithLines();
    void filesReadByTheirOwnRules_data();
    void filesReadByTheirOwnRules();
};

namespace {

QList<ImportRow> readQif(const QString &text, QList<ImportProblem> *problems = nullptr, bool dayFirst = false,
                         qint64 factor = 100)
{
    QifReader::Settings settings;
    settings.dayFirst = dayFirst;
    settings.factor = factor;
    return QifReader::read(text, settings, problems);
}

} // namespace

void TestQifReader::readsAllFields()
{
    const QString text = QStringLiteral("!Type:Bank\r\n"
                                        "D01/05/2024\r\n"
                                        "T-1,234.56\r\n"
                                        "PCorner Grocer\r\n"
                                        "Mweekly shop\r\n"
                                        "N1042\r\n"
                                        "LFood:Groceries/Home\r\n"
                                        "C*\r\n"
                                        "^\r\n"
                                        "D1/6'24\r\n"
                                        "U500.00\r\n"
                                        "PTo savings\r\n"
                                        "L[Savings Account]\r\n"
                                        "^\r\n");
    QList<ImportProblem> problems;
    const QList<ImportRow> rows = readQif(text, &problems);
    QVERIFY(problems.isEmpty());
    QCOMPARE(rows.size(), 2);
    const ImportRow &first = rows.at(0);
    QCOMPARE(first.line, 2);
    QCOMPARE(first.date, QDate(2024, 1, 5));
    QCOMPARE(first.amount, qint64(-123456));
    QCOMPARE(first.payee, QStringLiteral("Corner Grocer"));
    QCOMPARE(first.memo, QStringLiteral("weekly shop"));
    QCOMPARE(first.checkNumber, QStringLiteral("1042"));
    QCOMPARE(first.category, QStringLiteral("Food:Groceries"));
    QVERIFY(first.cleared);
    QVERIFY(first.transferAccount.isEmpty());

    const ImportRow &second = rows.at(1);
    QCOMPARE(second.line, 10);
    QCOMPARE(second.amount, qint64(50000));
    QCOMPARE(second.transferAccount, QStringLiteral("Savings Account"));
    QVERIFY(second.category.isEmpty());
    QVERIFY(!second.cleared);
}

void TestQifReader::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dayFirst");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("apostrophe year") << "1/5'24" << false << QDate(2024, 1, 5);
    QTest::newRow("padded apostrophe year") << " 1/ 5' 4" << false << QDate(2004, 1, 5);
    QTest::newRow("four-digit year") << "12/31/1999" << false << QDate(1999, 12, 31);
    QTest::newRow("two-digit year after slash") << "12/31/99" << false << QDate(1999, 12, 31);
    QTest::newRow("iso order") << "2024-02-29" << false << QDate(2024, 2, 29);
    QTest::newRow("day first") << "5/1'24" << true << QDate(2024, 1, 5);
    QTest::newRow("day first with dots") << "31.12.2023" << true << QDate(2023, 12, 31);
    QTest::newRow("month 13") << "13/1'24" << false << QDate();
    QTest::newRow("before 1900") << "1/1/1850" << false << QDate();
    QTest::newRow("more than 20 years ahead") << "12/31/9999" << false << QDate();
    QTest::newRow("garbage") << "soon" << false << QDate();
}

void TestQifReader::dates()
{
    QFETCH(QString, text);
    QFETCH(bool, dayFirst);
    QFETCH(QDate, expected);
    QList<ImportProblem> problems;
    const QList<ImportRow> rows =
        readQif(QStringLiteral("!Type:CCard\nD%1\nT-1.00\nPShop\n^\n").arg(text), &problems, dayFirst);
    if (expected.isValid()) {
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.constFirst().date, expected);
    } else {
        QVERIFY(rows.isEmpty());
        QCOMPARE(problems.size(), 1);
        QCOMPARE(problems.constFirst().line, 2);
    }
}

void TestQifReader::splits()
{
    const QString text = QStringLiteral("!Type:Cash\n"
                                        "D3/1'24\nT-100.00\nPMarket\n"
                                        "SFood:Groceries\nEfruit\n$-60.00\nSHousehold\n$-40.00\n^\n"
                                        "D3/2'24\nPNo total\nSA\n$-1.50\nSB\n$-2.25\n^\n"
                                        "D3/3'24\nT-100.00\nPShort\nSA\n$-60.00\nSB\n$-30.00\n^\n");
    QList<ImportProblem> problems;
    const QList<ImportRow> rows = readQif(text, &problems);
    QCOMPARE(rows.size(), 2);
    const ImportRow &first = rows.at(0);
    QCOMPARE(first.splits.size(), 2);
    QCOMPARE(first.splits.at(0).category, QStringLiteral("Food:Groceries"));
    QCOMPARE(first.splits.at(0).memo, QStringLiteral("fruit"));
    QCOMPARE(first.splits.at(0).amount, qint64(-6000));
    QCOMPARE(first.splits.at(1).category, QStringLiteral("Household"));
    QCOMPARE(first.splits.at(1).amount, qint64(-4000));
    // Without a total, the split lines make it.
    QCOMPARE(rows.at(1).amount, qint64(-375));
    // Lines that do not add up to the total are refused.
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.constFirst().line, 18);
}

void TestQifReader::severalAccounts()
{
    const QString text = QStringLiteral("!Option:AutoSwitch\n"
                                        "!Account\nNEveryday\nTBank\n^\n"
                                        "!Type:Bank\nD1/5'24\nT-10.00\n^\n"
                                        "!Account\nNVisa\nTCCard\n^\n"
                                        "!Type:CCard\nD1/6'24\nT-20.00\n^\nD1/7'24\nT-30.00\n^\n");
    QList<ImportProblem> problems;
    const QList<ImportRow> rows = readQif(text, &problems);
    QVERIFY(problems.isEmpty());
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).fileAccount, QStringLiteral("Everyday"));
    QCOMPARE(rows.at(0).amount, qint64(-1000));
    QCOMPARE(rows.at(1).fileAccount, QStringLiteral("Visa"));
    QCOMPARE(rows.at(2).fileAccount, QStringLiteral("Visa"));
    QCOMPARE(rows.at(2).date, QDate(2024, 1, 7));
}

void TestQifReader::brokenRecordsReportedWithLines()
{
    const QString text = QStringLiteral("!Type:Bank\n"  // 1
                                        "D1/5'24\n"     // 2
                                        "PNo amount\n"  // 3
                                        "^\n"           // 4
                                        "D1/6'24\n"     // 5
                                        "T12.345\n"     // 6
                                        "^\n"           // 7
                                        "!Type:Invst\n" // 8
                                        "D1/7'24\n"     // 9
                                        "NBuy\n"        // 10
                                        "^\n"           // 11
                                        "!Type:Bank\n"  // 12
                                        "D1/8'24\n"     // 13
                                        "T1000\n"       // 14
                                        "^\n");         // 15
    QList<ImportProblem> problems;
    const QList<ImportRow> rows = readQif(text, &problems, false, 1);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.constFirst().amount, qint64(1000)); // whole yen
    QList<int> lines;
    for (const ImportProblem &p : problems)
        lines.append(p.line);
    QCOMPARE(lines, (QList<int>{2, 5, 8}));
    QVERIFY(problems.at(2).reason.contains(QStringLiteral("!Type:Invst")));
}

void TestQifReader::filesReadByTheirOwnRules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("chosenOrder");  // -1 none, 0 month first, 1 day first
    QTest::addColumn<QString>("expected"); // "date amount" per row
    QTest::addColumn<bool>("ambiguous");
    QTest::addColumn<QList<int>>("refused");

    QTest::newRow("US file after CSV settings with a decimal comma")
        << "us_after_decimal_comma_csv.qif" << -1 << "1995-12-03 -52500;2024-01-15 123456" << false
        << QList<int>{};
    QTest::newRow("a first field above 12")
        << "day_first_shown.qif" << -1 << "2023-12-25 -1000;2024-01-03 -2000" << false << QList<int>{};
    QTest::newRow("decimal comma shown")
        << "decimal_comma_shown.qif" << -1 << "2024-01-15 -123456;2024-01-16 -5250" << false << QList<int>{};
    QTest::newRow("two-digit years") << "two_digit_years.qif" << -1
                                     << "2024-01-15 -100;1997-06-30 -200;2024-01-05 -300" << false
                                     << QList<int>{};
    QTest::newRow("Ctrl-Z ending") << "ctrl_z_ending.qif" << -1 << "2024-01-15 -800" << false << QList<int>{};
    QTest::newRow("dates fit both orders")
        << "order_fits_both.qif" << -1 << "1995-12-03 -100;2024-04-05 -200" << true << QList<int>{};
    QTest::newRow("day first chosen")
        << "order_fits_both.qif" << 1 << "1995-03-12 -100;2024-05-04 -200" << false << QList<int>{};
    // "-1,000" among decimal commas has three decimals; "-7.25" shows the other mark.
    QTest::newRow("decimal marks disagree")
        << "decimal_marks_disagree.qif" << -1 << "2026-01-15 -1250;2026-01-17 -375" << false
        << QList<int>{6, 14};
    QTest::newRow("decimal marks tied")
        << "decimal_marks_tied.qif" << -1 << "2026-01-17 -300" << false << QList<int>{2, 6};
}

void TestQifReader::filesReadByTheirOwnRules()
{
    QFETCH(QString, file);
    QFETCH(int, chosenOrder);
    QFETCH(QString, expected);
    QFETCH(bool, ambiguous);
    QFETCH(QList<int>, refused);
    ImportFile read = ImportService::readFile(QFINDTESTDATA(QStringLiteral("../fixtures/import/") + file));
    QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
    if (chosenOrder >= 0)
        read.qifDayFirst = chosenOrder == 1;
    // The CSV box holds a German bank's settings; they are not the QIF file's.
    CsvSettings csv;
    csv.dateFormat = QStringLiteral("d.M.yyyy");
    csv.decimalComma = true;
    const ImportPreview preview = ImportReading::preview({read}, csv, ImportContext());
    QList<int> lines;
    for (const ImportProblem &problem : preview.problems)
        lines.append(problem.line);
    QCOMPARE(lines, refused);
    QStringList rows;
    for (const ImportPreviewRow &row : preview.rows)
        rows.append(row.date.toString(Qt::ISODate) + QLatin1Char(' ') + QString::number(row.amount));
    QCOMPARE(rows.join(QLatin1Char(';')), expected);
    QCOMPARE(preview.formats.constFirst().orderAmbiguous, ambiguous);
}

QTEST_GUILESS_MAIN(TestQifReader)
#include "TestQifReader.moc"
