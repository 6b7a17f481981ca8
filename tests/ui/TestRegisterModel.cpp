#include "RegisterColumns.h"
#include "RegisterModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

namespace {

RegisterRow row(const QString &id, const QDate &date, const QString &payee, qint64 amount, qint64 balance,
                const QString &check = QString(), bool cleared = false)
{
    RegisterRow r;
    r.transaction.id = id;
    r.transaction.date = date;
    r.transaction.payee = payee;
    r.transaction.amount = amount;
    r.transaction.checkNumber = check;
    r.transaction.cleared = cleared;
    r.balance = balance;
    return r;
}

// Repository order: oldest first. "b" and "c" share a date; "d" and "e" share a payee.
QList<RegisterRow> sampleRows()
{
    return {
        row("a", QDate(2024, 1, 5), "Grocer", -2500, 7500, "101"),
        row("b", QDate(2024, 2, 1), "Landlord", -90000, -82500, "99", true),
        row("c", QDate(2024, 2, 1), "Employer", 150000, 67500),
        row("d", QDate(2024, 3, 9), "Cafe", -450, 67050, "", true),
        row("e", QDate(2024, 3, 2), "Cafe", -450, 66600),
    };
}

QStringList shownIds(const RegisterModel &model)
{
    QStringList ids;
    for (int r = 0; r < model.rowCount(); ++r) {
        if (model.isBlankRow(r))
            ids << QStringLiteral("_");
        else
            ids << model.rowAt(r).transaction.id;
    }
    return ids;
}

} // namespace

class TestRegisterModel : public QObject
{
    Q_OBJECT

private slots:
    void sortOrder_data();
    void sortOrder();
    void rowAtSkipsBlankRowOnTop();
    void rowAtOutOfRangeIsEmpty();
    void inlineRowVisibilityResetsOnlyOnChange();
    void setEntriesDropsPendingEdit();
    void pendingEditShowsBufferAndMapsAcrossSort();
    void displayTextsAndNegativeFlags();
    void twoLineHeader();
    void categoryColumnFitsWidestText_data();
    void categoryColumnFitsWidestText();
};

void TestRegisterModel::sortOrder_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("expected");

    // The blank row is at the bottom when ascending, on top when descending.
    // Equal keys: the later date first; equal dates keep the repository order.
    QTest::newRow("date ascending") << int(RegisterModel::DateColumn) << int(Qt::AscendingOrder)
                                    << QStringList{"a", "b", "c", "e", "d", "_"};
    QTest::newRow("date descending") << int(RegisterModel::DateColumn) << int(Qt::DescendingOrder)
                                     << QStringList{"_", "d", "e", "b", "c", "a"};
    QTest::newRow("payee ascending, tie later date first")
        << int(RegisterModel::PayeeColumn) << int(Qt::AscendingOrder)
        << QStringList{"d", "e", "c", "a", "b", "_"};
    QTest::newRow("payee descending, tie later date first")
        << int(RegisterModel::PayeeColumn) << int(Qt::DescendingOrder)
        << QStringList{"_", "b", "a", "c", "d", "e"};
    QTest::newRow("check numbers numerically, empty last")
        << int(RegisterModel::CheckColumn) << int(Qt::AscendingOrder)
        << QStringList{"b", "a", "d", "e", "c", "_"};
    QTest::newRow("payment ascending, ties by later date")
        << int(RegisterModel::PaymentColumn) << int(Qt::AscendingOrder)
        << QStringList{"c", "d", "e", "a", "b", "_"};
    QTest::newRow("cleared descending") << int(RegisterModel::ClearedColumn) << int(Qt::DescendingOrder)
                                        << QStringList{"_", "d", "b", "e", "c", "a"};
    QTest::newRow("balance ascending") << int(RegisterModel::BalanceColumn) << int(Qt::AscendingOrder)
                                       << QStringList{"b", "a", "e", "d", "c", "_"};
}

