#include "AccountRepository.h"
#include "AppState.h"
#include "AppVersion.h"
#include "Application.h"
#include "Database.h"
#include "MainWindow.h"
#include "MigrationRunner.h"
#include "PreferencesRepository.h"
#include "RegisterModel.h"
#include "RegisterScreen.h"
#include "RegisterTableView.h"
#include "support/PreferenceKeyProbe.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLockFile>
#include <QMainWindow>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <optional>

class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void identityIconAndFont();
    void resolveLanguage_data();
    void resolveLanguage();
    void setLanguageIsReadBack();
    void unwritableDataDirectoryReportsAndExitsWithOne();
    // Before the one test that keeps a database open.
    void unusableDatabaseFileIsLeftAlone_data();
    void unusableDatabaseFileIsLeftAlone();
    void lockFileAtStart_data();
    void lockFileAtStart();
    void damageFoundAfterShowIsReportedAndStopsWrites();
    void startsWithMainWindowOnFreshDirectory();
    void signalSavesTheRowBeingTyped_data();
    void signalSavesTheRowBeingTyped();

private:
    Application *app() const { return static_cast<Application *>(QCoreApplication::instance()); }

    QString m_presentedTitle;
    QString m_presentedText;
    int m_presentations = 0;
};

void TestApplication::init()
{
    QSettings().remove(QStringLiteral("ui/language"));
    m_presentedTitle.clear();
    m_presentedText.clear();
    m_presentations = 0;
    app()->setErrorPresenter([this](const QString &title, const QString &text) {
        m_presentedTitle = title;
        m_presentedText = text;
        ++m_presentations;
    });
}

void TestApplication::cleanup()
{
    qunsetenv("TALLYFERN_DATA_DIR");
}

void TestApplication::identityIconAndFont()
{
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Tallowmere"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tallyfern"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral(TALLYFERN_VERSION));

    QVERIFY(QFileInfo::exists(QStringLiteral(":/icons/icons/app_icon.png")));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(QApplication::windowIcon().actualSize(QSize(256, 256)), QSize(256, 256));

    QVERIFY(QFileInfo::exists(QStringLiteral(":/fonts/fonts/MaterialIcons-Regular.otf")));
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("Material Icons")));
}

void TestApplication::resolveLanguage_data()
{
    QTest::addColumn<QVariant>("stored"); // invalid: no setting
    QTest::addColumn<bool>("resolveSystem");
    QTest::addColumn<QString>("expected");

    // main() runs the test under a German system locale.
    QTest::newRow("nothing stored, raw") << QVariant() << false << "system";
    QTest::newRow("nothing stored, resolved") << QVariant() << true << "de";
    QTest::newRow("system, raw") << QVariant("system") << false << "system";
    QTest::newRow("system, resolved") << QVariant("system") << true << "de";
    QTest::newRow("french") << QVariant("fr") << true << "fr";
    QTest::newRow("japanese, raw") << QVariant("ja") << false << "ja";
    QTest::newRow("unknown code unchanged") << QVariant("pt") << true << "pt";
}

void TestApplication::resolveLanguage()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, resolveSystem);
    QFETCH(QString, expected);

    QVERIFY2(QLocale::system().name().startsWith(QLatin1String("de")), qPrintable(QLocale::system().name()));
    if (stored.isValid())
        QSettings().setValue(QStringLiteral("ui/language"), stored);
    QCOMPARE(Application::resolveLanguage(resolveSystem), expected);
}

void TestApplication::setLanguageIsReadBack()
{
    Application::setLanguage(QStringLiteral("es"));
    QCOMPARE(QSettings().value(QStringLiteral("ui/language")).toString(), QStringLiteral("es"));
    QCOMPARE(Application::resolveLanguage(true), QStringLiteral("es"));
    Application::setLanguage(QStringLiteral("system"));
    QCOMPARE(Application::resolveLanguage(false), QStringLiteral("system"));
}

void TestApplication::unwritableDataDirectoryReportsAndExitsWithOne()
{
    // A folder below a plain file cannot be created, not even by root.
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString blocker = temporary.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString dataDirectory = blocker + QStringLiteral("/Tallyfern");
    qputenv("TALLYFERN_DATA_DIR", dataDirectory.toLocal8Bit());

    QCOMPARE(app()->run(), 1);
    QCOMPARE(m_presentations, 1);
    QCOMPARE(m_presentedTitle, QStringLiteral("Database Error"));
    QCOMPARE(m_presentedText, QStringLiteral("Failed to initialize the database.\n\nData directory: %1\n\n"
                                             "Please check file permissions and try again.")
                                  .arg(dataDirectory));
    QVERIFY(app()->appState() == nullptr);
    QVERIFY(app()->mainWindow() == nullptr);
}

