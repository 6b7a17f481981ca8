#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "DefaultCategories.h"
#include "ImportService.h"
#include "SplitLineRepository.h"
#include "TestDatabase.h"
#include "TestRecords.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// Files written for the test, read, previewed against the real database file
// and imported into it.
class TestImportService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void encodings_data();
    void encodings();
    void oddBytesRefuseOnlyTheirRow_data();
    void oddBytesRefuseOnlyTheirRow();
    void refusedFiles_data();
    void refusedFiles();
    void duplicatesAreLeftUnticked();
    void csvWithOtherColumnsIsNotReadWithTheMapping();
    void importWritesTransfersSplitsAndCategories();
    void amountsUseTheTargetCurrency_data();
    void amountsUseTheTargetCurrency();
    void failedRowWritesNothing_data();
    void failedRowWritesNothing();
    void cancelledImportWritesNothing();
    void rowPastSixtyFourBitsWritesNothing();
    void categoriesAreMadeWherePreviewed_data();
    void categoriesAreMadeWherePreviewed();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    ImportPreview previewOf(const QString &name, const QByteArray &bytes, const QString &accountId,
                            const CsvSettings &settings = CsvSettings());
    static int count(const QString &sql, const QVariantList &values = {});
    static ImportFile fixture(const QString &name)
    {
        return ImportService::readFile(QFINDTESTDATA(QStringLiteral("../fixtures/import/") + name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<AccountRepository> m_accounts;
    std::unique_ptr<TransactionRepository> m_transactions;
    std::unique_ptr<SplitLineRepository> m_splitLines;
    std::unique_ptr<CategoryRepository> m_categories;
    std::unique_ptr<TransactionWriter> m_writer;
    std::unique_ptr<ImportService> m_service;
};

namespace {

const QString Checking = QStringLiteral("acc-checking");
const QString Savings = QStringLiteral("acc-savings");
const QString Euro = QStringLiteral("acc-euro");
const QString Yen = QStringLiteral("acc-yen");

} // namespace

void TestImportService::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = std::make_unique<TestDatabase>();
    QVERIFY(m_db->isValid());
    Database *db = m_db->database();
    m_accounts = std::make_unique<AccountRepository>(db);
    m_transactions = std::make_unique<TransactionRepository>(db);
    m_splitLines = std::make_unique<SplitLineRepository>(db);
    m_categories = std::make_unique<CategoryRepository>(db);
    m_writer =
        std::make_unique<TransactionWriter>(db, m_accounts.get(), m_transactions.get(), m_splitLines.get());
    m_service = std::make_unique<ImportService>(db, m_accounts.get(), m_transactions.get(),
                                                m_categories.get(), m_writer.get());

    QVERIFY(m_accounts->insert(TestRecords::account(Checking, QStringLiteral("Checking"))));
    QVERIFY(m_accounts->insert(TestRecords::account(Savings, QStringLiteral("Savings"))));
    Account euro = TestRecords::account(Euro, QStringLiteral("Euro Account"));
    euro.currency = Currency::EUR;
    QVERIFY(m_accounts->insert(euro));
    Account yen = TestRecords::account(Yen, QStringLiteral("Yen"));
    yen.currency = Currency::JPY;
    QVERIFY(m_accounts->insert(yen));
    QVERIFY(m_categories->insert(TestRecords::category(QStringLiteral("c-food"), QStringLiteral("Food"))));
    QVERIFY(m_categories->insert(TestRecords::category(
        QStringLiteral("c-groceries"), QStringLiteral("Groceries"), QStringLiteral("c-food"))));
    QVERIFY(
        m_categories->insert(TestRecords::category(QStringLiteral("c-house"), QStringLiteral("Household"))));
}

void TestImportService::cleanup()
{
    m_service.reset();
    m_writer.reset();
    m_categories.reset();
    m_splitLines.reset();
    m_transactions.reset();
    m_accounts.reset();
    m_db.reset();
    m_dir.reset();
}

QString TestImportService::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

ImportPreview TestImportService::previewOf(const QString &name, const QByteArray &bytes,
                                           const QString &accountId, const CsvSettings &settings)
{
    const ImportFile file = ImportService::readFile(writeFile(name, bytes));
    return m_service->preview({file}, settings, accountId);
}

int TestImportService::count(const QString &sql, const QVariantList &values)
{
    return TestDatabase::scalar(sql, values).toInt();
}

void TestImportService::encodings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding"); // what the preview names; empty for UTF-8

    const QString csv = QStringLiteral("Date,Payee,Amount\n1/5/2024,Café Zoë €,-1.00\n");
    const QString qif = QStringLiteral("!Type:Bank\nD1/5'24\nPCafé Zoë €\nT-1.00\n^\n");
    QStringEncoder le(QStringEncoder::Utf16LE);
    QStringEncoder be(QStringEncoder::Utf16BE);
    QTest::newRow("utf-8") << "a.csv" << csv.toUtf8() << "";
    QTest::newRow("utf-8 with mark") << "a.csv" << QByteArray("\xEF\xBB\xBF") + csv.toUtf8() << "";
    QTest::newRow("utf-16le with mark")
        << "a.csv" << QByteArray("\xFF\xFE") + QByteArray(le.encode(csv)) << "UTF-16LE";
    QTest::newRow("utf-16be with mark")
        << "a.csv" << QByteArray("\xFE\xFF") + QByteArray(be.encode(csv)) << "UTF-16BE";
    // Café Zoë € in Windows-1252: é E9, ë EB, € 80.
    QTest::newRow("windows-1252") << "a.csv"
                                  << QByteArray("Date,Payee,Amount\n1/5/2024,Caf\xE9 Zo\xEB \x80,-1.00\n")
                                  << "Windows-1252";
    QTest::newRow("qif in utf-16le") << "a.txt" << QByteArray("\xFF\xFE") + QByteArray(le.encode(qif))
                                     << "UTF-16LE";
}

