#include "AppState.h"

#include "AccountClient.h"
#include "AccountRepository.h"
#include "AccountService.h"
#include "AccountSharingService.h"
#include "ApiClient.h"
#include "AppInfo.h"
#include "AuthClient.h"
#include "BackupService.h"
#include "CategoryRepository.h"
#include "CategoryService.h"
#include "Client.h"
#include "ClientConfig.h"
#include "DataPaths.h"
#include "Database.h"
#include "Environment.h"
#include "IntegrityCheck.h"
#include "MigrationRunner.h"
#include "Money.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "RecurringService.h"
#include "SettingsKeys.h"
#include "SplitLineRepository.h"
#include "SyncEngine.h"
#include "ThemeManager.h"
#include "TokenManager.h"
#include "TransactionRepository.h"
#include "TransactionWriter.h"

#include <QDebug>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <utility>
#include <QUrl>

namespace {

// The online services' built-in addresses; each environment variable of the
// same role replaces one.
constexpr auto DefaultAuthBaseUrl = "https://auth.tallowmere.app";
constexpr auto DefaultAccountApiUrl = "https://account.tallowmere.app/account/v1";
constexpr auto DefaultSyncApiUrl = "https://sync.tallowmere.app/tallyfern/v1";
constexpr auto DefaultAccountPortalUrl = "https://account.tallowmere.app";
constexpr auto DefaultRealmSlug = "tallowmere";
constexpr auto DefaultClientId = "8f2b6c41d93e4a7fb05c1e9a7d3b2f60";

} // namespace

AppState::AppState(QObject *parent)
    : QObject(parent)
{
}

AppState::~AppState()
{
    saveCurrentAccountId();
}

QColor &AppState::accentColor()
{
    static QColor color(PreferenceKeys::AccentColor.defaultValue());
    return color;
}

int &AppState::weekStartDay()
{
    static int day = int(QLocale::system().firstDayOfWeek());
    return day;
}

int &AppState::fontScale()
{
    static int percent = 100;
    return percent;
}

int AppState::fontScaleFromText(const QString &text)
{
    bool ok = false;
    const int percent = text.trimmed().toInt(&ok);
    return ok ? qBound(MinFontScale, percent, MaxFontScale) : 100;
}

bool AppState::initialize()
{
    if (m_database)
        return true;
    if (!openDatabase())
        return false;
    createRepositories();
    createServices();
    createOnlineServices();
    applyPreferences();
    // The look follows the font scale and accent colour just read.
    m_themeManager = new ThemeManager(m_preferences, this);
    m_themeManager->setTheme(m_preferences->value(PreferenceKeys::Theme));
    seedDefaultCategories();
    startOnlineServices();
    restoreLastAccount();
    emit databaseReady();
    return true;
}

bool AppState::openDatabase()
{
    m_dataDirectory = DataPaths::dataDirectory();
    auto *database = new Database(m_dataDirectory, this);
    const QList<MigrationRunner::Script> scripts = MigrationRunner::builtInScripts();
    // Migrating down is not possible, and writing to a schema we do not know
    // could break the newer program's data.
    const bool opened = database->open(scripts.isEmpty() ? 0 : scripts.constLast().version);
    MigrationRunner migrations(database);
    if (!opened || !migrations.migrate()) {
        if (opened)
            qCritical() << "AppState::initialize: migrating the database failed:" << migrations.lastError();
        m_databaseProblem = opened ? Database::Problem::CannotOpen : database->problem();
        delete database;
        return false;
    }
    m_database = database;
    return true;
}

void AppState::startIntegrityCheck()
{
    // The whole-file check reads every page, which on a large file costs more
    // than the rest of start-up: once a day, and again after damage was met.
    if (!m_database || m_integrityCheck)
        return;
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    if (m_preferences->value(PreferenceKeys::LastIntegrityCheck) == today)
        return;
    m_integrityCheck = new IntegrityCheck(m_database->filePath(), this);
    connect(m_integrityCheck, &IntegrityCheck::finished, this, [this, today](IntegrityCheck::Result result) {
        if (result == IntegrityCheck::Result::Sound) {
            m_preferences->set(PreferenceKeys::LastIntegrityCheck, today);
        } else if (result == IntegrityCheck::Result::Damaged) {
            // Writing on would spread the damage: nothing more is written.
            m_database->stopWrites();
            m_databaseProblem = Database::Problem::Damaged;
            emit databaseDamaged();
        }
    });
    m_integrityCheck->start();
}

void AppState::createRepositories()
{
    m_accounts = new AccountRepository(m_database, this);
    m_transactions = new TransactionRepository(m_database, this);
    m_splitLines = new SplitLineRepository(m_database, this);
    m_categories = new CategoryRepository(m_database, this);
    m_recurring = new RecurringRepository(m_database, this);
    m_reconciliations = new ReconciliationRepository(m_database, this);
    m_preferences = new PreferencesRepository(m_database, this);
}

