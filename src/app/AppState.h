#pragma once

#include "AuthTypes.h"
#include "Database.h"

#include <QColor>
#include <QObject>
#include <QString>

class AccountRepository;
class QTimer;
class AccountService;
class AccountSharingService;
class BackupService;
class CategoryRepository;
class CategoryService;
class IntegrityCheck;
class PreferencesRepository;
class ReconciliationRepository;
class RecurringRepository;
class RecurringService;
class SplitLineRepository;
class SyncEngine;
class ThemeManager;
class TransactionRepository;
class TransactionWriter;

namespace BrioAccount {
class Client;
struct ClientConfig;
} // namespace BrioAccount

// The service container every window, screen and dialog is handed. It owns
// the database, the repositories and the services, all created by
// initialize() and alive as long as the AppState.
class AppState : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinFontScale = 70;
    static constexpr int MaxFontScale = 160;
    static constexpr int AutoSyncIntervalMs = 300000;

    explicit AppState(QObject *parent = nullptr);
    ~AppState() override;

    // Opens "tallyfern.db" in the data directory, brings its schema up to
    // date and builds everything else. False, with nothing built, when the
    // database cannot be opened or migrated.
    bool initialize();

    // Once a day, after the window is shown: SQLite's check of the whole
    // file, off the GUI thread. Damage found stops every further write to the
    // file and is told by databaseDamaged().
    void startIntegrityCheck();

    Database *database() const { return m_database; }
    PreferencesRepository *preferences() const { return m_preferences; }
    AccountRepository *accounts() const { return m_accounts; }
    TransactionRepository *transactions() const { return m_transactions; }
    SplitLineRepository *splitLines() const { return m_splitLines; }
    CategoryRepository *categories() const { return m_categories; }
    RecurringRepository *recurring() const { return m_recurring; }
    ReconciliationRepository *reconciliations() const { return m_reconciliations; }
    CategoryService *categoryService() const { return m_categoryService; }
    RecurringService *recurringService() const { return m_recurringService; }
    // Book-keeping writes: a transfer's two legs, splits, opening balances,
    // account deletion. Screens write through these, not the repositories.
    TransactionWriter *transactionWriter() const { return m_transactionWriter; }
    AccountService *accountService() const { return m_accountService; }
    BackupService *backupService() const { return m_backupService; }
    ThemeManager *themeManager() const { return m_themeManager; }
    BrioAccount::Client *accountClient() const { return m_accountClient; }
    SyncEngine *syncEngine() const { return m_syncEngine; }
    AccountSharingService *sharingService() const { return m_sharingService; }

    // The account the user looked at last; empty when none. Setting it keeps
    // it for the next start: written after a pause in switching, or at once by
    // saveCurrentAccountId() (closing the window) and the destructor.
    static constexpr int SaveCurrentAccountDelayMs = 3000;
    QString currentAccountId() const { return m_currentAccountId; }
    void setCurrentAccountId(const QString &id);
    void saveCurrentAccountId();

    // Known once initialize() has run, also when it failed.
    QString dataDirectory() const { return m_dataDirectory; }
    // Why initialize() could not use the database file.
    Database::Problem databaseProblem() const { return m_databaseProblem; }

    // Application-wide values, set from the preferences at start-up.
    static QColor &accentColor();
    // Qt day number: 1 Monday to 7 Sunday.
    static int &weekStartDay();
    // Percent, MinFontScale to MaxFontScale.
    static int &fontScale();

    // PreferenceKeys::FontScale as stored: clamped, and 100 for text that is not a number.
    static int fontScaleFromText(const QString &text);

    // The account library's configuration: each endpoint and the realm and
    // client id from the environment when set and not empty, else built in.
    static BrioAccount::ClientConfig clientConfigFromEnvironment();
    // SYNC_API_URL, else the built-in sync service address.
    static QString syncApiUrlFromEnvironment();

    // True while a sign-in waits for the user to allow uploading this
    // computer's records (uploadQuestionNeeded): nothing is synced meanwhile,
    // and nothing of a browser sign-in is stored.
    bool isUploadHeld() const { return m_uploadHeld; }

public slots:
    // A browser sign-in finished.
    void onLoginSucceeded();
    // The user's answer to uploadQuestionNeeded: sync, or sign out having sent nothing.
    void answerUploadQuestion(bool upload);

signals:
    void databaseReady();
    // The day's check found the file damaged; databaseProblem() says so too.
    void databaseDamaged();
    // A sign-in as someone other than the user this device last synced with,
    // while accounts or transactions are here: ask before any upload.
    void uploadQuestionNeeded();

private:
    bool openDatabase();
    void createRepositories();
    void createServices();
    void applyPreferences();
    void createOnlineServices();
    void startOnlineServices();
    void onAuthStateChanged(BrioAccount::AuthState state);
    bool needsUploadQuestion(const QString &userId) const;
    // A sign-in the user agreed to: noted, the records handed to the user, the device registered.
    void beginSignedInUse();
    void startSyncing();
    void seedDefaultCategories();
    void restoreLastAccount();

    QString m_dataDirectory;
    Database::Problem m_databaseProblem = Database::Problem::None;
    QString m_currentAccountId;
    bool m_uploadHeld = false;
    // Set once the user was signed out: a sign-in after that came through the
    // browser, one before it was restored at start-up.
    bool m_wasSignedOut = false;
    QTimer *m_saveAccountTimer = nullptr;
    bool m_currentAccountUnsaved = false;
    Database *m_database = nullptr;
    IntegrityCheck *m_integrityCheck = nullptr;
    PreferencesRepository *m_preferences = nullptr;
    AccountRepository *m_accounts = nullptr;
    TransactionRepository *m_transactions = nullptr;
    SplitLineRepository *m_splitLines = nullptr;
    CategoryRepository *m_categories = nullptr;
    RecurringRepository *m_recurring = nullptr;
    ReconciliationRepository *m_reconciliations = nullptr;
    CategoryService *m_categoryService = nullptr;
    RecurringService *m_recurringService = nullptr;
    TransactionWriter *m_transactionWriter = nullptr;
    AccountService *m_accountService = nullptr;
    BackupService *m_backupService = nullptr;
    ThemeManager *m_themeManager = nullptr;
    BrioAccount::Client *m_accountClient = nullptr;
    SyncEngine *m_syncEngine = nullptr;
    AccountSharingService *m_sharingService = nullptr;
};
