#include "FeedbackConfig.h"
#include "UrlCapture.h"

#include <QGuiApplication>
#include <QTest>

using BrioUpdate::FeedbackConfig;

class TestFeedbackPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTaggedPage_data();
    void opensTaggedPage();
    void nonWebAddressOpensNothing_data();
    void nonWebAddressOpensNothing();
};

void TestFeedbackPage::opensTaggedPage_data()
{
    QTest::addColumn<QUrl>("base");
    QTest::addColumn<QString>("slug");
    QTest::addColumn<QUrl>("expected");

    QTest::newRow("root") << QUrl("https://feedback.example.test") << "tallyfern"
                          << QUrl("https://feedback.example.test/?tags=tallyfern");
    QTest::newRow("root with slash") << QUrl("https://feedback.example.test/") << "tallyfern"
                                     << QUrl("https://feedback.example.test/?tags=tallyfern");
    QTest::newRow("path gets a slash") << QUrl("https://feedback.example.test/feedback") << "tallyfern"
                                       << QUrl("https://feedback.example.test/feedback/?tags=tallyfern");
    QTest::newRow("query is replaced")
        << QUrl("https://feedback.example.test/feedback?tags=other&lang=de") << "tallyfern"
        << QUrl("https://feedback.example.test/feedback/?tags=tallyfern");
    QTest::newRow("port and fragment stay") << QUrl("http://127.0.0.1:8080/board#new") << "tallyfern"
                                            << QUrl("http://127.0.0.1:8080/board/?tags=tallyfern#new");
    QTest::newRow("slug is encoded") << QUrl("https://feedback.example.test") << "tally fern&co"
                                     << QUrl("https://feedback.example.test/?tags=tally%20fern%26co");
}

void TestFeedbackPage::opensTaggedPage()
{
    QFETCH(QUrl, base);
    QFETCH(QString, slug);
    QFETCH(QUrl, expected);

    UrlCapture browser;
    BrioUpdate::openFeedbackPage(FeedbackConfig{slug, base});
    QCOMPARE(browser.urls.size(), 1);
    QCOMPARE(browser.urls.first().toString(QUrl::FullyEncoded), expected.toString(QUrl::FullyEncoded));
    QCOMPARE(browser.urls.first().query(QUrl::FullyDecoded), QStringLiteral("tags=%1").arg(slug));
}

void TestFeedbackPage::nonWebAddressOpensNothing_data()
{
    QTest::addColumn<QUrl>("base");

    QTest::newRow("empty") << QUrl();
    QTest::newRow("local file") << QUrl("file:///C:/feedback.html");
    QTest::newRow("no host") << QUrl("https:feedback");
}

void TestFeedbackPage::nonWebAddressOpensNothing()
{
    QFETCH(QUrl, base);

    UrlCapture browser;
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("^BrioUpdate: feedback page address is not a web URL"));
    BrioUpdate::openFeedbackPage(FeedbackConfig{QStringLiteral("tallyfern"), base});
    QVERIFY(browser.urls.isEmpty());
}

QTEST_MAIN(TestFeedbackPage)
#include "TestFeedbackPage.moc"
