#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AccountSidebar.h"
#include "DateField.h"
#include "ImportPreviewModel.h"
#include "ImportPreviewReader.h"
#include "ImportScreen.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "Money.h"
#include "SmartAmountField.h"
#include "TestApp.h"
#include "TransactionRepository.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

// The import window from the File menu to the database file: a statement
// imported into an account made on the spot, then an overlapping statement
// whose known rows are left out.
class TestImportScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void importIntoNewAccountWithoutDoubling();
    void clearRemapsColumnsAndUnknownCategoriesAreChosen();
    void eachFileShowsHowItWasRead();
    void csvDatesInDoubtAreNamedUntilChosen();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    static void selectColumn(ImportScreen *screen, const char *combo, int column);
    static QList<bool> tickedRows(ImportScreen *screen);

    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestImportScreen::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestImportScreen::cleanup()
{
    m_test.reset();
    m_dir.reset();
}

QString TestImportScreen::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(bytes);
    return file.fileName();
}

void TestImportScreen::selectColumn(ImportScreen *screen, const char *combo, int column)
{
    auto *box = screen->findChild<QComboBox *>(QLatin1String(combo));
    QVERIFY(box);
    const int index = box->findData(column);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
}

QList<bool> TestImportScreen::tickedRows(ImportScreen *screen)
{
    QList<bool> ticked;
    for (const ImportPreviewRow &row : screen->previewModel()->rows())
        ticked.append(row.ticked);
    return ticked;
}

void TestImportScreen::importIntoNewAccountWithoutDoubling()
{
    m_test->addAccount(QStringLiteral("Checking"));
    MainWindow window(m_test->app());
    QAction *importAction = nullptr;
    for (QAction *action : window.fileMenu()->actions()) {
        if (action->text() == QLatin1String("Import..."))
            importAction = action;
    }
    QVERIFY(importAction);
    importAction->trigger();
    ImportScreen *screen = window.importScreen();
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QAbstractItemModelTester tester(screen->previewModel());

    // A European bank's file: semicolons, decimal commas, day-first dates,
    // payee before date, Windows-1252 text and one unreadable row.
    const QString january = writeFile(QStringLiteral("january.csv"), "Name;Datum;Betrag;Notiz\r\n"
                                                                     "Bakery;2.1.2024;-4,50;rolls\r\n"
                                                                     "Payroll;15.1.2024;2.000,00;\r\n"
                                                                     "Caf\xE9;20.1.2024;-3,20;\r\n"
                                                                     "Broken;32.1.2024;-1,00;\r\n");
    screen->addFiles({january});
    QCOMPARE(screen->csvSettings().delimiter, QLatin1Char(';'));
    selectColumn(screen, "payeeColumn", 0);
    selectColumn(screen, "dateColumn", 1);
    selectColumn(screen, "amountColumn", 2);
    selectColumn(screen, "memoColumn", 3);
    auto *format = screen->findChild<QComboBox *>(QStringLiteral("dateFormatCombo"));
    format->setCurrentIndex(format->findData(QStringLiteral("d.M.yyyy")));
    screen->findChild<QCheckBox *>(QStringLiteral("decimalCommaCheck"))->setChecked(true);

    QCOMPARE(screen->previewModel()->rowCount(), 3);
    QCOMPARE(screen->previewModel()->rows().at(2).row().payee, QStringLiteral("Café"));
    QCOMPARE(screen->problemList()->count(), 1);
    QVERIFY(screen->problemList()->item(0)->text().startsWith(QStringLiteral("january.csv, line 5: ")));

    // "New Account..." makes the target, opening balance included.
    ModalAnswerer answerer;
    answerer.expectDialog<AccountFormDialog>([](AccountFormDialog *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Girokonto"));
        dialog->findChild<SmartAmountField *>(QStringLiteral("balanceField"))->setValue(100.0);
        dialog->findChild<DateField *>(QStringLiteral("asOfEdit"))->setDate(QDate(2023, 12, 31));
    });
    screen->findChild<QPushButton *>(QStringLiteral("newAccountButton"))->click();
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(answerer.pendingHandlers(), 0);
    QString accountId;
    for (const Account &account : m_test->app()->accounts()->findAll()) {
        if (account.name == QLatin1String("Girokonto"))
            accountId = account.id;
    }
    QVERIFY(!accountId.isEmpty());
    QCOMPARE(screen->targetAccountId(), accountId);
    const QList<Transaction> opening = m_test->app()->transactions()->findByAccount(accountId);
    QCOMPARE(opening.size(), 1);
    QCOMPARE(opening.constFirst().amount, qint64(10000));
    QCOMPARE(opening.constFirst().date, QDate(2023, 12, 31));
    QCOMPARE(tickedRows(screen), (QList<bool>{true, true, true}));

    auto *importButton = screen->findChild<QPushButton *>(QStringLiteral("importButton"));
    importButton->click();
    QCOMPARE(screen->statusLabel()->text(), QStringLiteral("Imported 3 transaction(s)"));
    const qint64 balance = 10000 - 450 + 200000 - 320;
    QCOMPARE(
        TestDatabase::scalar(
            "SELECT SUM(amount) FROM transactions WHERE account_id = ? AND deleted_at IS NULL", {accountId})
            .toLongLong(),
        balance);
    QCOMPARE(TestDatabase::scalar("SELECT memo FROM transactions WHERE payee = 'Bakery'").toString(),
             QStringLiteral("rolls"));
    // The sidebar shows the new balance at once.
    QCOMPARE(window.sidebar()->balanceText(accountId), Money::format(balance, Currency::USD));
    // Everything just written is now a likely duplicate: nothing left to import.
    QCOMPARE(tickedRows(screen), (QList<bool>{false, false, false}));
    QVERIFY(!importButton->isEnabled());

    // The next statement repeats one known row.
    const QString february = writeFile(QStringLiteral("february.csv"), "Name;Datum;Betrag;Notiz\r\n"
                                                                       "Bakery;2.1.2024;-4,50;rolls\r\n"
                                                                       "Bakery;3.2.2024;-4,50;rolls\r\n");
    screen->clearFiles();
    screen->addFiles({february});
    QCOMPARE(tickedRows(screen), (QList<bool>{false, true}));
    importButton->click();
    QCOMPARE(screen->statusLabel()->text(), QStringLiteral("Imported 1 transaction(s)"));
    QCOMPARE(
        TestDatabase::scalar("SELECT COUNT(*) FROM transactions WHERE account_id = ?", {accountId}).toInt(),
        5);

    // Reopening raises the same window.
    importAction->trigger();
    QCOMPARE(window.importScreen(), screen);

    // A new window remembers the last mapping and format.
    ImportScreen fresh(m_test->app());
    fresh.addFiles({january});
    const CsvSettings remembered = fresh.csvSettings();
    QCOMPARE(remembered.payeeColumn, 0);
    QCOMPARE(remembered.dateColumn, 1);
    QCOMPARE(remembered.dateFormat, QStringLiteral("d.M.yyyy"));
    QVERIFY(remembered.decimalComma);
    fresh.setTargetAccountId(accountId);
    QCOMPARE(tickedRows(&fresh), (QList<bool>{false, false, false}));
}