void TestImportService::encodings()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const ImportPreview preview = previewOf(name, bytes, Checking);
    QVERIFY(preview.problems.isEmpty());
    QCOMPARE(preview.rows.size(), 1);
    QCOMPARE(preview.rows.constFirst().row().payee, QStringLiteral("Café Zoë €"));
    QCOMPARE(preview.rows.constFirst().row().amount, qint64(-100));
    QFETCH(QString, encoding);
    QCOMPARE(preview.formats.constFirst().encoding, encoding);
}

void TestImportService::oddBytesRefuseOnlyTheirRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("payees");
    QTest::addColumn<QList<int>>("refused");

    QTest::newRow("one bad UTF-8 byte")
        << "one_bad_utf8_byte.csv" << QStringList{"Müller Bäckerei", "Café Zürich", "Müller Bäckerei"}
        << QList<int>{4};
    QTest::newRow("control bytes and direction marks")
        << "control_and_direction_marks.csv" << QStringList{"evil", "Plain"} << QList<int>{2, 4};
}

void TestImportService::oddBytesRefuseOnlyTheirRow()
{
    QFETCH(QString, name);
    QFETCH(QStringList, payees);
    QFETCH(QList<int>, refused);
    const ImportFile file = fixture(name);
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QVERIFY(file.encoding.isEmpty());
    const ImportPreview preview = m_service->preview({file}, CsvSettings(), Checking);
    QStringList read;
    for (const ImportPreviewRow &row : preview.rows)
        read.append(row.text(ImportPreviewRow::Payee));
    QCOMPARE(read, payees);
    QList<int> lines;
    for (const ImportProblem &problem : preview.problems)
        lines.append(problem.line);
    QCOMPARE(lines, refused);
}

void TestImportService::refusedFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size"); // grown to this size when not 0
    QTest::addColumn<QString>("expected");

    QTest::newRow("binary") << "photo.csv" << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << qint64(0)
                            << "photo.csv is neither a CSV nor a QIF file.";
    QTest::newRow("csv text named qif") << "bank.qif" << QByteArray("Date,Payee,Amount\n") << qint64(0)
                                        << "bank.qif is neither a CSV nor a QIF file.";
    QTest::newRow("one column") << "list.csv" << QByteArray("just words\nmore words\n") << qint64(0)
                                << "list.csv is neither a CSV nor a QIF file.";
    QTest::newRow("larger than 50 MB")
        << "huge.csv" << QByteArray("Date,Payee,Amount\n") << ImportService::MaxFileSize + 1
        << "huge.csv is larger than 50 MB and was not read.";
}

