#include "ImportScreen.h"
#include "RecurringModel.h"
#include "RecurringScreen.h"
#include "RegisterFilterDialog.h"
#include "RegisterScreen.h"
#include "SettingsScreen.h"
#include "TestApp.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QTranslator>
#include <QtTest>

namespace {

// Stands in for a language whose words run longer than the English ones
// (German, French): every text of the named classes grows.
class LongerTexts : public QTranslator
{
public:
    explicit LongerTexts(const QSet<QString> &contexts)
        : m_contexts(contexts)
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (!m_contexts.contains(QString::fromUtf8(context)))
            return QString();
        return QString::fromUtf8(source) + QStringLiteral(" in längerer Sprache");
    }

private:
    QSet<QString> m_contexts;
};

// Every heading at least as wide as its text needs, but `skip` (a column that
// takes what is left).
void verifyHeadingsFit(const QTableView *table, int skip = -1)
{
    QVERIFY(table);
    const QHeaderView *header = table->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) {
        if (column != skip && !header->isSectionHidden(column))
            QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                     qPrintable(table->model()->headerData(column, Qt::Horizontal).toString()));
    }
}

} // namespace

class TestTranslatedLayouts : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void registerHeadingsFit();
    void settingsPageNamesFit();
    void recurringHeadingsFitAtTheWindowSize();
    void importHeadingsFit();
    void filterHintFits();

private:
    std::unique_ptr<TestApp> m_test;
    std::unique_ptr<LongerTexts> m_translator;
};

void TestTranslatedLayouts::init()
{
    m_test = std::make_unique<TestApp>();
    QVERIFY(m_test->isValid());
    m_translator = std::make_unique<LongerTexts>(
        QSet<QString>{QStringLiteral("RegisterModel"), QStringLiteral("SettingsScreen"),
                      QStringLiteral("RecurringModel"), QStringLiteral("ImportPreviewModel"),
                      QStringLiteral("RegisterFilterDialog")});
    QCoreApplication::installTranslator(m_translator.get());
}

void TestTranslatedLayouts::cleanup()
{
    QCoreApplication::removeTranslator(m_translator.get());
    m_translator.reset();
    m_test.reset();
}

void TestTranslatedLayouts::registerHeadingsFit()
{
    const Account checking = m_test->addAccount(QStringLiteral("Checking"));
    RegisterScreen screen(m_test->app());
    screen.resize(2400, 600);
    screen.setAccount(checking.id);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    verifyHeadingsFit(screen.findChild<QTableView *>());
}

void TestTranslatedLayouts::settingsPageNamesFit()
{
    SettingsScreen screen(m_test->app());
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    const auto *nav = screen.findChild<QListWidget *>(QStringLiteral("settingsNavigation"));
    QVERIFY(nav);
    QVERIFY(nav->width() > 180);
    QCOMPARE(nav->horizontalScrollBar()->maximum(), 0);
}

void TestTranslatedLayouts::recurringHeadingsFitAtTheWindowSize()
{
    RecurringScreen screen(m_test->app());
    screen.resize(700, 500);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    verifyHeadingsFit(screen.findChild<QTableView *>(), RecurringModel::PayeeColumn);
}

void TestTranslatedLayouts::importHeadingsFit()
{
    ImportScreen screen(m_test->app());
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    verifyHeadingsFit(screen.findChild<QTableView *>());
}

void TestTranslatedLayouts::filterHintFits()
{
    RegisterFilterDialog dialog(RegisterFilter{});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto *text = dialog.findChild<QLineEdit *>(QStringLiteral("textEdit"));
    QVERIFY(text);
    QVERIFY(text->width() > text->fontMetrics().horizontalAdvance(text->placeholderText()));
}

QTEST_MAIN(TestTranslatedLayouts)
#include "TestTranslatedLayouts.moc"
