#include "DialogProbe.h"
#include "FakeHttpServer.h"
#include "UpdateDialog.h"
#include "UrlCapture.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using BrioUpdate::Artifact;
using BrioUpdate::UpdateDialog;
using FakeHttp::Response;
using namespace DialogProbe;

namespace {

const QString displayName = QStringLiteral("Tallowmere Tallyfern");

Artifact newerArtifact(const QUrl &notesUrl = QUrl())
{
    Artifact artifact;
    artifact.version = QStringLiteral("1.2.0");
    artifact.releasedAt = QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
    artifact.url = QUrl(QStringLiteral("https://dl.example.test/tallyfern-1.2.0-setup.exe"));
    artifact.size = 1048576;
    artifact.sha256 = QString(64, QLatin1Char('a'));
    artifact.releaseNotesUrl = notesUrl;
    return artifact;
}

} // namespace

class TestUpdateDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void compactWithoutNotes();
    void mandatoryOffersOnlyDownload();
    void notesLoadFromTheirAddress();
    void missingNotesSaySo();
    void downloadOpensBrowserAndCloses();
    void laterRejects();
    void unsafeDownloadOpensNothing_data();
    void unsafeDownloadOpensNothing();
    void unsafeNotesAddressIsNotFetched_data();
    void unsafeNotesAddressIsNotFetched();
    void versionMarkupIsShownAsText();

private:
    std::unique_ptr<FakeHttp::FakeHttpServer> server;
    std::unique_ptr<UrlCapture> browser;
};

void TestUpdateDialog::init()
{
    server = std::make_unique<FakeHttp::FakeHttpServer>();
    QVERIFY(server->listen());
    browser.reset(); // its destructor unregisters the handlers
    browser = std::make_unique<UrlCapture>();
}

void TestUpdateDialog::compactWithoutNotes()
{
    UpdateDialog dialog(newerArtifact(), QStringLiteral("1.1.6"), displayName);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Update available"));
    QVERIFY(dialog.isModal());
    QLabel *heading = labelWithText(&dialog, "A new version of Tallowmere Tallyfern is available.");
    QVERIFY(heading);
    QCOMPARE(heading->font().weight(), QFont::Bold);
    QCOMPARE(heading->font().pointSizeF(), dialog.font().pointSizeF() + 1);
    QVERIFY(labelWithText(&dialog, "You have version 1.1.6. The latest version is 1.2.0."));
    QVERIFY(!dialog.findChild<QTextBrowser *>());
    QVERIFY(dialog.size() != QSize(520, 420));
    QCOMPARE(buttonTexts(&dialog), (QStringList{"Download", "Later"}));

    auto *box = dialog.findChild<QDialogButtonBox *>();
    auto *download = qobject_cast<QPushButton *>(button(&dialog, "Download"));
    QVERIFY(download);
    QVERIFY(download->isDefault());
    QCOMPARE(box->buttonRole(download), QDialogButtonBox::AcceptRole);
    QCOMPARE(box->buttonRole(button(&dialog, "Later")), QDialogButtonBox::RejectRole);
    QCOMPARE(server->requestCount(), 0);
}

void TestUpdateDialog::mandatoryOffersOnlyDownload()
{
    Artifact artifact = newerArtifact();
    artifact.mandatory = true;
    UpdateDialog dialog(artifact, QStringLiteral("1.1.6"), displayName);
    QCOMPARE(buttonTexts(&dialog), QStringList{"Download"});
}

void TestUpdateDialog::notesLoadFromTheirAddress()
{
    server->on(
        "GET", "/tallyfern/1.2.0/release-notes.md",
        Response::raw(200, "\n\n# Faster reports\n\n- Reports open *twice* as fast.\n\n", "text/markdown")
            .held());
    UpdateDialog dialog(newerArtifact(server->url("/tallyfern/1.2.0/release-notes.md")),
                        QStringLiteral("1.1.6"), displayName);
    dialog.show();

    auto *notes = dialog.findChild<QTextBrowser *>();
    QVERIFY(notes);
    QCOMPARE(notes->placeholderText(), QStringLiteral("Loading release notes…"));
    QCOMPARE(notes->minimumHeight(), 150);
    QCOMPARE(dialog.size(), QSize(520, 420));
    QVERIFY(notes->toPlainText().isEmpty());

    QVERIFY(server->waitForRequests(1));
    server->release();
    QTRY_VERIFY(!notes->toPlainText().isEmpty());
    QCOMPARE(notes->toPlainText(), QStringLiteral("Faster reports\nReports open twice as fast."));
    QCOMPARE(server->lastRequest().header("user-agent"), QByteArray("BrioUpdateQt/0.1 (update-dialog)"));
}

