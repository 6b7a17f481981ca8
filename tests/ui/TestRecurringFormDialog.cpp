#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "DateField.h"
#include "EntryChoices.h"
#include "RecurringFormDialog.h"
#include "RecurringRepository.h"
#include "SmartAmountField.h"
#include "TestApp.h"
#include "TestRecords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

class TestRecurringFormDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void amountInAccountUnits_data();
    void amountInAccountUnits();
    void scheduleDatesAndVersion_data();
    void scheduleDatesAndVersion();
    void frequencyFields_data();
    void frequencyFields();
    void newRecordKeepsItsIdentity();
    void storedAccountIsLocked();
    void leadDaysOnlyWithAutoPost();
    void typedCategory_data();
    void typedCategory();

private:
    template <typename T> T *field(QWidget *dialog, const char *name)
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }

    std::unique_ptr<TestApp> m_test;
    Account m_checking;
};

void TestRecurringFormDialog::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_checking = m_test->addAccount(QStringLiteral("Checking"));
}

void TestRecurringFormDialog::cleanup()
{
    m_test.reset();
}

void TestRecurringFormDialog::amountInAccountUnits_data()
{
    QTest::addColumn<int>("currency");
    QTest::addColumn<bool>("payment");
    QTest::addColumn<double>("typed");
    QTest::addColumn<qint64>("stored");

    QTest::newRow("payment") << int(Currency::USD) << true << 12.35 << qint64(-1235);
    QTest::newRow("deposit") << int(Currency::USD) << false << 12.35 << qint64(1235);
    QTest::newRow("yen are whole") << int(Currency::JPY) << true << 1000.0 << qint64(-1000);
}

void TestRecurringFormDialog::amountInAccountUnits()
{
    QFETCH(int, currency);
    QFETCH(bool, payment);
    QFETCH(double, typed);
    QFETCH(qint64, stored);

    const Account account = m_test->addAccount(QStringLiteral("Wallet"), 0, Currency(currency));
    RecurringFormDialog dialog(m_test->app());
    auto *accounts = field<QComboBox>(&dialog, "accountCombo");
    accounts->setCurrentIndex(accounts->findData(account.id));
    field<QRadioButton>(&dialog, payment ? "paymentRadio" : "depositRadio")->setChecked(true);
    field<SmartAmountField>(&dialog, "amountField")->setValue(typed);
    const RecurringTransaction record = dialog.recurring();
    QCOMPARE(record.accountId, account.id);
    QCOMPARE(record.amount, stored);

    // Opened again, the stored amount shows as typed.
    RecurringFormDialog edit(m_test->app(), record);
    QCOMPARE(field<SmartAmountField>(&edit, "amountField")->value(), typed);
}

void TestRecurringFormDialog::scheduleDatesAndVersion_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<QDate>("typedStart");
    QTest::addColumn<QDate>("expectedStart");
    QTest::addColumn<QDate>("expectedNextDue");
    QTest::addColumn<int>("expectedVersion");

    // The stored record: started 2024-01-05, next due 2024-04-05, version 3.
    const QDate today = QDate::currentDate();
    QTest::newRow("edit, start untouched")
        << true << QDate(2024, 1, 5) << QDate(2024, 1, 5) << QDate(2024, 4, 5) << 4;
    QTest::newRow("edit, start moved")
        << true << QDate(2024, 6, 1) << QDate(2024, 6, 1) << QDate(2024, 6, 1) << 4;
    QTest::newRow("edit, start before 2000") << true << QDate(1999, 12, 31) << today << today << 4;
    QTest::newRow("new") << false << QDate(2025, 2, 3) << QDate(2025, 2, 3) << QDate(2025, 2, 3) << 1;
    QTest::newRow("new, start before 2000") << false << QDate(1980, 1, 1) << today << today << 1;
}

