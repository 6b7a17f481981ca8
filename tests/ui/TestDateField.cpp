#include "AccountFormDialog.h"
#include "DateField.h"
#include "ReconciliationScreen.h"
#include "RecurringFormDialog.h"
#include "SearchScreen.h"
#include "TestApp.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

class TestDateField : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void newFieldHoldsToday();
    void typedTextWinsOverStoredDate();
    void unreadableTextFallsBackToLastDate();
    void setDateEmitsOnlyOnChange();
    void keysStepTheDate();
    void everyFieldReadsWhatIsTyped_data();
    void everyFieldReadsWhatIsTyped();
};

void TestDateField::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("M/d/yyyy") << "3/5/2026" << QDate(2026, 3, 5);
    QTest::newRow("MM/dd/yyyy") << "03/05/2026" << QDate(2026, 3, 5);
    QTest::newRow("mixed widths") << "12/5/2024" << QDate(2024, 12, 5);
    QTest::newRow("two-digit year is this century") << "3/5/26" << QDate(2026, 3, 5);
    QTest::newRow("MM/dd/yy") << "11/30/99" << QDate(2099, 11, 30);
    QTest::newRow("yy 00") << "1/1/00" << QDate(2000, 1, 1);
    QTest::newRow("surrounding spaces") << "  7/4/2025 " << QDate(2025, 7, 4);
    QTest::newRow("leap day") << "2/29/2024" << QDate(2024, 2, 29);
    QTest::newRow("not a leap year") << "2/29/2023" << QDate();
    QTest::newRow("month 13") << "13/1/2024" << QDate();
    QTest::newRow("day 0") << "1/0/2024" << QDate();
    QTest::newRow("three-digit year") << "1/2/202" << QDate();
    QTest::newRow("iso text") << "2024-01-02" << QDate();
    QTest::newRow("missing year") << "1/2" << QDate();
    QTest::newRow("letters") << "May 5 2024" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestDateField::parse()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    QCOMPARE(DateField::parse(text), expected);
    if (expected.isValid()) {
        QCOMPARE(DateField::format(expected), expected.toString(QStringLiteral("M/d/yyyy")));
        QCOMPARE(DateField::parse(DateField::format(expected)), expected);
    }

    DateField field;
    field.setDate(QDate(2030, 6, 15));
    field.setText(text);
    QCOMPARE(field.date(), expected.isValid() ? expected : QDate(2030, 6, 15));
}

void TestDateField::newFieldHoldsToday()
{
    DateField field;
    QCOMPARE(field.date(), QDate::currentDate());
    QCOMPARE(field.text(), QDate::currentDate().toString(QStringLiteral("M/d/yyyy")));
}

void TestDateField::typedTextWinsOverStoredDate()
{
    DateField field;
    field.setDate(QDate(2024, 1, 1));
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, QStringLiteral("2/3/25"));
    QCOMPARE(field.date(), QDate(2025, 2, 3));
    QSignalSpy changed(&field, &DateField::dateChanged);
    emit field.editingFinished();
    QCOMPARE(field.text(), QStringLiteral("2/3/2025"));
    QCOMPARE(changed.count(), 1);
}

void TestDateField::unreadableTextFallsBackToLastDate()
{
    DateField field;
    field.setDate(QDate(2024, 8, 9));
    field.setText(QStringLiteral("2/30/2026"));
    QCOMPARE(field.date(), QDate(2024, 8, 9));
    // The text stays as typed and marked, instead of silently turning into the last date.
    emit field.editingFinished();
    QCOMPARE(field.text(), QStringLiteral("2/30/2026"));
    QVERIFY(!field.hasValidText());
    QVERIFY(field.problem().contains(QStringLiteral("2/30/2026")));
    QVERIFY(!field.styleSheet().isEmpty());
    // Mending it takes the mark away.
    field.setText(QStringLiteral("2/28/2026"));
    emit field.editingFinished();
    QCOMPARE(field.date(), QDate(2026, 2, 28));
    QVERIFY(field.styleSheet().isEmpty());
}