void TestUpdateDialog::missingNotesSaySo()
{
    UpdateDialog dialog(newerArtifact(server->url("/tallyfern/1.2.0/release-notes.md")),
                        QStringLiteral("1.1.6"), displayName);
    auto *notes = dialog.findChild<QTextBrowser *>();
    QVERIFY(notes);
    QTRY_COMPARE(notes->toPlainText(), QStringLiteral("Release notes are not available for this version."));
    QTextCursor cursor(notes->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    QVERIFY(cursor.charFormat().fontItalic());
}

void TestUpdateDialog::downloadOpensBrowserAndCloses()
{
    UpdateDialog dialog(newerArtifact(), QStringLiteral("1.1.6"), displayName);
    dialog.show();
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(button(&dialog, "Download"), Qt::LeftButton);
    QCOMPARE(browser->urls, QList<QUrl>{QUrl("https://dl.example.test/tallyfern-1.2.0-setup.exe")});
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestUpdateDialog::laterRejects()
{
    UpdateDialog dialog(newerArtifact(), QStringLiteral("1.1.6"), displayName);
    dialog.show();
    QTest::mouseClick(button(&dialog, "Later"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(browser->urls.isEmpty());
}

void TestUpdateDialog::unsafeDownloadOpensNothing_data()
{
    QTest::addColumn<QUrl>("url");

    QTest::newRow("empty") << QUrl();
    QTest::newRow("local file") << QUrl("file:///C:/Windows/System32/cmd.exe");
    QTest::newRow("script") << QUrl("javascript:alert(1)");
    QTest::newRow("relative") << QUrl("tallyfern-setup.exe");
    QTest::newRow("network share") << QUrl("smb://fileserver/share/setup.exe");
    QTest::newRow("web scheme without host") << QUrl("https:setup.exe");
}

void TestUpdateDialog::unsafeDownloadOpensNothing()
{
    QFETCH(QUrl, url);

    Artifact artifact = newerArtifact();
    artifact.url = url;
    UpdateDialog dialog(artifact, QStringLiteral("1.1.6"), displayName);
    dialog.show();
    QTest::ignoreMessage(QtWarningMsg, "BrioUpdate: download URL is empty or invalid");
    QTest::mouseClick(button(&dialog, "Download"), Qt::LeftButton);
    QVERIFY(browser->urls.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestUpdateDialog::unsafeNotesAddressIsNotFetched_data()
{
    QTest::addColumn<QString>("notesUrl");

    QTest::newRow("local file") << "file:///etc/hostname";
    QTest::newRow("resource") << "qrc:/release-notes.md";
    QTest::newRow("relative") << "release-notes.md";
}

void TestUpdateDialog::unsafeNotesAddressIsNotFetched()
{
    QFETCH(QString, notesUrl);

    UpdateDialog dialog(newerArtifact(QUrl(notesUrl)), QStringLiteral("1.1.6"), displayName);
    dialog.show();
    QVERIFY(!dialog.findChild<QTextBrowser *>());
    QCoreApplication::processEvents();
    QCOMPARE(server->requestCount(), 0);
}

void TestUpdateDialog::versionMarkupIsShownAsText()
{
    Artifact artifact = newerArtifact();
    artifact.version = QStringLiteral("<img src=\"file:///etc/hostname\"><b>9.9.9</b>");
    UpdateDialog dialog(artifact, QStringLiteral("1.1.6"), displayName);
    QLabel *versions =
        labelWithText(&dialog, "You have version 1.1.6. The latest version is " + artifact.version + ".");
    QVERIFY(versions);
    QCOMPARE(versions->textFormat(), Qt::PlainText);
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

QTEST_MAIN(TestUpdateDialog)
#include "TestUpdateDialog.moc"
