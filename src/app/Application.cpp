#include "Application.h"

#include "AppState.h"
#include "DataPaths.h"
#include "Environment.h"
#include "LanguageSetting.h"
#include "MainWindow.h"
#include "MessageOutput.h"
#include "PreferencesRepository.h"
#include "SettingsKeys.h"
#include "StartupUpdates.h"
#include "TerminationSignals.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <functional>
#include <utility>

namespace {

const QStringList TranslatedLanguages = {QStringLiteral("en"), QStringLiteral("es"), QStringLiteral("de"),
                                         QStringLiteral("fr"), QStringLiteral("ja")};

bool namesProcess(const QLockFile &lock)
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    return lock.getLockInfo(&pid, &hostName, &appName);
}

bool addTranslator(QCoreApplication *app, const QString &fileName, const QString &directory)
{
    auto *translator = new QTranslator(app);
    if (!translator->load(fileName, directory)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

// Calls `then` once, when the window's first paint (its children paint in the
// same pass, after it) is done.
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget *window, std::function<void()> then)
        : QObject(window)
        , m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_then) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this, then = std::exchange(m_then, {})]() {
                then();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};

} // namespace

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_errorPresenter(
          [](const QString &title, const QString &text) { QMessageBox::critical(nullptr, title, text); })
{
    MessageOutput::install();
    setOrganizationName(QStringLiteral("Tallowmere"));
    setApplicationName(QStringLiteral("Tallyfern"));
    setApplicationVersion(QString::fromLatin1(AppInfo::Version));
    loadTranslations();
    setWindowIcon(QIcon(QStringLiteral(":/icons/icons/app_icon.png")));
    registerIconFont();
    // The session manager asks before it ends the session (and may end it
    // without a close of our window); a loop ended by exit() closes nothing.
    connect(this, &QGuiApplication::commitDataRequest, this, [this]() { saveBeforeEnd(); });
    connect(this, &QCoreApplication::aboutToQuit, this, &Application::saveBeforeEnd);
}

Application::~Application()
{
    // The signals' socket notifier goes while the event dispatcher is there.
    delete m_termination;
    delete m_mainWindow;
    // The state goes before QApplication tears down what the database
    // connection needs: as a child it would be deleted after that, when
    // closing the connection no longer finds it and leaves it open.
    delete m_appState;
}

int Application::run()
{
    if (!lockDataDirectory()) {
        m_errorPresenter(tr("Tallyfern"), tr("Tallyfern is already running."));
        return 1;
    }
    // A window left by an earlier run would outlive the state it shows.
    delete m_mainWindow;
    m_mainWindow = nullptr;
    delete m_appState;
    m_appState = new AppState(this);
    // Caught from here on: a signal during start-up waits for the loop.
    delete m_termination;
    m_termination = new TerminationSignals(this);
    // Not through the window's close, which a refused row would stop: the
    // loop's end saves what can be saved, and the state and its database
    // close as after Quit.
    connect(m_termination, &TerminationSignals::received, this, []() { QCoreApplication::exit(0); });
    if (!m_appState->initialize()) {
        const QString text = databaseErrorText();
        delete m_appState;
        m_appState = nullptr;
        m_errorPresenter(tr("Database Error"), text);
        return 1;
    }
    // The program ends as it would have on a file found damaged at start-up,
    // after the user has been told; the file has taken no write since.
    connect(m_appState, &AppState::databaseDamaged, this, [this]() {
        m_errorPresenter(tr("Database Error"), databaseErrorText());
        exit(1);
    });
    showMainWindow();
    startUpdateSteps();
    return exec();
}

bool Application::lockDataDirectory()
{
    // Two programs writing one file would each keep the other's changes from
    // its register and push stale rows; a lock left by a process that died is
    // taken over.
    // A folder that cannot hold the lock cannot hold the database either;
    // opening it says why.
    const QString directory = DataPaths::dataDirectory();
    if (!QDir().mkpath(directory))
        return true;
    m_instanceLock = std::make_unique<QLockFile>(QDir(directory).filePath(QStringLiteral("tallyfern.lock")));
    m_instanceLock->setStaleLockTime(0);
    if (m_instanceLock->tryLock(0))
        return true;
    // QLockFile takes over a lock only when the file names a process that is
    // gone; one cut short by a power cut names none and would refuse every
    // start. Unreadable twice, a moment apart, it is not one being written.
    if (m_instanceLock->error() == QLockFile::LockFailedError && !namesProcess(*m_instanceLock)) {
        QThread::msleep(100);
        if (!namesProcess(*m_instanceLock) && m_instanceLock->removeStaleLockFile() &&
            m_instanceLock->tryLock(0))
            return true;
    }
    const bool heldByAnother = m_instanceLock->error() == QLockFile::LockFailedError;
    m_instanceLock.reset();
    return !heldByAnother;
}

QString Application::databaseErrorText() const
{
    QString text = tr("Failed to initialize the database.\n\nData directory: %1\n\n"
                      "Please check file permissions and try again.")
                       .arg(m_appState->dataDirectory());
    const QString reason = problemText(m_appState->databaseProblem());
    if (!reason.isEmpty())
        text += QLatin1String("\n\n") + reason;
    return text;
}

