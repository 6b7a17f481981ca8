#include "ImportScreen.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "PopupMenuProbe.h"
#include "RecurringModel.h"
#include "RecurringScreen.h"
#include "RegisterFilterDialog.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "SearchScreen.h"
#include "SettingsScreen.h"
#include "TestApp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
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

// Two texts of one window or menu that answer the same Alt key.
void addClashes(QStringList &clashes, QWidget *window, const QStringList &texts)
{
    static const QRegularExpression key(QStringLiteral("&([^&\\s])"));
    const auto *menu = qobject_cast<QMenu *>(window);
    const QString where = menu ? menu->title() : window->windowTitle();
    QHash<QString, QString> taken;
    for (QString text : texts) {
        const QString letter = key.match(text.remove(QLatin1String("&&"))).captured(1).toUpper();
        if (!letter.isEmpty() && taken.contains(letter))
            clashes << where + QLatin1String(": ") + taken[letter] + QLatin1String(" / ") + text;
        taken.insert(letter, text);
    }
}

// A menu's entries, or the controls a window shows at once with its menu bar's titles.
void checkWindow(QStringList &clashes, QWidget *window)
{
    QStringList texts;
    const auto *main = qobject_cast<QMainWindow *>(window);
    const bool menu = qobject_cast<QMenu *>(window);
    for (QAction *action :
         main ? main->menuBar()->actions() : (menu ? window->actions() : QList<QAction *>())) {
        texts << (action->isVisible() ? action->text() : QString());
        if (action->isVisible() && action->menu())
            checkWindow(clashes, action->menu());
    }
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<QLabel *>(widget);
        if (widget->window() != window || !widget->isVisibleTo(window))
            continue;
        if (qobject_cast<QAbstractButton *>(widget) || (label && label->buddy()))
            texts << widget->property("text").toString();
        else if (qobject_cast<QGroupBox *>(widget))
            texts << widget->property("title").toString();
    }
    addClashes(clashes, window, texts);
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
    void noTwoControlsShareAKey_data();
    void noTwoControlsShareAKey();

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

void TestTranslatedLayouts::noTwoControlsShareAKey_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"en", "de", "es", "fr", "ja"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

void TestTranslatedLayouts::noTwoControlsShareAKey()
{
    QFETCH(QString, language);
    QCoreApplication::removeTranslator(m_translator.get());
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/i18n/tallyfern_%1.qm").arg(language)));
    QCoreApplication::installTranslator(&translator);
    const Account checking = m_test->addAccount(QStringLiteral("Checking"), 10000);
    const Transaction paid =
        m_test->addTransaction(checking.id, QDate(2025, 3, 1), QStringLiteral("Kroger"), -4500, true);
    MainWindow window(m_test->app());
    window.show();
    window.selectAccount(checking.id);
    window.registerScreen()->selectTransaction(paid.id);

    // Every command is run; each dialog it opens is looked at, then closed.
    QStringList clashes;
    ModalAnswerer answerer;
    const QList<QAction *> skipped{window.exitAction(), window.signInAction(), window.signOutAction()};
    for (QMenu *menu :
         {window.fileMenu(), window.accountMenu(), window.transactionMenu(), window.toolsMenu()}) {
        for (QAction *action : menu->actions()) {
            answerer.expect([&clashes](QWidget *modal) {
                checkWindow(clashes, modal);
                modal->close();
            });
            if (!action->menu() && !skipped.contains(action))
                action->trigger();
        }
    }
    int searchMenus = 0;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *search = qobject_cast<SearchScreen *>(top)) {
            search->findChild<QLineEdit *>(QStringLiteral("searchEdit"))->setText(QStringLiteral("Kroger"));
            search->performSearch();
            PopupMenuProbe probe;
            search->onContextMenu(search->resultsView()->visualRect(search->model()->index(0, 0)).center());
            addClashes(clashes, search, probe.entries());
            searchMenus += probe.entries().isEmpty() ? 0 : 1;
        }
        if (top->isVisible())
            checkWindow(clashes, top);
        if (top != &window)
            top->close();
    }
    QCOMPARE(searchMenus, 1);
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestTranslatedLayouts)
#include "TestTranslatedLayouts.moc"