void AppState::createServices()
{
    m_categoryService = new CategoryService(m_database, m_categories, this);
    m_recurringService = new RecurringService(m_database, m_recurring, m_transactions, m_accounts, this);
    m_transactionWriter = new TransactionWriter(m_database, m_accounts, m_transactions, m_splitLines, this);
    m_accountService = new AccountService(m_database, m_accounts, m_transactions, m_recurring,
                                          m_reconciliations, m_transactionWriter, this);
    m_backupService = new BackupService(m_database, this);
}

BrioAccount::ClientConfig AppState::clientConfigFromEnvironment()
{
    BrioAccount::ClientConfig config;
    config.authBaseUrl = Environment::valueOr("AUTH_BASE_URL", DefaultAuthBaseUrl);
    config.realmSlug = Environment::valueOr("AUTH_REALM_SLUG", DefaultRealmSlug);
    config.accountApiUrl = Environment::valueOr("ACCOUNT_API_URL", DefaultAccountApiUrl);
    config.clientId = Environment::valueOr("AUTH_CLIENT_ID", DefaultClientId);
    config.applicationId = QStringLiteral("com.tallowmerelabs.tallyfern");
    config.applicationName = QStringLiteral("Tallowmere Tallyfern");
    config.applicationVersion = QString::fromLatin1(AppInfo::Version);
    config.accountPortalUrl = Environment::valueOr("ACCOUNT_PORTAL_URL", DefaultAccountPortalUrl);
    return config;
}

QString AppState::syncApiUrlFromEnvironment()
{
    return Environment::valueOr("SYNC_API_URL", DefaultSyncApiUrl);
}

void AppState::createOnlineServices()
{
    const BrioAccount::ClientConfig config = clientConfigFromEnvironment();
    const QString syncApiUrl = syncApiUrlFromEnvironment();
    qInfo() << "Auth:" << config.authBaseUrl;
    qInfo() << "Account:" << config.accountApiUrl;
    qInfo() << "Sync:" << syncApiUrl;

    m_accountClient = new BrioAccount::Client(config, this);
    m_accountClient->syncApi()->setBaseUrl(QUrl(syncApiUrl));
    m_syncEngine = new SyncEngine(m_accountClient->syncApi(), m_accounts, m_transactions, m_categories,
                                  m_recurring, m_reconciliations, m_splitLines, m_preferences, this);
    // Signed in means a usable access token or a refresh token that buys one;
    // the client refreshes before the request.
    // Nothing syncs while a new user's first upload waits for the user's word.
    m_syncEngine->setStartCondition(
        [this, signedIn = SyncEngine::signedInCondition(m_accountClient->tokenManager())]() {
            return !m_uploadHeld && signedIn();
        });
    // Nothing syncs inside an import's or a restore's open transaction.
    m_syncEngine->setWriteHold(m_database->writeHold());
    // The pull cursor belongs to the user who pulled: another user starts over.
    m_syncEngine->setUserIdSource(SyncEngine::signedInUser(m_accountClient->tokenManager()));
    m_sharingService = new AccountSharingService(m_accountClient->syncApi(), this);
}

void AppState::startOnlineServices()
{
    BrioAccount::AuthClient *auth = m_accountClient->authClient();
    // Decided before anything of a browser sign-in is stored.
    auth->setConfirmationCheck([this](const QString &userId) { return needsUploadQuestion(userId); });
    // Connected before initialize(): when start-up has to refresh first, the
    // user becomes signed in only later, and syncing must start then too.
    connect(m_accountClient, &BrioAccount::Client::authStateChanged, this,
            [this](BrioAccount::AuthState state) { onAuthStateChanged(state); });
    m_accountClient->initialize();

    connect(auth, &BrioAccount::AuthClient::loginSucceeded, this, &AppState::onLoginSucceeded);
    connect(m_accounts, &AccountRepository::accountsChanged, m_syncEngine, &SyncEngine::requestSync);
    connect(m_categories, &CategoryRepository::categoriesChanged, m_syncEngine, &SyncEngine::requestSync);
    connect(m_transactions, &TransactionRepository::transactionsChanged, m_syncEngine,
            [this] { m_syncEngine->requestSync(); });

    if (m_accountClient->isAuthenticated()) {
        QPointer<AppState> self(this);
        auth->refreshToken([self](bool) {
            if (self && self->m_accountClient->isAuthenticated())
                self->startSyncing();
        });
    }
}