void TestRegisterModel::sortOrder()
{
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QStringList, expected);

    RegisterModel model;
    model.setEntries(sampleRows());
    model.sort(column, Qt::SortOrder(order));
    QCOMPARE(shownIds(model), expected);
    QCOMPARE(model.sortColumn(), column);

    // setEntries keeps the sort and gives the same order for the same rows.
    model.setEntries(sampleRows());
    QCOMPARE(shownIds(model), expected);

    // Sorting by something else first does not change the outcome (ties come
    // from the repository order, not from the previous sort).
    model.sort(RegisterModel::MemoColumn, Qt::DescendingOrder);
    model.sort(column, Qt::SortOrder(order));
    QCOMPARE(shownIds(model), expected);
}

void TestRegisterModel::rowAtSkipsBlankRowOnTop()
{
    RegisterModel model;
    model.setEntries(sampleRows());
    model.sort(RegisterModel::DateColumn, Qt::DescendingOrder);
    QCOMPARE(model.rowCount(), 6);
    QCOMPARE(model.blankRow(), 0);
    QVERIFY(model.rowAt(0).transaction.id.isEmpty());
    QCOMPARE(model.rowAt(1).transaction.id, QStringLiteral("d"));
    QCOMPARE(model.rowOf(QStringLiteral("d")), 1);

    model.setInlineRowVisible(false);
    QCOMPARE(model.rowCount(), 5);
    QCOMPARE(model.blankRow(), -1);
    QCOMPARE(model.rowAt(0).transaction.id, QStringLiteral("d"));
    QCOMPARE(model.rowOf(QStringLiteral("d")), 0);
}

void TestRegisterModel::rowAtOutOfRangeIsEmpty()
{
    RegisterModel model;
    model.setEntries(sampleRows());
    for (int r : {-1, 5, 6, 1000}) {
        const RegisterRow empty = model.rowAt(r);
        QVERIFY2(empty.transaction.id.isEmpty(), qPrintable(QString::number(r)));
        QCOMPARE(empty.balance, qint64(0));
    }
    QVERIFY(!model.data(model.index(40, 0)).isValid());
}

void TestRegisterModel::inlineRowVisibilityResetsOnlyOnChange()
{
    RegisterModel model;
    model.setEntries(sampleRows());
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.setInlineRowVisible(true);
    QCOMPARE(resets.count(), 0);
    model.setInlineRowVisible(false);
    QCOMPARE(resets.count(), 1);
    model.setInlineRowVisible(false);
    QCOMPARE(resets.count(), 1);
}

void TestRegisterModel::setEntriesDropsPendingEdit()
{
    RegisterModel model;
    model.setAccount(QStringLiteral("acct"), Currency::USD);
    model.setEntries(sampleRows());
    QVERIFY(
        model.setData(model.index(model.blankRow(), RegisterModel::PayeeColumn), QStringLiteral("Hardware")));
    QVERIFY(model.hasPendingEdit());
    QVERIFY(model.pendingIsNew());
    model.setEntries(sampleRows());
    QVERIFY(!model.hasPendingEdit());
    QCOMPARE(model.data(model.index(model.blankRow(), RegisterModel::PayeeColumn)).toString(), QString());
}

void TestRegisterModel::pendingEditShowsBufferAndMapsAcrossSort()
{
    RegisterModel model;
    model.setAccount(QStringLiteral("acct"), Currency::USD);
    model.setEntries(sampleRows());
    const int row = model.rowOf(QStringLiteral("c"));
    QVERIFY(model.setData(model.index(row, RegisterModel::PaymentColumn), qint64(1234)));
    QCOMPARE(model.pendingTransaction().amount, qint64(-1234));
    QCOMPARE(model.pendingOriginal().amount, qint64(150000));
    QCOMPARE(model.data(model.index(row, RegisterModel::PaymentColumn)).toString(), QStringLiteral("12.34"));
    QCOMPARE(model.data(model.index(row, RegisterModel::DepositColumn)).toString(), QString());
    // Another row cannot be edited while one is pending.
    QVERIFY(!model.setData(model.index(model.rowOf(QStringLiteral("a")), RegisterModel::PayeeColumn), "X"));

    model.sort(RegisterModel::DateColumn, Qt::DescendingOrder);
    QCOMPARE(model.pendingRow(), model.rowOf(QStringLiteral("c")));
    QCOMPARE(model.data(model.index(model.pendingRow(), RegisterModel::PaymentColumn)).toString(),
             QStringLiteral("12.34"));
    model.clearPendingEdit();
    QCOMPARE(
        model.data(model.index(model.rowOf(QStringLiteral("c")), RegisterModel::DepositColumn)).toString(),
        QStringLiteral("1,500.00"));
}

