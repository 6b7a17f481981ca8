#include "AccountRepository.h"
#include "AccountSidebar.h"
#include "ElidedLabel.h"
#include "MainWindow.h"
#include "RegisterScreen.h"
#include "TestApp.h"
#include "TransactionDetailsDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QTextDocument>
#include <QtTest>

// Names, institutions, payees and memos are the user's or a server's text:
// shown as written, never taken for markup, so no image or link in them is
// loaded or laid out.
class TestPlainTextLabels : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void labelsShowMarkupAsWritten_data();
    void labelsShowMarkupAsWritten();
    void sidebarToolTipShowsNameAsWritten();

private:
    std::unique_ptr<TestApp> m_test;
};

namespace {

// As rich text a picture (loaded from the file) and the word; as plain text all of it, as written.
const QString Markup =
    QStringLiteral("<img src=\"file:///tmp/tracker.png\" width=\"300\" height=\"300\">Bills");

// The label showing exactly `text` (elided or not), or null.
QLabel *labelShowing(const QWidget *root, const QString &text)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        const auto *elided = qobject_cast<ElidedLabel *>(label);
        if (label->text() == text || (elided && elided->fullText() == text))
            return label;
    }
    return nullptr;
}

// How QLabel decides: rich text when told so, or when left to guess and the text looks like markup.
bool takenForMarkup(const QLabel *label)
{
    return label->textFormat() == Qt::RichText ||
           (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
}

} // namespace

void TestPlainTextLabels::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
}

void TestPlainTextLabels::cleanup()
{
    m_test.reset();
}

void TestPlainTextLabels::labelsShowMarkupAsWritten_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("register heading: account name") << QStringLiteral("name");
    QTest::newRow("register heading: institution") << QStringLiteral("institution");
    QTest::newRow("transaction details: payee") << QStringLiteral("payee");
    QTest::newRow("transaction details: memo") << QStringLiteral("memo");
}

void TestPlainTextLabels::labelsShowMarkupAsWritten()
{
    QFETCH(QString, where);
    Account account =
        m_test->addAccount(where == QLatin1String("name") ? Markup : QStringLiteral("Checking"));
    account.institution = where == QLatin1String("institution") ? Markup : QStringLiteral("First Bank");
    QVERIFY(m_test->app()->accounts()->update(account));
    Transaction t =
        m_test->addTransaction(account.id, QDate(2024, 5, 1),
                               where == QLatin1String("payee") ? Markup : QStringLiteral("Grocer"), -500);
    t.memo = where == QLatin1String("memo") ? Markup : QStringLiteral("weekly");

    std::unique_ptr<QWidget> shown;
    QString expected = Markup;
    if (where == QLatin1String("name") || where == QLatin1String("institution")) {
        auto screen = std::make_unique<RegisterScreen>(m_test->app());
        screen->setAccount(account.id);
        // The institution shares its line with the account type and currency.
        if (where == QLatin1String("institution"))
            expected = QStringLiteral("Checking  ·  %1  ·  USD").arg(Markup);
        shown = std::move(screen);
    } else {
        shown = std::make_unique<TransactionDetailsDialog>(m_test->app(), t);
    }
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));

    QLabel *label = labelShowing(shown.get(), expected);
    QVERIFY2(label, qPrintable(where));
    QVERIFY(!takenForMarkup(label));
}

void TestPlainTextLabels::sidebarToolTipShowsNameAsWritten()
{
    QVERIFY(!m_test->addAccount(Markup, 1234).id.isEmpty());
    MainWindow window(m_test->app());
    QListWidgetItem *item = window.sidebar()->list()->item(0);
    QVERIFY(item);
    // A tool tip that looks like markup is laid out as rich text: what it shows
    // must still be the name itself, tags included.
    const QString tip = item->toolTip();
    QTextDocument shown;
    if (Qt::mightBeRichText(tip))
        shown.setHtml(tip);
    else
        shown.setPlainText(tip);
    QVERIFY2(shown.toPlainText().contains(Markup), qPrintable(shown.toPlainText()));
    QVERIFY(shown.toPlainText().contains(QStringLiteral("$12.34")));
}

QTEST_MAIN(TestPlainTextLabels)
#include "TestPlainTextLabels.moc"