void TestApplication::startsWithMainWindowOnFreshDirectory()
{
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    qputenv("TALLYFERN_DATA_DIR", temporary.path().toLocal8Bit());

    bool visibleInLoop = false;
    QTimer::singleShot(0, app(), [&] {
        visibleInLoop = app()->mainWindow() && app()->mainWindow()->isVisible();
        QCoreApplication::quit();
    });
    QCOMPARE(app()->run(), 0);
    QCOMPARE(m_presentations, 0);
    QVERIFY(visibleInLoop);
    QVERIFY(app()->mainWindow()->parent() == nullptr);
    QCOMPARE(app()->mainWindow()->windowTitle(), QStringLiteral("Tallyfern"));
    QVERIFY(app()->appState() != nullptr);
    QCOMPARE(app()->appState()->dataDirectory(), temporary.path());
    QVERIFY(QFileInfo::exists(temporary.filePath(QStringLiteral("tallyfern.db"))));
}

void TestApplication::unusableDatabaseFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");

    QTest::newRow("read-only") << "read-only" << Application::problemText(Database::Problem::ReadOnly);
    QTest::newRow("newer schema") << "newer" << Application::problemText(Database::Problem::MadeByNewerVersion);
    QTest::newRow("not a database") << "garbage" << Application::problemText(Database::Problem::Damaged);
}

void TestApplication::unusableDatabaseFileIsLeftAlone()
{
    QFETCH(QString, damage);
    QFETCH(QString, reason);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString path = temporary.filePath(QStringLiteral("tallyfern.db"));
    if (damage == QLatin1String("garbage")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
    } else {
        // A real database of ours, closed again before the program starts.
        {
            Database database(temporary.path());
            QVERIFY(database.open());
            QSqlQuery query(database.database());
            QVERIFY(query.exec(QStringLiteral("CREATE TABLE kept (value TEXT)")));
            if (damage == QLatin1String("newer"))
                QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = 999")));
            QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode = DELETE")));
        }
        if (damage == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup));
    }
    QFile before(path);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();
    qputenv("TALLYFERN_DATA_DIR", temporary.path().toLocal8Bit());

    QCOMPARE(app()->run(), 1);
    QCOMPARE(m_presentedTitle, QStringLiteral("Database Error"));
    QVERIFY2(m_presentedText.endsWith(reason), qPrintable(m_presentedText));
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), bytes);
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("-wal")) ||
            QFileInfo(path + QStringLiteral("-wal")).size() == 0);
}

void TestApplication::lockFileAtStart_data()
{
    QTest::addColumn<QByteArray>("lockFile"); // when not refused
    QTest::addColumn<bool>("refused");

    QTest::newRow("held by a running program") << QByteArray() << true;
    QTest::newRow("empty after a power cut") << QByteArray() << false;
    QTest::newRow("garbage") << QByteArray("\0\0\xff\xfe\n\0", 6) << false;
}

void TestApplication::lockFileAtStart()
{
    QFETCH(QByteArray, lockFile);
    QFETCH(bool, refused);

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    qputenv("TALLYFERN_DATA_DIR", temporary.path().toLocal8Bit());
    const QString databasePath = temporary.filePath(QStringLiteral("tallyfern.db"));
    const QString lockPath = temporary.filePath(QStringLiteral("tallyfern.lock"));
    QLockFile running(lockPath);
    if (refused) {
        QVERIFY(running.tryLock(0));
    } else {
        // A start that gets past the lock stops at this file, with no database left open.
        QFile database(databasePath);
        QVERIFY(database.open(QIODevice::WriteOnly));
        database.write(QByteArray(8192, 'x'));
        QFile stale(lockPath);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(lockFile);
    }

    QCOMPARE(app()->run(), 1);
    QCOMPARE(m_presentedText == QStringLiteral("Tallyfern is already running."), refused);
    QCOMPARE(m_presentedTitle, refused ? QStringLiteral("Tallyfern") : QStringLiteral("Database Error"));
    QCOMPARE(QFileInfo::exists(databasePath), !refused);
}