QString Application::problemText(Database::Problem problem)
{
    switch (problem) {
    case Database::Problem::ReadOnly:
        return tr("The database file is read-only. Make it writable and start Tallyfern again.");
    case Database::Problem::MadeByNewerVersion:
        return tr("The database was made by a newer version of Tallyfern. Install that version to open it.");
    case Database::Problem::Damaged:
        return tr("The database file is damaged. Restore a backup copy of it.");
    case Database::Problem::None:
    case Database::Problem::CannotOpen:
        break;
    }
    return QString();
}

QString Application::resolveLanguage(bool resolveSystem)
{
    const QString stored =
        QSettings().value(SettingsKeys::Language.name(), SettingsKeys::Language.defaultValue()).toString();
    if (!resolveSystem || stored != QLatin1String("system"))
        return stored;
    const QString system = QLocale::system().name().left(2);
    return TranslatedLanguages.contains(system) ? system : QStringLiteral("en");
}

void Application::setLanguage(const QString &code)
{
    QSettings().setValue(SettingsKeys::Language.name(), code);
}

BrioUpdate::UpdateConfig Application::updateConfig()
{
    // The channel's directory lies under the server's address, which may
    // itself have a path (a mirror, a test server).
    QUrl base(Environment::valueOr("UPDATE_BASE_URL", QStringLiteral("https://updates.tallowmere.app")));
    QString path = base.path(QUrl::FullyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    base.setPath(path + QStringLiteral("tallyfern/stable/"), QUrl::DecodedMode);
    return BrioUpdate::UpdateConfig{QStringLiteral("tallyfern"), QStringLiteral("stable"), base,
                                    QString::fromLatin1(AppInfo::Version)};
}

BrioUpdate::FeedbackConfig Application::feedbackConfig()
{
    return BrioUpdate::FeedbackConfig{
        QStringLiteral("tallyfern"),
        QUrl(Environment::valueOr("FEEDBACK_BASE_URL", QStringLiteral("https://feedback.tallowmere.app")))};
}

void Application::setErrorPresenter(ErrorPresenter presenter)
{
    m_errorPresenter = std::move(presenter);
}

void Application::loadTranslations()
{
    const QString language = resolveLanguage(true);
    // Qt's own texts (standard buttons, context menus); not every language
    // ships one, and English needs none.
    const QString qtDirectory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!addTranslator(this, QStringLiteral("qt_") + language, qtDirectory))
        addTranslator(this, QStringLiteral("qtbase_") + language, qtDirectory);
    addTranslator(this, QStringLiteral("tallyfern_") + language, QStringLiteral(":/i18n"));
    LanguageSetting::setInUse(language);
}

void Application::registerIconFont()
{
    if (QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/fonts/MaterialIcons-Regular.otf")) < 0)
        qWarning() << "Application: the icon font could not be registered";
}

void Application::showMainWindow()
{
    m_mainWindow = new MainWindow(m_appState, updateConfig(), feedbackConfig());
    // The day's check of the whole file runs once the window is there.
    new FirstPaintWatch(m_mainWindow, [appState = QPointer<AppState>(m_appState)]() {
        if (appState)
            appState->startIntegrityCheck();
    });
    // The start-up benchmark's hook: TALLYFERN_BENCH_FIRST_PAINT holds the
    // monotonic clock's nanoseconds when the process was started.
    if (const QByteArray started = qgetenv("TALLYFERN_BENCH_FIRST_PAINT"); !started.isEmpty()) {
        new FirstPaintWatch(m_mainWindow, [startedNs = started.toLongLong()]() {
            std::printf("first paint %.2f ms\n",
                        (QDeadlineTimer::current().deadlineNSecs() - startedNs) / 1e6);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    m_mainWindow->show();
}

void Application::saveBeforeEnd()
{
    auto *window = qobject_cast<MainWindow *>(m_mainWindow);
    if (window && m_appState && m_appState->databaseProblem() == Database::Problem::None)
        window->saveBeforeEnd();
}

void Application::startUpdateSteps()
{
    // The dismissed version is a user preference; the last what's-new version a
    // platform setting, written out at once so a crash does not show it again.
    const QPointer<PreferencesRepository> preferences = m_appState->preferences();
    BrioUpdate::StartupUpdates::Storage storage{
        [preferences]() {
            return preferences ? preferences->value(PreferenceKeys::UpdateDismissedVersion) : QString();
        },
        [preferences](const QString &version) {
            if (preferences)
                preferences->set(PreferenceKeys::UpdateDismissedVersion, version);
        },
        []() { return QSettings().value(SettingsKeys::WhatsNewLastShownVersion.name()).toString(); },
        [](const QString &version) {
            QSettings settings;
            settings.setValue(SettingsKeys::WhatsNewLastShownVersion.name(), version);
            settings.sync();
        },
    };
    delete m_startupUpdates;
    m_startupUpdates = new BrioUpdate::StartupUpdates(updateConfig(), QString::fromLatin1(AppInfo::DisplayName),
                                                      std::move(storage), this);
    m_startupUpdates->start(m_mainWindow);
}