void AppState::onAuthStateChanged(BrioAccount::AuthState state)
{
    if (state == BrioAccount::AuthState::SignedOut) {
        // However the session ended: a refused refresh as much as a sign-out.
        m_wasSignedOut = true;
        m_uploadHeld = false;
        m_syncEngine->stopAutoSync();
        return;
    }
    if (state != BrioAccount::AuthState::SignedIn)
        return;
    // A browser sign-in: held before the first cycle could start, and
    // onLoginSucceeded goes on once the records are handed to the user.
    if (m_wasSignedOut) {
        m_uploadHeld = m_accountClient->authClient()->isConfirmationPending();
        return;
    }
    // A sign-in restored at start-up that nobody agreed to upload for, as one
    // an older version stored before asking.
    if (needsUploadQuestion(m_accountClient->tokenManager()->subject())) {
        m_uploadHeld = true;
        emit uploadQuestionNeeded();
        return;
    }
    startSyncing();
}

bool AppState::needsUploadQuestion(const QString &userId) const
{
    // The loopback redirect takes any caller's tokens, so a sign-in may be
    // into a stranger's account. The user this device synced with last may
    // upload at once. Accounts and transactions are the user's own records;
    // a device with only the default categories has nothing to give away.
    return !m_syncEngine->isLastSyncedUser(userId) &&
           (m_accounts->hasRecords() || m_transactions->hasRecords());
}

void AppState::startSyncing()
{
    if (m_uploadHeld)
        return;
    // Starting auto-sync syncs at once; when it already runs, a request is enough.
    if (!m_syncEngine->isAutoSyncActive())
        m_syncEngine->startAutoSync(AutoSyncIntervalMs);
    m_syncEngine->requestSync();
}

void AppState::onLoginSucceeded()
{
    // Also when the state did not change: a second sign-in may be someone else's.
    if (m_accountClient->authClient()->isConfirmationPending()) {
        m_uploadHeld = true;
        emit uploadQuestionNeeded();
        return;
    }
    m_uploadHeld = false;
    beginSignedInUse();
    startSyncing();
}

void AppState::beginSignedInUse()
{
    QSettings().setValue(SettingsKeys::HasSignedInBefore.name(), true);
    // The records here are this user's from now on, also for the next start.
    m_syncEngine->adoptRecordsFor(m_accountClient->tokenManager()->subject());
    m_accountClient->accountClient()->registerDevice();
}

void AppState::answerUploadQuestion(bool upload)
{
    if (!m_uploadHeld)
        return;
    m_uploadHeld = false;
    BrioAccount::AuthClient *auth = m_accountClient->authClient();
    if (!upload) {
        auth->logout();
        return;
    }
    auth->confirmSignIn();
    beginSignedInUse();
    // Restarts auto-sync and syncs now.
    m_syncEngine->startAutoSync(AutoSyncIntervalMs);
}

void AppState::applyPreferences()
{
    fontScale() = fontScaleFromText(m_preferences->value(PreferenceKeys::FontScale));

    // Nothing stored leaves the accent as it is.
    const QColor accent(m_preferences->value(PreferenceKeys::AccentColor, QString()));
    if (accent.isValid())
        accentColor() = accent;

    Money::setAutoDecimal(m_preferences->getBool(PreferenceKeys::AmountAutoDecimal));

    bool ok = false;
    const int day = m_preferences->value(PreferenceKeys::WeekStartDay).toInt(&ok);
    weekStartDay() = ok && day >= 1 && day <= 7 ? day : int(QLocale::system().firstDayOfWeek());
}

void AppState::seedDefaultCategories()
{
    // The program works without them; the user can still add categories.
    if (!m_categoryService->seedDefaultCategories())
        qWarning() << "AppState::initialize: the default categories could not be written";
}

void AppState::restoreLastAccount()
{
    const QString id = m_preferences->value(PreferenceKeys::LastAccountId);
    if (id.isEmpty())
        return;
    const std::optional<Account> account = m_accounts->findById(id);
    if (account && !account->deletedAt)
        m_currentAccountId = id;
}

void AppState::setCurrentAccountId(const QString &id)
{
    if (id == m_currentAccountId)
        return;
    m_currentAccountId = id;
    // Switching accounts must not cost a write each time.
    if (!m_saveAccountTimer) {
        m_saveAccountTimer = new QTimer(this);
        m_saveAccountTimer->setSingleShot(true);
        m_saveAccountTimer->setInterval(SaveCurrentAccountDelayMs);
        connect(m_saveAccountTimer, &QTimer::timeout, this, &AppState::saveCurrentAccountId);
    }
    m_currentAccountUnsaved = true;
    m_saveAccountTimer->start();
}

void AppState::saveCurrentAccountId()
{
    if (!std::exchange(m_currentAccountUnsaved, false))
        return;
    m_saveAccountTimer->stop();
    if (m_preferences && m_preferences->value(PreferenceKeys::LastAccountId) != m_currentAccountId)
        m_preferences->set(PreferenceKeys::LastAccountId, m_currentAccountId);
}