void TestApplication::damageFoundAfterShowIsReportedAndStopsWrites()
{
    // A current file that opens and migrates, with one page of a table of its
    // own overwritten: only the whole-file check finds it.
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    qint64 offset = 0;
    QByteArray garbage;
    {
        Database database(temporary.path());
        QVERIFY(database.open() && MigrationRunner(&database).migrate());
        QSqlQuery query(database.database());
        QVERIFY(query.exec(
            QStringLiteral("CREATE TABLE kept AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                           "SELECT i + 1 FROM n WHERE i < 200) SELECT i, hex(randomblob(100)) AS v FROM n")));
        QVERIFY(query.exec(QStringLiteral("SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM "
                                          "sqlite_master WHERE name = 'kept'")) &&
                query.next());
        offset = (query.value(0).toLongLong() - 1) * query.value(1).toLongLong();
        garbage = QByteArray(query.value(1).toInt(), 'x');
        query.finish();
        QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode = DELETE")));
    }
    QFile file(temporary.filePath(QStringLiteral("tallyfern.db")));
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(offset) && file.write(garbage) == garbage.size());
    file.close();
    qputenv("TALLYFERN_DATA_DIR", temporary.path().toLocal8Bit());

    bool shown = false;
    std::optional<bool> written;
    app()->setErrorPresenter([&](const QString &title, const QString &text) {
        m_presentedTitle = title;
        m_presentedText = text;
        shown = app()->mainWindow() && app()->mainWindow()->isVisible();
        written = app()->appState()->preferences()->set(preferenceKey("probe"), QStringLiteral("1"));
    });
    QCOMPARE(app()->run(), 1);
    QVERIFY(shown);
    QCOMPARE(written, std::optional<bool>(false));
    QCOMPARE(m_presentedTitle, QStringLiteral("Database Error"));
    QVERIFY2(m_presentedText.endsWith(Application::problemText(Database::Problem::Damaged)),
             qPrintable(m_presentedText));
}

void TestApplication::signalSavesTheRowBeingTyped_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestApplication::signalSavesTheRowBeingTyped()
{
    QFETCH(int, signalNumber);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    qputenv("TALLYFERN_DATA_DIR", temporary.path().toLocal8Bit());

    QTimer::singleShot(0, app(), [&] {
        auto *window = qobject_cast<MainWindow *>(app()->mainWindow());
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QApplication::setActiveWindow(window);
        Account account;
        account.id = QStringLiteral("everyday");
        account.name = QStringLiteral("Everyday");
        QVERIFY(app()->appState()->accounts()->insert(account));
        window->reloadAccounts();
        window->selectAccount(account.id);
        RegisterScreen *screen = window->registerScreen();
        screen->view()->editCell(screen->model()->blankRow(), RegisterModel::PayeeColumn);
        // Payee, then Enter past category and memo to the payment, left open.
        for (const char *typed : {"Cafe", "\r", "\r", "\r", "4.50"}) {
            QTest::keyClicks(QApplication::focusWidget(), QLatin1String(typed));
            QCoreApplication::processEvents();
        }
        std::raise(signalNumber);
    });
    // Ends the loop only when the signal went unheard.
    QTimer unheard;
    connect(&unheard, &QTimer::timeout, app(), [] { QCoreApplication::exit(2); });
    unheard.start(20000);
    QCOMPARE(app()->run(), 0);

    {
        // The file itself, through a connection of its own.
        QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("file"));
        file.setDatabaseName(temporary.filePath(QStringLiteral("tallyfern.db")));
        QSqlQuery query(file);
        QVERIFY(file.open() &&
                query.exec(QStringLiteral("SELECT group_concat(payee || ' ' || amount) "
                                          "FROM transactions")) &&
                query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("Cafe -450"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("file"));
}

int main(int argc, char *argv[])
{
    // Fixes the system locale that "system" resolves to.
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    // ...while the program's texts stay English, whatever translations exist.
    {
        QSettings settings(QStringLiteral("Tallowmere"), QStringLiteral("Tallyfern"));
        settings.setValue(QStringLiteral("ui/language"), QStringLiteral("en"));
        // This version's notes count as seen: the event-loop test must not meet a
        // what's-new dialog.
        settings.setValue(QStringLiteral("whatsNew/lastShownVersion"), QStringLiteral(TALLYFERN_VERSION));
        settings.sync();
    }
    Application application(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestApplication.moc"