void TestImportService::refusedFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(QString, expected);
    const QString path = writeFile(name, bytes);
    if (size > 0)
        QVERIFY(QFile::resize(path, size));
    const ImportFile file = ImportService::readFile(path);
    QCOMPARE(file.error, expected);
    QVERIFY(file.text.isEmpty());
    QVERIFY(m_service->preview({file}, CsvSettings(), Checking).rows.isEmpty());
}

void TestImportService::duplicatesAreLeftUnticked()
{
    Transaction existing = TransactionWriter::prepareNew(TestRecords::transaction(
        QString(), Checking, QDate(2024, 1, 5), -4510, QStringLiteral("Corner Grocer")));
    QVERIFY(m_writer->insert(existing));
    // The same in another account is not a duplicate here.
    QVERIFY(m_writer->insert(TransactionWriter::prepareNew(
        TestRecords::transaction(QString(), Savings, QDate(2024, 1, 6), -100, QStringLiteral("Kiosk")))));

    const QByteArray csv = "Date,Payee,Amount\n"
                           "1/5/2024,corner grocer ,-45.10\n"
                           "1/5/2024,Corner Grocer,-45.10\n"
                           "1/5/2024,Corner Grocer,-45.11\n"
                           "1/6/2024,Kiosk,-1.00\n";
    const ImportPreview preview = previewOf(QStringLiteral("statement.csv"), csv, Checking);
    QCOMPARE(preview.rows.size(), 4);
    QList<bool> duplicate;
    QList<bool> ticked;
    for (const ImportPreviewRow &row : preview.rows) {
        duplicate.append(row.duplicate);
        ticked.append(row.ticked);
    }
    // One live transaction matches one row; the second identical row is new.
    QCOMPARE(duplicate, (QList<bool>{true, false, false, false}));
    QCOMPARE(ticked, (QList<bool>{false, true, true, true}));

    // An overlapping statement loaded with it: what the first file holds counts as known.
    const ImportPreview both = m_service->preview(
        {ImportService::fromBytes("statement.csv", csv), fixture("overlapping_next_statement.csv")}, {},
        Checking);
    duplicate.clear();
    for (const ImportPreviewRow &row : both.rows.mid(4))
        duplicate.append(row.duplicate);
    QCOMPARE(duplicate, (QList<bool>{true, true, false, false}));
}

void TestImportService::csvWithOtherColumnsIsNotReadWithTheMapping()
{
    // Another bank's file with amount and balance swapped: refused, not read with the first's mapping.
    const ImportPreview preview = m_service->preview(
        {fixture("amount_then_balance.csv"), fixture("balance_then_amount.csv")}, {}, Checking);
    QCOMPARE(preview.rows.size(), 1);
    QCOMPARE(preview.problems.constFirst().fileName, QStringLiteral("balance_then_amount.csv"));
}