void TestRegisterModel::displayTextsAndNegativeFlags()
{
    RegisterModel model;
    model.setAccount(QStringLiteral("acct"), Currency::USD);
    model.setEntries(sampleRows());
    const int b = model.rowOf(QStringLiteral("b"));
    QCOMPARE(model.data(model.index(b, RegisterModel::DateColumn)).toString(), QStringLiteral("2/1/2024"));
    QCOMPARE(model.data(model.index(b, RegisterModel::PaymentColumn)).toString(), QStringLiteral("900.00"));
    QCOMPARE(model.data(model.index(b, RegisterModel::BalanceColumn)).toString(), QStringLiteral("-$825.00"));
    QCOMPARE(model.data(model.index(b, RegisterModel::ClearedColumn)).toString(), QStringLiteral("✓"));
    QVERIFY(model.data(model.index(b, RegisterModel::BalanceColumn), RegisterModel::NegativeRole).toBool());
    QVERIFY(model.data(model.index(b, RegisterModel::PaymentColumn), RegisterModel::NegativeRole).toBool());
    QVERIFY(
        model.data(model.index(b, RegisterModel::BalanceColumn), Qt::ForegroundRole).canConvert<QColor>());
    const int c = model.rowOf(QStringLiteral("c"));
    QVERIFY(!model.data(model.index(c, RegisterModel::BalanceColumn), RegisterModel::NegativeRole).toBool());
    QVERIFY(!(model.flags(model.index(c, RegisterModel::BalanceColumn)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(c, RegisterModel::PayeeColumn)) & Qt::ItemIsEditable);

    model.setAccount(QStringLiteral("acct"), Currency::JPY);
    QCOMPARE(model.data(model.index(c, RegisterModel::DepositColumn)).toString(), QStringLiteral("150,000"));
}

void TestRegisterModel::twoLineHeader()
{
    RegisterModel model;
    QCOMPARE(model.columnCount(), 9);
    const QStringList headers{"Date",    "Chk #",   "Payee", "Category", "Memo",
                              "Payment", "Deposit", "Clr",   "Balance"};
    for (int c = 0; c < headers.size(); ++c)
        QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), headers.at(c));
    model.setTwoLine(true);
    QCOMPARE(model.headerData(RegisterModel::PayeeColumn, Qt::Horizontal).toString(),
             QStringLiteral("Payee / Memo"));
}

void TestRegisterModel::categoryColumnFitsWidestText_data()
{
    // Per row a category path ("c:...") or a transfer's amount; the last row shows the widest text.
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("incoming transfer after outgoing") << QStringList{"-500", "-700", "900"};
    QTest::newRow("long path after empty ones")
        << QStringList{"c:", "c:", "c:Car > Insurance and Roadside Cover"};
}

void TestRegisterModel::categoryColumnFitsWidestText()
{
    QFETCH(QStringList, rows);
    const QString savings = u"sav"_qs; // one string for every transfer, as read from the file
    QList<RegisterRow> entries;
    for (const QString &entry : std::as_const(rows)) {
        RegisterRow &r = entries.emplace_back(row(entry, {}, {}, entry.toLongLong(), 0));
        (entry.startsWith(u'c') ? r.categoryName : r.transaction.transferDestAccountId) =
            entry.startsWith(u'c') ? entry.mid(2) : savings;
    }
    auto categoryWidth = [](const QList<RegisterRow> &shown) {
        QTableView view;
        RegisterModel model;
        model.setAccountNames({{u"sav"_qs, u"Household Savings Account"_qs}});
        view.setModel(&model);
        RegisterColumns columns(&view);
        view.resize(1600, 400);
        view.show();
        columns.measureFigures(shown, Currency::USD);
        return view.horizontalHeader()->sectionSize(RegisterModel::CategoryColumn);
    };
    QCOMPARE(categoryWidth(entries), categoryWidth({entries.constLast()}));
}

QTEST_MAIN(TestRegisterModel)
#include "TestRegisterModel.moc"
