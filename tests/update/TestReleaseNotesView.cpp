#include "ReleaseNotesView.h"
#include "UrlCapture.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using BrioUpdate::ReleaseNotesView;

namespace {

// Clicks the link whose target is href, where it is drawn, as a user would.
bool clickLink(ReleaseNotesView &view, const QString &href)
{
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(view.document());
            cursor.setPosition(fragment.position() + 1);
            const QPoint at = view.cursorRect(cursor).center() - QPoint(2, 0);
            QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
            return true;
        }
    }
    return false;
}

} // namespace

class TestReleaseNotesView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void webAndMailLinksGoToBrowser_data();
    void webAndMailLinksGoToBrowser();
    void otherLinksAreIgnored_data();
    void otherLinksAreIgnored();
    void localImagesAreNotRead();
};

void TestReleaseNotesView::webAndMailLinksGoToBrowser_data()
{
    QTest::addColumn<QString>("href");

    QTest::newRow("https") << "https://tallowmere.example.test/blog/1.2";
    QTest::newRow("http") << "http://tallowmere.example.test/changes";
    QTest::newRow("mailto") << "mailto:support@tallowmere.example.test";
}

void TestReleaseNotesView::webAndMailLinksGoToBrowser()
{
    QFETCH(QString, href);

    UrlCapture browser;
    ReleaseNotesView view;
    view.resize(400, 300);
    view.setMarkdown(QStringLiteral("# Notes\n\nRead [the full story](%1) today.\n").arg(href));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QString before = view.toPlainText();

    QVERIFY(clickLink(view, href));
    QCOMPARE(browser.urls, QList<QUrl>{QUrl(href)});
    // The notes stay where they are.
    QCOMPARE(view.toPlainText(), before);
    QVERIFY(view.source().isEmpty());
}

void TestReleaseNotesView::otherLinksAreIgnored_data()
{
    QTest::addColumn<QString>("href");

    QTest::newRow("local file") << "file:///C:/Windows/System32/calc.exe";
    QTest::newRow("relative document") << "older-notes.md";
    QTest::newRow("script") << "javascript:alert(1)";
    QTest::newRow("network share") << "smb://fileserver/share/setup.exe";
}

void TestReleaseNotesView::otherLinksAreIgnored()
{
    QFETCH(QString, href);

    UrlCapture browser;
    ReleaseNotesView view;
    view.resize(400, 300);
    view.setMarkdown(QStringLiteral("# Notes\n\nSee [this file](%1) for more.\n").arg(href));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QString before = view.toPlainText();

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^BrioUpdate: ignoring link in release notes:"));
    QVERIFY(clickLink(view, href));
    QVERIFY(browser.urls.isEmpty());
    QCOMPARE(view.toPlainText(), before);
    QVERIFY(view.source().isEmpty());
}

void TestReleaseNotesView::localImagesAreNotRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("secret.png"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(path));
    const QUrl fileUrl = QUrl::fromLocalFile(path);

    ReleaseNotesView view;
    view.setSearchPaths({dir.path()});
    view.setMarkdown(QStringLiteral("![a](%1) ![b](secret.png)\n").arg(fileUrl.toString()));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.repaint();

    for (const QUrl &name : {fileUrl, QUrl(QStringLiteral("secret.png"))}) {
        const QVariant resource = view.document()->resource(QTextDocument::ImageResource, name);
        QVERIFY2(resource.toByteArray().isEmpty(), qPrintable(name.toString()));
        QVERIFY(resource.value<QImage>().isNull());
    }
}

QTEST_MAIN(TestReleaseNotesView)
#include "TestReleaseNotesView.moc"