void TestRecurringFormDialog::scheduleDatesAndVersion()
{
    QFETCH(bool, editing);
    QFETCH(QDate, typedStart);
    QFETCH(QDate, expectedStart);
    QFETCH(QDate, expectedNextDue);
    QFETCH(int, expectedVersion);

    RecurringTransaction stored =
        TestRecords::recurring(QStringLiteral("rent"), m_checking.id, QDate(2024, 4, 5));
    stored.startDate = QDate(2024, 1, 5);
    stored.version = 3;
    std::unique_ptr<RecurringFormDialog> dialog =
        editing ? std::make_unique<RecurringFormDialog>(m_test->app(), stored)
                : std::make_unique<RecurringFormDialog>(m_test->app());
    field<QLineEdit>(dialog.get(), "payeeEdit")->setText(QStringLiteral("  Landlord  "));
    field<DateField>(dialog.get(), "startDateField")->setDate(typedStart);

    const RecurringTransaction record = dialog->recurring();
    QCOMPARE(record.payee, QStringLiteral("Landlord"));
    QCOMPARE(record.startDate, expectedStart);
    QCOMPARE(record.nextDueDate, expectedNextDue);
    QCOMPARE(record.version, expectedVersion);
    QCOMPARE(record.syncStatus, SyncStatus::Pending);
    if (editing) {
        QCOMPARE(record.id, stored.id);
        QCOMPARE(record.createdAt, stored.createdAt);
        // Saved, the raised version reaches the file.
        QVERIFY(m_test->app()->recurring()->insert(stored));
        QVERIFY(m_test->app()->recurring()->update(record));
        QCOMPARE(m_test->app()->recurring()->findById(stored.id)->version, expectedVersion);
    }
}

void TestRecurringFormDialog::frequencyFields_data()
{
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("semimonthly");

    QTest::newRow("daily 1") << "daily" << 1 << " day" << false;
    QTest::newRow("daily 2") << "daily" << 2 << " days" << false;
    QTest::newRow("quarterly 3") << "quarterly" << 3 << " quarters" << false;
    QTest::newRow("biweekly") << "biweekly" << 1 << "" << false;
    QTest::newRow("semimonthly") << "semimonthly" << 4 << "" << true;
}

void TestRecurringFormDialog::frequencyFields()
{
    QFETCH(QString, frequency);
    QFETCH(int, interval);
    QFETCH(QString, suffix);
    QFETCH(bool, semimonthly);

    RecurringFormDialog dialog(m_test->app());
    auto *frequencies = field<QComboBox>(&dialog, "frequencyCombo");
    auto *intervalSpin = field<QSpinBox>(&dialog, "intervalSpin");
    auto *firstDay = field<QComboBox>(&dialog, "firstDayCombo");
    auto *secondDay = field<QComboBox>(&dialog, "secondDayCombo");
    frequencies->setCurrentIndex(frequencies->findData(frequency));
    intervalSpin->setValue(interval);
    firstDay->setCurrentIndex(firstDay->findData(0));
    secondDay->setCurrentIndex(secondDay->findData(20));

    QCOMPARE(intervalSpin->suffix(), suffix);
    auto *form = dialog.findChild<QFormLayout *>();
    QCOMPARE(form->isRowVisible(intervalSpin), !semimonthly);
    QCOMPARE(form->isRowVisible(firstDay), semimonthly);
    QCOMPARE(form->isRowVisible(secondDay), semimonthly);

    // Hidden fields still return their values.
    const RecurringTransaction record = dialog.recurring();
    QCOMPARE(RecurringRepository::frequencyToString(record.frequency), frequency);
    QCOMPARE(record.intervalCount, interval);
    QCOMPARE(record.semimonthlyDay1, 0);
    QCOMPARE(record.semimonthlyDay2, 20);

    // A stored day outside 0..31 leaves the default.
    RecurringTransaction stored = record;
    stored.semimonthlyDay1 = 40;
    RecurringFormDialog edit(m_test->app(), stored);
    QCOMPARE(edit.recurring().semimonthlyDay1, 1);
    QCOMPARE(edit.recurring().intervalCount, interval);
}