void TestImportService::importWritesTransfersSplitsAndCategories()
{
    const QByteArray qif =
        "!Type:Bank\n"
        "D3/1'24\nT-45.10\nPCorner Grocer\nLFood:Groceries\nC*\n^\n"
        "D3/2'24\nT-500.00\nPTo savings\nL[savings]\n^\n"
        "D3/3'24\nT-20.00\nPTo euros\nL[Euro Account]\n^\n"
        "D3/4'24\nT-100.00\nPMarket\nSFood:Groceries\nEfruit\n$-60.00\nSUnknown\n$-40.00\n^\n"
        "D3/5'24\nT-7.00\nPKiosk\nLHousehold\n^\n";
    ImportPreview preview = previewOf(QStringLiteral("march.qif"), qif, Checking);
    QVERIFY(preview.problems.isEmpty());
    QCOMPARE(preview.rows.size(), 5);
    QVERIFY(preview.rows.at(1).note.isEmpty());
    QVERIFY(!preview.rows.at(2).note.isEmpty()); // another currency: no transfer
    preview.rows[4].ticked = false;

    const ImportResult result = m_service->importRows(Checking, preview);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.imported, 4);

    const std::optional<Transaction> grocer = [&]() -> std::optional<Transaction> {
        for (const Transaction &t : m_transactions->findByAccount(Checking))
            if (t.payee == QLatin1String("Corner Grocer"))
                return t;
        return std::nullopt;
    }();
    QVERIFY(grocer);
    QCOMPARE(grocer->amount, qint64(-4510));
    QCOMPARE(grocer->categoryId, QStringLiteral("c-groceries"));
    QVERIFY(grocer->cleared);
    QCOMPARE(grocer->date, QDate(2024, 3, 1));

    // The transfer has its other leg in the savings account.
    QCOMPARE(count("SELECT COUNT(*) FROM transactions WHERE account_id = ? AND amount = 50000 AND "
                   "transfer_dest_account_id = ? AND transfer_link_id IS NOT NULL",
                   {Savings, Checking}),
             1);
    QCOMPARE(count("SELECT COUNT(*) FROM transactions WHERE account_id = ? AND amount = -2000 AND "
                   "(transfer_dest_account_id IS NULL OR transfer_dest_account_id = '')",
                   {Checking}),
             1);
    QCOMPARE(count("SELECT COUNT(*) FROM transactions WHERE account_id = ?", {Euro}), 0);

    QCOMPARE(count("SELECT COUNT(*) FROM transactions t JOIN split_lines s ON s.transaction_id = t.id "
                   "WHERE t.payee = 'Market' AND t.is_split = 1"),
             2);
    QCOMPARE(count("SELECT COUNT(*) FROM split_lines WHERE category_id = 'c-groceries' AND amount = -6000 "
                   "AND memo = 'fruit'"),
             1);
    QCOMPARE(count("SELECT COUNT(*) FROM split_lines WHERE category_id IS NULL AND amount = -4000"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM transactions WHERE payee = 'Kiosk'"), 0);

    // The same file again: everything written is a likely duplicate.
    const int before = count("SELECT COUNT(*) FROM transactions");
    const ImportPreview again = previewOf(QStringLiteral("march.qif"), qif, Checking);
    QList<bool> ticked;
    for (const ImportPreviewRow &row : again.rows)
        ticked.append(row.ticked);
    QCOMPARE(ticked, (QList<bool>{false, false, false, false, true}));
    ImportPreview withoutKiosk = again;
    withoutKiosk.rows[4].ticked = false;
    const ImportResult second = m_service->importRows(Checking, withoutKiosk);
    QVERIFY(second.ok);
    QCOMPARE(second.imported, 0);
    QCOMPARE(count("SELECT COUNT(*) FROM transactions"), before);
}

void TestImportService::amountsUseTheTargetCurrency_data()
{
    QTest::addColumn<QString>("accountId");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("dollars") << Checking << qint64(123400);
    QTest::newRow("yen") << Yen << qint64(1234);
}

void TestImportService::amountsUseTheTargetCurrency()
{
    QFETCH(QString, accountId);
    QFETCH(qint64, expected);
    const ImportPreview preview =
        previewOf(QStringLiteral("a.csv"), "Date,Payee,Amount\n1/5/2024,Shop,\"1,234\"\n", accountId);
    QCOMPARE(preview.rows.size(), 1);
    QVERIFY(m_service->importRows(accountId, preview).ok);
    QCOMPARE(TestDatabase::scalar("SELECT amount FROM transactions WHERE account_id = ?", {accountId})
                 .toLongLong(),
             expected);
}

void TestImportService::failedRowWritesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("startingBalance");
    QTest::addColumn<QString>("error"); // what the message says of the row

    QTest::newRow("refused by the database")
        << "write_refused_names_row.qif" << qint64(0)
        << "Line 19 of write_refused_names_row.qif could not be written: refused;";
    // The balance may reach the largest figure there is, not pass it: the
    // large amount is named, not the ordinary one written after it.
    QTest::newRow("balance past 64 bits")
        << "balance_past_64_bits_names_largest.csv" << qint64(9223372036854774807)
        << "Line 2 of balance_past_64_bits_names_largest.csv could not be written: its amount";
}