void TestDateField::setDateEmitsOnlyOnChange()
{
    DateField field;
    field.setDate(QDate(2024, 1, 1));
    QSignalSpy changed(&field, &DateField::dateChanged);
    field.setDate(QDate(2024, 1, 1));
    QCOMPARE(changed.count(), 0);
    field.setDate(QDate(2024, 1, 2));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toDate(), QDate(2024, 1, 2));
    QCOMPARE(field.text(), QStringLiteral("1/2/2024"));
}

void TestDateField::keysStepTheDate()
{
    DateField field;
    field.setDate(QDate(2024, 2, 28));
    QTest::keyClick(&field, Qt::Key_Plus);
    QCOMPARE(field.date(), QDate(2024, 2, 29));
    QTest::keyClick(&field, Qt::Key_Up);
    QCOMPARE(field.date(), QDate(2024, 3, 1));
    QTest::keyClick(&field, Qt::Key_Minus);
    QCOMPARE(field.date(), QDate(2024, 2, 29));
}

void TestDateField::everyFieldReadsWhatIsTyped_data()
{
    QTest::addColumn<QString>("field"); // the field's object name
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected"); // invalid: refused
    QTest::addColumn<QString>("shown");  // the date as the field then shows it

    const QDate none;
    QTest::newRow("as of, as shown") << "asOfEdit" << "11/30/26" << QDate(2026, 11, 30) << "11/30/26";
    QTest::newRow("as of, no such day") << "asOfEdit" << "11/31/26" << none << "11/31/26";
    QTest::newRow("search, as shown") << "fromDate" << "03/05/2026" << QDate(2026, 3, 5) << "03/05/2026";
    QTest::newRow("search, short") << "fromDate" << "3/5/26" << QDate(2026, 3, 5) << "03/05/2026";
    QTest::newRow("search, no year") << "toDate" << "3/5" << none << "3/5";
    QTest::newRow("recurring start") << "startDateField" << "2/3/25" << QDate(2025, 2, 3) << "2/3/2025";
    QTest::newRow("recurring end, letters") << "endDateField" << "soon" << none << "soon";
    QTest::newRow("statement, month 13") << "statementDateField" << "13/1/2026" << none << "13/1/2026";
}

void TestDateField::everyFieldReadsWhatIsTyped()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QDate, expected);
    QFETCH(QString, shown);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestApp test;
    test.addAccount(QStringLiteral("Checking")); // the recurring form posts to it
    std::unique_ptr<QWidget> host;
    if (field == "asOfEdit")
        host = std::make_unique<AccountFormDialog>();
    else if (field.endsWith("Date"))
        host = std::make_unique<SearchScreen>(test.app());
    else if (field.startsWith("statement"))
        host = std::make_unique<ReconciliationScreen>(test.app());
    else
        host = std::make_unique<RecurringFormDialog>(test.app());
    auto *edit = host->findChild<DateField *>(field);

    edit->setDate(QDate(2030, 6, 15));
    edit->setText(typed);
    emit edit->editingFinished();
    QCOMPARE(edit->hasValidText(), expected.isValid());
    QCOMPARE(edit->text(), shown);
    // Text it cannot read is marked and left as typed, never read as another date.
    QCOMPARE(edit->date(), expected.isValid() ? expected : QDate(2030, 6, 15));
    QCOMPARE(edit->styleSheet().isEmpty(), expected.isValid());
    if (auto *recurring = qobject_cast<RecurringFormDialog *>(host.get())) {
        recurring->findChild<QCheckBox *>(QStringLiteral("hasEndDateCheck"))->setChecked(true);
        recurring->accept();
        QCOMPARE(recurring->result() == QDialog::Accepted, expected.isValid());
    }
    QLocale::setDefault(QLocale::c());
}

QTEST_MAIN(TestDateField)
#include "TestDateField.moc"
