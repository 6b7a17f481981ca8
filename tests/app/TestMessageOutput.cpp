#include "MessageOutput.h"

#include <QTest>

class TestMessageOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatLine_data();
    void formatLine();
    void verboseKeepsQtOutput();
};

void TestMessageOutput::formatLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("debug dropped") << int(QtDebugMsg) << "details" << false << QByteArray();
    QTest::newRow("info dropped") << int(QtInfoMsg) << "Auth: https://example" << false << QByteArray();
    QTest::newRow("warning marked") << int(QtWarningMsg) << "TransactionRepository::insert failed: x" << true
                                    << QByteArray("WARN: TransactionRepository::insert failed: x\n");
    QTest::newRow("critical as is") << int(QtCriticalMsg) << "disk full" << true << QByteArray("disk full\n");
    QTest::newRow("fatal as is") << int(QtFatalMsg) << "gone" << true << QByteArray("gone\n");
    QTest::newRow("empty warning") << int(QtWarningMsg) << "" << true << QByteArray("WARN: \n");
}

void TestMessageOutput::formatLine()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(bool, printed);
    QFETCH(QByteArray, line);

    const std::optional<QByteArray> result = MessageOutput::formatLine(QtMsgType(type), message);
    QCOMPARE(result.has_value(), printed);
    if (printed)
        QCOMPARE(*result, line);
}

namespace {

void sentinelHandler(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

void TestMessageOutput::verboseKeepsQtOutput()
{
    const QtMessageHandler previous = qInstallMessageHandler(sentinelHandler);
    qputenv("TALLYFERN_VERBOSE", "1");
    QVERIFY(!MessageOutput::install());
    QVERIFY(qInstallMessageHandler(sentinelHandler) == &sentinelHandler);

    qputenv("TALLYFERN_VERBOSE", "");
    QVERIFY(MessageOutput::install());
    QVERIFY(qInstallMessageHandler(previous) == &MessageOutput::handler);
    qunsetenv("TALLYFERN_VERBOSE");
}

QTEST_APPLESS_MAIN(TestMessageOutput)
#include "TestMessageOutput.moc"