void TestImportService::failedRowWritesNothing()
{
    QFETCH(QString, file);
    QFETCH(qint64, startingBalance);
    QFETCH(QString, error);
    QVERIFY(
        TestDatabase::exec("CREATE TRIGGER refuse_boom BEFORE INSERT ON transactions WHEN NEW.payee = 'Boom' "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    QVERIFY(TestDatabase::exec("UPDATE accounts SET starting_balance = ? WHERE id = ?",
                               {startingBalance, Checking}));
    const ImportPreview preview = m_service->preview({fixture(file)}, CsvSettings(), Checking);
    QVERIFY(preview.problems.isEmpty());
    const ImportResult result = m_service->importRows(Checking, preview);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(error), qPrintable(result.error));
    QCOMPARE(count("SELECT COUNT(*) FROM transactions"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM split_lines"), 0);
}

void TestImportService::cancelledImportWritesNothing()
{
    const ImportPreview preview =
        previewOf(QStringLiteral("new.qif"), "!Type:Bank\nD3/1'24\nT-1.00\nPOne\nLBrand New\n^\n", Checking);
    QCOMPARE(preview.unknownCategories, QStringList{QStringLiteral("Brand New")});
    const ImportResult result =
        m_service->importRows(Checking, preview, true, [](int, int) { return false; });
    QVERIFY(result.cancelled && !result.ok);
    QCOMPARE(count("SELECT COUNT(*) FROM transactions"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM categories WHERE name = 'Brand New'"), 0);
}

void TestImportService::rowPastSixtyFourBitsWritesNothing()
{
    // The balance may reach the largest figure there is, not pass it.
    QVERIFY(TestDatabase::exec("UPDATE accounts SET starting_balance = 9223372036854774807 WHERE id = ?",
                               {Checking}));
    const ImportPreview preview = previewOf(
        QStringLiteral("big.csv"), "Date,Payee,Amount\n1/5/2024,A,5.00\n1/6/2024,B,5.01\n", Checking);
    const ImportResult result = m_service->importRows(Checking, preview);
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("Line 3 of big.csv")));
    QCOMPARE(count("SELECT COUNT(*) FROM transactions"), 0);
}

void TestImportService::categoriesAreMadeWherePreviewed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("made");
    QTest::addColumn<QString>("stored"); // payee=category path, per row

    // A parent's name finds the category a name alone finds; only a name no
    // category has is made at the top level.
    QTest::newRow("child of a default category")
        << "other_income_and_its_child.qif" << 3
        << "Interest=Income>Other Income;Card refund=Income>Other Income>Credit balance;"
           "Kiln=Workshop>Pottery;Clay=Workshop";
}

void TestImportService::categoriesAreMadeWherePreviewed()
{
    QFETCH(QString, file);
    QFETCH(int, made);
    QFETCH(QString, stored);
    QVERIFY(TestDatabase::exec("DELETE FROM categories"));
    for (const Category &category : DefaultCategories::build(QDateTime::currentDateTimeUtc()))
        QVERIFY(m_categories->insert(category));
    const ImportPreview preview = m_service->preview({fixture(file)}, CsvSettings(), Checking);
    QCOMPARE(preview.categoriesToMake, made);
    const int before = count("SELECT COUNT(*) FROM categories");
    const ImportResult result = m_service->importRows(Checking, preview, true);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.categoriesCreated, made);
    QCOMPARE(count("SELECT COUNT(*) FROM categories"), before + made);
    QStringList rows;
    for (const ImportPreviewRow &row : preview.rows) {
        const QString payee = row.text(ImportPreviewRow::Payee);
        rows.append(
            payee + QLatin1Char('=') +
            TestDatabase::scalar("SELECT COALESCE(g.name || '>', '') || COALESCE(p.name || '>', '') || "
                                 "c.name FROM transactions t JOIN categories c ON c.id = t.category_id "
                                 "LEFT JOIN categories p ON p.id = c.parent_id LEFT JOIN categories g "
                                 "ON g.id = p.parent_id WHERE t.payee = ?",
                                 {payee})
                .toString());
    }
    QCOMPARE(rows.join(QLatin1Char(';')), stored);
}

QTEST_GUILESS_MAIN(TestImportService)
#include "TestImportService.moc"
