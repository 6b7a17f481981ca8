#include "DialogProbe.h"
#include "UrlCapture.h"
#include "WhatsNewDialog.h"

#include <QPushButton>
#include <QTest>

using BrioUpdate::WhatsNewDialog;
using namespace DialogProbe;

namespace {

const QString displayName = QStringLiteral("Tallowmere Tallyfern");
const QString notes = QStringLiteral("## Register\n\n- Split lines can be reordered.\n- Faster search.\n");

} // namespace

class TestWhatsNewDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notesOfTheRunningVersion();
    void newerVersionOffersDownload();
    void closeAccepts();
};

void TestWhatsNewDialog::notesOfTheRunningVersion()
{
    WhatsNewDialog dialog(notes, "1.1.6", "1.1.6", displayName);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QCOMPARE(dialog.windowTitle(), QStringLiteral("What's New in Tallowmere Tallyfern 1.1.6"));
    QVERIFY(!dialog.isModal());
    QCOMPARE(dialog.size(), QSize(520, 420));

    QLabel *heading = labelWithText(&dialog, "What's new in Tallowmere Tallyfern 1.1.6");
    QVERIFY(heading);
    QCOMPARE(heading->font().weight(), QFont::Bold);
    QCOMPARE(heading->font().pointSizeF(), dialog.font().pointSizeF() + 2);
    QLabel *running = labelWithText(&dialog, "You are running version 1.1.6");
    QVERIFY(running);
    QCOMPARE(running->styleSheet(), QStringLiteral("color: #707070; font-size: 11px;"));
    // The versions may come from the update server: never read as markup.
    QCOMPARE(heading->textFormat(), Qt::PlainText);
    QCOMPARE(running->textFormat(), Qt::PlainText);

    auto *view = dialog.findChild<QTextBrowser *>();
    QVERIFY(view);
    QCOMPARE(view->toPlainText(), QStringLiteral("Register\nSplit lines can be reordered.\nFaster search."));

    QCOMPARE(buttonTexts(&dialog).size(), 1);
    auto *box = dialog.findChild<QDialogButtonBox *>();
    QVERIFY(box->button(QDialogButtonBox::Close));
}

void TestWhatsNewDialog::newerVersionOffersDownload()
{
    UrlCapture browser;
    const QUrl download("https://dl.example.test/tallyfern-1.2.0-setup.exe");
    WhatsNewDialog dialog(notes, "1.2.0", "1.1.6", displayName, nullptr, download);
    dialog.show();

    QCOMPARE(dialog.windowTitle(), QStringLiteral("What's New in Tallowmere Tallyfern 1.2.0"));
    QVERIFY(labelWithText(&dialog, "You are running version 1.1.6"));
    auto *box = dialog.findChild<QDialogButtonBox *>();
    QAbstractButton *downloadButton = button(&dialog, "Download 1.2.0");
    QVERIFY(downloadButton);
    QCOMPARE(box->buttonRole(downloadButton), QDialogButtonBox::AcceptRole);
    QVERIFY(box->button(QDialogButtonBox::Close));

    QTest::mouseClick(downloadButton, Qt::LeftButton);
    QCOMPARE(browser.urls, QList<QUrl>{download});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestWhatsNewDialog::closeAccepts()
{
    UrlCapture browser;
    WhatsNewDialog dialog(notes, "1.2.0", "1.1.6", displayName, nullptr,
                          QUrl("https://dl.example.test/tallyfern-1.2.0-setup.exe"));
    dialog.show();
    QWidget *close = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close);
    QTest::mouseClick(close, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QVERIFY(browser.urls.isEmpty());
}

QTEST_MAIN(TestWhatsNewDialog)
#include "TestWhatsNewDialog.moc"