void TestImportScreen::clearRemapsColumnsAndUnknownCategoriesAreChosen()
{
    const QString accountId = m_test->addAccount(QStringLiteral("Checking")).id;
    ImportScreen screen(m_test->app());
    screen.setTargetAccountId(accountId);
    const auto fixture = [](const char *name) {
        return QFINDTESTDATA(QStringLiteral("../fixtures/import/") + name);
    };

    // After Clear, the same column names in another order: "Date" follows its column.
    screen.addFiles({fixture("clear_first_statement.csv")});
    QCOMPARE(screen.previewModel()->rowCount(), 1);
    screen.clearFiles();
    screen.addFiles({fixture("clear_next_statement_other_order.csv")});
    QCOMPARE(screen.findChild<QComboBox *>(QStringLiteral("dateColumn"))->currentText(),
             QStringLiteral("Date"));
    QCOMPARE(screen.csvSettings().amountColumn, 0);
    QCOMPARE(screen.previewModel()->rowCount(), 2);
    QCOMPARE(screen.previewModel()->rows().at(1).amount, qint64(1200));
    // A payee column of another name: its old position is the date's now, so none.
    screen.clearFiles();
    screen.addFiles({fixture("clear_next_statement_payee_renamed.csv")});
    QCOMPARE(screen.csvSettings().payeeColumn, -1);
    QCOMPARE(screen.csvSettings().dateColumn, 1);

    // Categories the file names that do not exist are made, once for all, before writing.
    screen.clearFiles();
    screen.addFiles({fixture("unknown_categories_created.qif")});
    auto *create = screen.findChild<QRadioButton *>(QStringLiteral("createCategoriesRadio"));
    QVERIFY(!create->isHidden() && create->isChecked());
    QCOMPARE(create->text(), QStringLiteral("Create 3 new categor(y/ies)")); // Bills is made too
    QCOMPARE(screen.previewModel()->preview().unknownCategories,
             (QStringList{QStringLiteral("Bills:Rent"), QStringLiteral("Freelance")}));
    // An unticked row's category is not made, nor counted.
    const QModelIndex rent = screen.previewModel()->index(0, 0);
    QVERIFY(screen.previewModel()->setData(rent, Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(create->text(), QStringLiteral("Create 1 new categor(y/ies)"));
    QVERIFY(screen.previewModel()->setData(rent, Qt::Checked, Qt::CheckStateRole));
    screen.importTicked();
    const auto categoryOf = [](const char *payee) {
        return TestDatabase::scalar(
                   "SELECT p.name || ':' || c.name || ':' || c.category_type FROM transactions t "
                   "JOIN categories c ON c.id = t.category_id LEFT JOIN categories p ON p.id = "
                   "c.parent_id WHERE t.payee = ?",
                   {QString::fromLatin1(payee)})
            .toString();
    };
    QCOMPARE(screen.statusLabel()->text(),
             QStringLiteral("Imported 2 transaction(s) and made 3 new categor(y/ies)"));
    QCOMPARE(categoryOf("Landlord"), QStringLiteral("Bills:Rent:expense"));
    QCOMPARE(TestDatabase::scalar("SELECT category_type FROM categories WHERE name = 'Freelance'").toString(),
             QStringLiteral("income"));

    // Or the rows come in without a category, and none is made.
    screen.clearFiles();
    screen.addFiles({fixture("unknown_category_left_out.qif")});
    screen.findChild<QRadioButton *>(QStringLiteral("withoutCategoriesRadio"))->setChecked(true);
    screen.importTicked();
    QCOMPARE(screen.statusLabel()->text(), QStringLiteral("Imported 1 transaction(s)"));
    QVERIFY(TestDatabase::scalar("SELECT category_id FROM transactions WHERE payee = 'Florist'").isNull());
    QCOMPARE(
        TestDatabase::scalar("SELECT COUNT(*) FROM categories WHERE name IN ('Gifts', 'Flowers')").toInt(),
        0);

    // A large file is read in the background, and its rows arrive.
    QByteArray large = "Date,Payee,Amount\n";
    while (large.size() < ImportPreviewReader::InlineChars)
        large += "3/1/2024,Bakery,-4.50\n";
    screen.clearFiles();
    screen.addFiles({writeFile(QStringLiteral("large.csv"), large)});
    QVERIFY(screen.isReading());
    QTRY_VERIFY_WITH_TIMEOUT(!screen.isReading(), 30000);
    QCOMPARE(screen.previewModel()->rowCount(), large.count('\n') - 1);
}

void TestImportScreen::eachFileShowsHowItWasRead()
{
    ImportScreen screen(m_test->app());
    screen.resize(1000, 700);
    screen.show();
    screen.addFiles(
        {writeFile(QStringLiteral("sale.csv"), "Date,Payee,Amount\n1/16/2026,Sale,1234567890.12\n"),
         QFINDTESTDATA("../fixtures/import/us_after_decimal_comma_csv.qif"),
         QFINDTESTDATA("../fixtures/import/day_first_shown.qif")});
    // The amount is never cut off.
    const auto *table = screen.findChild<QTableView *>();
    const int text = table->fontMetrics().horizontalAdvance(QStringLiteral("$1,234,567,890.12"));
    QTRY_VERIFY(table->columnWidth(ImportPreviewModel::Amount) > text + 4);
    // The order box shows the order the named QIF file was read in; a choice changes that file alone.
    auto *file = screen.findChild<QComboBox *>(QStringLiteral("orderFileCombo"));
    auto *order = screen.findChild<QComboBox *>(QStringLiteral("dateOrderCombo"));
    file->setCurrentIndex(1);
    QVERIFY(order->currentData().toBool());
    file->setCurrentIndex(0);
    order->setCurrentIndex(1);
    emit order->activated(1);
    QCOMPARE(screen.previewModel()->rows().at(1).date, QDate(1995, 3, 12));
    QCOMPARE(screen.previewModel()->rows().at(2).date, QDate(2023, 12, 25));
    // A file added whose dates fit both orders is the one the box then names.
    screen.addFiles({QFINDTESTDATA("../fixtures/import/order_fits_both.qif")});
    QCOMPARE(file->currentText(), QStringLiteral("order_fits_both.qif"));
}

void TestImportScreen::csvDatesInDoubtAreNamedUntilChosen()
{
    ImportScreen screen(m_test->app());
    // Amounts with a decimal comma under settings without one: the proposal
    // keeps the month-first order, as both orders read every date.
    screen.addFiles({QFINDTESTDATA("../fixtures/import/day_first_decimal_comma.csv")});
    auto *use = screen.findChild<QPushButton *>(QStringLiteral("useSuggestionButton"));
    QVERIFY(!use->isHidden());
    use->click();
    QCOMPARE(screen.previewModel()->rows().at(1).date, QDate(2026, 12, 11));
    auto *notice = screen.findChild<QLabel *>(QStringLiteral("dateOrderNotice"));
    QVERIFY(!notice->isHidden());
    QVERIFY(notice->text().contains(QStringLiteral("day_first_decimal_comma.csv")));
    QVERIFY(notice->text().contains(QStringLiteral("month first")));

    // Choosing day first reads them so, and the notice goes.
    auto *order = screen.findChild<QComboBox *>(QStringLiteral("dateOrderCombo"));
    order->setCurrentIndex(order->findData(true));
    emit order->activated(order->currentIndex());
    QCOMPARE(screen.csvSettings().dateFormat, QStringLiteral("d/M/yyyy"));
    QCOMPARE(screen.previewModel()->rows().at(1).date, QDate(2026, 11, 12));
    QVERIFY(notice->isHidden());
}

QTEST_MAIN(TestImportScreen)
#include "TestImportScreen.moc"