void TestRecurringFormDialog::newRecordKeepsItsIdentity()
{
    RecurringFormDialog dialog(m_test->app());
    const RecurringTransaction first = dialog.recurring();
    // Into the next second, so that a creation time taken anew would differ.
    QTest::qWait(1100);
    const RecurringTransaction second = dialog.recurring();
    QVERIFY(!first.id.isEmpty());
    QCOMPARE(second.id, first.id);
    QCOMPARE(second.createdAt, first.createdAt);

    // A memorized record is new, though the form was filled from a record.
    RecurringTransaction seed =
        TestRecords::recurring(QStringLiteral("seed"), m_checking.id, QDate(2024, 5, 10));
    std::unique_ptr<RecurringFormDialog> memorize(RecurringFormDialog::createFromSeed(m_test->app(), seed));
    QVERIFY(memorize->isCreateFromSeed());
    const RecurringTransaction memorized = memorize->recurring();
    QVERIFY(memorized.id != seed.id);
    QCOMPARE(memorize->recurring().id, memorized.id);
    QCOMPARE(memorized.nextDueDate, QDate(2024, 5, 10));
    QCOMPARE(memorized.version, 1);
}

void TestRecurringFormDialog::storedAccountIsLocked()
{
    const Account savings = m_test->addAccount(QStringLiteral("Savings"));
    const RecurringTransaction stored =
        TestRecords::recurring(QStringLiteral("rent"), savings.id, QDate(2024, 4, 5));
    RecurringFormDialog edit(m_test->app(), stored);
    auto *accounts = field<QComboBox>(&edit, "accountCombo");
    QVERIFY(!accounts->isEnabled());
    QCOMPARE(accounts->currentData().toString(), savings.id);

    std::unique_ptr<RecurringFormDialog> memorize(RecurringFormDialog::createFromSeed(m_test->app(), stored));
    auto *seedAccounts = field<QComboBox>(memorize.get(), "accountCombo");
    QVERIFY(seedAccounts->isEnabled());
    seedAccounts->setCurrentIndex(seedAccounts->findData(m_checking.id));
    QCOMPARE(memorize->recurring().accountId, m_checking.id);
}

void TestRecurringFormDialog::leadDaysOnlyWithAutoPost()
{
    RecurringFormDialog dialog(m_test->app());
    auto *autoPost = field<QCheckBox>(&dialog, "autoPostCheck");
    auto *leadDays = field<QSpinBox>(&dialog, "leadDaysSpin");
    autoPost->setChecked(true);
    leadDays->setValue(5);
    QCOMPARE(dialog.recurring().leadDays, 5);
    autoPost->setChecked(false);
    QVERIFY(!leadDays->isEnabled());
    QCOMPARE(dialog.recurring().leadDays, 0);
}

void TestRecurringFormDialog::typedCategory_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected"); // empty: refused
    QTest::newRow("typed over a pick") << "Travel > Car Rental" << "Rent" << "Housing > Rent";
    QTest::newRow("typed, nothing picked") << "" << "fitness" << "Health > Fitness";
    QTest::newRow("no such category") << "Travel > Car Rental" << "Gym Club" << "";
    QTest::newRow("several contain it") << "" << "Tax" << "";
}

void TestRecurringFormDialog::typedCategory()
{
    QFETCH(QString, picked);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    RecurringFormDialog dialog(m_test->app());
    auto *combo = field<QComboBox>(&dialog, "categoryCombo");
    combo->setCurrentIndex(qMax(0, combo->findText(picked)));
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), typed);
    dialog.accept();
    // Refused: marked, and said why.
    QCOMPARE(dialog.result(), expected.isEmpty() ? int(QDialog::Rejected) : int(QDialog::Accepted));
    QCOMPARE(combo->styleSheet().isEmpty(), !expected.isEmpty());
    const QHash<QString, QString> paths = EntryChoices::categoryPaths(m_test->app()->categories()->findAll());
    if (!expected.isEmpty())
        QCOMPARE(paths.value(dialog.recurring().categoryId), expected);
}

QTEST_MAIN(TestRecurringFormDialog)
#include "TestRecurringFormDialog.moc"
