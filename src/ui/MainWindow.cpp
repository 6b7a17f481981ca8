#include "MainWindow.h"
#include "MainWindowMenus.h"

#include "AccountFormDialog.h"
#include "AccountRepository.h"
#include "AccountService.h"
#include "AccountSharingService.h"
#include "AccountSidebar.h"
#include "AppState.h"
#include "AuthClient.h"
#include "BrowserFallback.h"
#include "CentralScreens.h"
#include "Client.h"
#include "OpeningBalance.h"
#include "PlainMessage.h"
#include "PreferencesRepository.h"
#include "RecurringRepository.h"
#include "RecurringService.h"
#include "RegisterScreen.h"
#include "SettingsKeys.h"
#include "ShareMembersDialog.h"
#include "StatusBar.h"
#include "SyncEngine.h"
#include "SyncStore.h"
#include "TokenManager.h"
#include "TransactionRepository.h"
#include "WelcomePage.h"
#include "WriteHold.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

namespace {

// Zero still gathers a burst of writes made in one pass of the event loop.
constexpr int kReloadDelayMs = 0;

} // namespace

MainWindow::MainWindow(AppState *app, const BrioUpdate::UpdateConfig &updateConfig,
                       const BrioUpdate::FeedbackConfig &feedbackConfig, QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
{
    setWindowTitle(tr("Tallyfern"));

    m_screens = new CentralScreens(this, app);
    m_welcome = m_screens->welcomePage();
    m_sidebar = m_screens->sidebar();
    m_register = m_screens->registerScreen();

    m_statusBar = new StatusBar(this);
    setStatusBar(m_statusBar);
    // The only cancellable activity is waiting for the browser's sign-in.
    connect(m_statusBar, &StatusBar::activityCancelled, this, &MainWindow::cancelSignIn);

    m_menus = new MainWindowMenus(this, app, updateConfig, feedbackConfig);
    m_toolWindows = new ToolWindows(this, app);
    connect(m_toolWindows, &ToolWindows::recurringTransactionsPosted, this, [this]() {
        m_register->refresh();
        scheduleReload(true);
    });

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(kReloadDelayMs);
    connect(m_reloadTimer, &QTimer::timeout, this, &MainWindow::reloadNow);

    connect(m_welcome, &WelcomePage::createAccountRequested, this, &MainWindow::newAccount);
    connect(m_sidebar, &AccountSidebar::newAccountRequested, this, &MainWindow::newAccount);
    connect(m_sidebar, &AccountSidebar::accountSelected, this, &MainWindow::selectAccount);
    // An account picked with the mouse (or Enter) is for typing into; the
    // arrow keys stay in the list to go through the accounts.
    connect(m_sidebar->list(), &QListWidget::itemClicked, m_register, &RegisterScreen::focusEntryRow);
    connect(m_sidebar->list(), &QListWidget::itemActivated, m_register, &RegisterScreen::focusEntryRow);
    connect(m_register, &RegisterScreen::statusMessage, m_statusBar, &StatusBar::showTransientMessage);
    connect(m_sidebar, &AccountSidebar::statusMessage, m_statusBar, &StatusBar::showTransientMessage);

    // Writes mark the window stale; it reads once when the burst is over.
    connect(app->accounts(), &AccountRepository::accountsChanged, this, [this]() { scheduleReload(true); });
    connect(app->transactions(), &TransactionRepository::transactionsChanged, this,
            [this](const QString &accountId) {
                m_sidebar->markBalanceStale(accountId);
                scheduleReload(false);
            });
    connect(app->recurring(), &RecurringRepository::recurringChanged, this,
            [this]() { scheduleReload(false); });
    connect(app->preferences(), &PreferencesRepository::shownChanged, this, &MainWindow::onPreferenceShown);
    connect(app->recurringService(), &RecurringService::pendingCountChanged, m_statusBar,
            &StatusBar::setPendingRecurringCount);
    connectSync();
    connectAuth();

    m_autoPostTimer = new QTimer(this);
    m_autoPostTimer->setInterval(AutoPostIntervalMs);
    connect(m_autoPostTimer, &QTimer::timeout, this, &MainWindow::runAutoPost);
    m_autoPostTimer->start();
    QTimer::singleShot(0, this, &MainWindow::runAutoPost);

    restoreWindowState();
    reloadNow();
    m_statusBar->setPendingRecurringCount(app->recurringService()->pendingCount());
}

MainWindow::~MainWindow()
{
    // The tool windows go before the widgets they report to.
    delete m_toolWindows;
}

BrioUpdate::StatusHooks MainWindow::statusHooks() const
{
    const QPointer<StatusBar> bar = m_statusBar;
    return BrioUpdate::StatusHooks{
        [bar](const QString &text) {
            if (bar)
                bar->showActivity(text);
        },
        [bar]() {
            if (bar)
                bar->hideActivity();
        },
        [bar](const QString &text, int timeoutMs) {
            if (bar)
                bar->showTransientMessage(text, timeoutMs);
        },
    };
}

bool MainWindow::isWelcomeShown() const
{
    return m_screens->isWelcomeShown();
}

int MainWindow::sidebarRebuildCount() const
{
    return m_sidebar->rebuildCount();
}

void MainWindow::connectSync()
{
    SyncEngine *engine = m_app->syncEngine();
    m_syncLabel = new QLabel(m_statusBar);
    m_syncLabel->setObjectName(QStringLiteral("syncStateLabel"));
    m_statusBar->addPermanentWidget(m_syncLabel);
    connect(engine, &SyncEngine::stateChanged, this, &MainWindow::showSyncState);
    connect(engine, &SyncEngine::syncCompleted, this,
            [this]() { m_statusBar->showTransientMessage(tr("Sync complete"), 3000); });
    connect(engine, &SyncEngine::syncFailed, this,
            [this](const QString &error) {
                // A reason may carry the server's words; Qt guesses at markup in tool tips.
                m_syncLabel->setToolTip(Qt::mightBeRichText(error) ? Qt::convertFromPlainText(error) : error);
            });
    // A cycle may have written rows without the repositories' signals.
    // An idle cycle wrote nothing since the last full read: nothing to read again.
    connect(engine, &SyncEngine::dataChanged, this, [this]() {
        if (m_fullReadMark.isEmpty() || SyncStore::writeMark() != m_fullReadMark)
            reloadAccounts();
    });
    connect(m_app->accountClient(), &BrioAccount::Client::authStateChanged, this, &MainWindow::showSyncState);
    showSyncState();
}

void MainWindow::connectAuth()
{
    connect(m_welcome, &WelcomePage::signInRequested, this, &MainWindow::signIn);
    BrioAccount::AuthClient *auth = m_app->accountClient()->authClient();
    connect(auth, &BrioAccount::AuthClient::stateChanged, this, &MainWindow::updateAuthUI);
    connect(auth, &BrioAccount::AuthClient::loginSucceeded, this, [this, auth]() {
        updateAuthUI();
        if (auth->isSignInKept())
            m_statusBar->showTransientMessage(tr("Signed in to your Tallowmere Account"), 3000);
    });
    connect(auth, &BrioAccount::AuthClient::signInNotKept, this, [this]() {
        showLastingWarning(tr("Signed in to your Tallowmere Account, but the sign-in could not be saved: it "
                              "will not be kept after Tallyfern closes."));
    });
    connect(auth, &BrioAccount::AuthClient::sessionExpired, this, [this]() {
        showLastingWarning(tr("You were signed out of your Tallowmere Account: the account service no longer "
                              "accepts this computer's sign-in. Syncing has stopped; your records on this "
                              "computer are kept.\n\nTo sync again, sign in via File › Tallowmere Account."));
    });
    // Without a browser the sign-in still waits for the redirect: the user opens the page by hand.
    connect(auth, &BrioAccount::AuthClient::browserOpenFailed, this, [this](const QUrl &address) {
        BrowserFallback::showAddress(this, tr("Sign In"),
                                     tr("No web browser could be opened. To sign in, open this address in a "
                                        "browser on this computer:"),
                                     address);
    });
    connect(auth, &BrioAccount::AuthClient::loginFailed, this, [this](const QString &error) {
        updateAuthUI();
        m_statusBar->showTransientMessage(tr("Sign-in failed: %1").arg(error), 5000);
    });
    connect(m_app, &AppState::uploadQuestionNeeded, this, &MainWindow::askToUpload);
    // Signing out changes the state first, so the commands are already updated.
    connect(auth, &BrioAccount::AuthClient::logoutCompleted, this,
            [this]() { m_statusBar->showTransientMessage(tr("Signed out"), 3000); });
    updateAuthUI();
    // A sign-in restored at start-up may wait for the answer already.
    if (m_app->isUploadHeld())
        askToUpload();
}

void MainWindow::showLastingWarning(const QString &text)
{
    // Status-bar text would soon give way to the sync's; this stays until read.
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Tallowmere Account"), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("accountWarning"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::askToUpload()
{
    // Sync waits from now, while the account's name is fetched too.
    showSyncState();
    BrioAccount::AuthClient *auth = m_app->accountClient()->authClient();
    // Also while the access token of a restored sign-in has run out.
    const QString userId = m_app->accountClient()->tokenManager()->subject();
    const QPointer<MainWindow> self(this);
    // The account is named by its e-mail, as the user knows it.
    auth->fetchCurrentUser([self, userId](const BrioAccount::User &user) {
        if (!self)
            return;
        const bool sameUser = user.id.isEmpty() || user.id == userId;
        const QString account = sameUser && !user.email.isEmpty() ? user.email : userId;
        // Asked from the event loop, not inside the network reply.
        QTimer::singleShot(0, self, [self, account]() {
            // A sign-out meanwhile has answered already.
            if (!self || !self->m_app->isUploadHeld())
                return;
            // The e-mail is the server's text, shown as written.
            const bool upload = PlainMessage::ask(
                self, tr("Tallowmere Account"),
                tr("Upload this computer's records to the online account %1?").arg(account), QMessageBox::No);
            if (!self)
                return;
            self->m_app->answerUploadQuestion(upload);
            self->showSyncState();
        });
    });
}

void MainWindow::updateAuthUI()
{
    const bool signedIn = m_app->accountClient()->isAuthenticated();
    // The File entry stays: signed in, it opens the account window.
    m_menus->signOutAction()->setVisible(signedIn);
    m_welcome->setSignInVisible(!signedIn);
    m_menus->shareAccountAction()->setEnabled(signedIn && !m_register->accountId().isEmpty());
    // The account window would otherwise keep showing the previous user's data.
    if (!signedIn)
        m_toolWindows->hideAccountScreen();
}

void MainWindow::signIn()
{
    m_statusBar->showCancellableActivity(tr("Waiting for sign-in in your browser..."));
    m_app->accountClient()->authClient()->login();
}

void MainWindow::cancelSignIn()
{
    m_app->accountClient()->authClient()->cancelLogin();
    updateAuthUI();
    m_statusBar->showTransientMessage(tr("Sign-in cancelled"), 3000);
}

void MainWindow::signOut()
{
    m_app->accountClient()->authClient()->logout();
}

void MainWindow::showSyncState()
{
    // Only a signed-in user has anything to sync.
    m_syncLabel->setVisible(m_app->accountClient()->isAuthenticated());
    // Nothing syncs until the upload question is answered: "Synced" would not be true.
    m_syncLabel->setText(m_app->isUploadHeld() ? tr("Sync waits for your answer")
                                               : SyncEngine::stateToString(m_app->syncEngine()->state()));
}

void MainWindow::scheduleReload(bool accountsChanged)
{
    m_accountsDirty = m_accountsDirty || accountsChanged;
    if (!m_reloadTimer->isActive())
        m_reloadTimer->start();
}

void MainWindow::reloadAccounts()
{
    m_fullReadMark = SyncStore::writeMark();
    m_accountsDirty = true;
    reloadNow();
    m_register->refresh();
}

void MainWindow::reloadNow()
{
    m_reloadTimer->stop();
    // Transactions change balances only; the list itself is read again when
    // accounts or the balance mode changed.
    if (m_accountsDirty || m_sidebar->accounts().isEmpty())
        m_sidebar->rebuild();
    else
        m_sidebar->refreshBalances();
    m_accountsDirty = false;
    const QList<Account> accounts = m_sidebar->accounts();
    if (accounts.isEmpty()) {
        // A list that could not be read is no sign of a first start.
        m_screens->setWelcomeShown(!m_sidebar->readFailed());
        if (!m_register->accountId().isEmpty())
            m_register->setAccount(QString());
        setWindowTitle(tr("Tallyfern"));
        updateAccountActions();
        return;
    }
    m_screens->setWelcomeShown(false);
    auto listed = [&accounts](const QString &id) {
        return std::any_of(accounts.begin(), accounts.end(), [&id](const Account &a) { return a.id == id; });
    };
    QString id = m_register->accountId();
    if (id.isEmpty() || !listed(id))
        id = listed(m_app->currentAccountId()) ? m_app->currentAccountId() : accounts.constFirst().id;
    selectAccount(id);
}

void MainWindow::selectAccount(const QString &accountId)
{
    if (accountId.isEmpty())
        return;
    m_sidebar->setCurrentAccountId(accountId);
    if (m_register->accountId() != accountId)
        m_register->setAccount(accountId);
    m_app->setCurrentAccountId(accountId);
    const QList<Account> accounts = m_sidebar->accounts();
    for (const Account &a : accounts) {
        if (a.id == accountId)
            setWindowTitle(tr("%1 — Tallyfern").arg(a.name));
    }
    updateAccountActions();
}

void MainWindow::updateAccountActions()
{
    const bool hasAccount = !m_register->accountId().isEmpty();
    m_menus->editAccountAction()->setEnabled(hasAccount);
    m_menus->deleteAccountAction()->setEnabled(hasAccount);
    m_menus->shareAccountAction()->setEnabled(hasAccount && m_app->accountClient()->isAuthenticated());
}

void MainWindow::onPreferenceShown(PreferenceUse use)
{
    if (use == PreferenceUse::Register)
        m_register->refresh();
    else
        scheduleReload(true);
    m_menus->syncViewMenu();
}

void MainWindow::newAccount()
{
    AccountFormDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Account account = dialog.account();
    if (account.name.trimmed().isEmpty())
        return;

    if (!m_app->accountService()->createAccount(account, dialog.asOfDate(), tr("Opening Balance"))) {
        QMessageBox::warning(this, tr("New Account"), tr("The account could not be created."));
        reloadNow();
        return;
    }
    reloadNow();
    selectAccount(account.id);
    // The welcome page that held the focus is gone: typing goes to the new register.
    m_register->focusEntryRow();
    m_statusBar->showTransientMessage(tr("Account \"%1\" created").arg(account.name), 3000);
}

void MainWindow::editAccount()
{
    const QString id = m_register->accountId();
    const std::optional<Account> account = id.isEmpty() ? std::nullopt : m_app->accounts()->findById(id);
    if (!account)
        return;
    AccountFormDialog dialog(*account, this);
    // The form edits the opening-balance transaction, so that the balance it
    // shows is one the register has a row for.
    const QStringList openingPayees = OpeningBalance::payees(tr("Opening Balance"));
    const std::optional<Transaction> opening = m_app->accountService()->openingTransaction(id, openingPayees);
    dialog.setOpeningBalance(account->startingBalance + (opening ? opening->amount : 0),
                             opening ? opening->date : account->createdAt.toLocalTime().date(),
                             opening && opening->reconciled);
    // Stored amounts are counts of the currency's minor unit: another currency would rescale them.
    dialog.setCurrencyLocked(!m_app->transactions()->findByAccount(id).isEmpty());
    if (dialog.exec() == QDialog::Accepted) {
        if (m_app->accountService()->updateAccount(dialog.account(), dialog.asOfDate(), openingPayees)) {
            reloadNow();
            m_register->refresh();
        } else {
            QMessageBox::warning(this, tr("Edit Account"), tr("The account could not be saved."));
        }
    }
    m_register->focusEntryRow();
}

void MainWindow::deleteAccount()
{
    const QString id = m_register->accountId();
    const std::optional<Account> account = id.isEmpty() ? std::nullopt : m_app->accounts()->findById(id);
    if (!account)
        return;
    // The name is the user's text, shown as written.
    QMessageBox question(QMessageBox::Question, tr("Delete Account"),
                         tr("Delete the account \"%1\"?\n\nIts transactions, recurring transactions and "
                            "reconciliations are deleted with it.")
                             .arg(account->name),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setTextFormat(Qt::PlainText);
    question.setDefaultButton(QMessageBox::No);
    // The other legs of its transfers stay, with their amounts, in the other accounts.
    if (const int linked = m_app->accountService()->linkedTransferCount(id); linked > 0)
        question.setInformativeText(tr(
            "%n transfer(s) link it to other accounts; their other side stays there as it is.", "", linked));
    if (question.exec() == QMessageBox::Yes) {
        if (m_app->accountService()->deleteAccount(id)) {
            m_register->setAccount(QString());
            reloadNow();
            m_statusBar->showTransientMessage(tr("Account \"%1\" deleted").arg(account->name), 3000);
        } else {
            QMessageBox::warning(this, tr("Delete Account"), tr("The account could not be deleted."));
        }
    }
    m_register->focusEntryRow();
}

void MainWindow::runAutoPost()
{
    // Not inside a long write's transaction, which a Cancel takes back.
    if (m_app->database()->writeHold()->deferWhileHeld(this, [this] { runAutoPost(); }))
        return;
    const int posted = m_app->recurringService()->autoPostDue();
    if (posted > 0)
        m_statusBar->showTransientMessage(posted == 1 ? tr("Posted 1 recurring transaction")
                                                      : tr("Posted %1 recurring transactions").arg(posted),
                                          4000);
    m_statusBar->setPendingRecurringCount(m_app->recurringService()->pendingCount());
}

void MainWindow::restoreWindowState()
{
    QSettings settings;
    if (!restoreGeometry(settings.value(SettingsKeys::MainWindowGeometry.name()).toByteArray())) {
        resize(1280, 800);
        if (const QScreen *screen = QApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            resize(qMin(1280, available.width() - 40), qMin(800, available.height() - 40));
        }
    }
    m_screens->restoreSplitterState(settings.value(SettingsKeys::MainWindowSplitter.name()).toByteArray());
}

void MainWindow::saveWindowState()
{
    QSettings settings;
    settings.setValue(SettingsKeys::MainWindowGeometry.name(), saveGeometry());
    settings.setValue(SettingsKeys::MainWindowSplitter.name(), m_screens->splitterState());
    m_register->saveColumnLayout();
}

bool MainWindow::saveBeforeEnd()
{
    const bool rowKept = m_register->submitPendingRow() || !m_register->entryRefused();
    m_app->saveCurrentAccountId();
    saveWindowState();
    return rowKept;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A row whose typed text cannot be saved keeps the window open on it.
    if (!saveBeforeEnd()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::openAccountScreen()
{
    if (!m_app->accountClient()->isAuthenticated()) {
        signIn();
        return;
    }
    m_toolWindows->openAccountScreen();
}

void MainWindow::shareAccount()
{
    const QString accountId = m_register->accountId();
    const std::optional<Account> account =
        accountId.isEmpty() ? std::nullopt : m_app->accounts()->findById(accountId);
    if (!account || !m_app->accountClient()->isAuthenticated())
        return;
    BrioAccount::ShareDialogTexts texts;
    texts.windowTitle = tr("Share Account");
    texts.heading = tr("Sharing: %1").arg(account->name);
    texts.explanation =
        tr("Share this account with members of your Tallowmere family group. They'll see the same "
           "register, balances, and reconciliation history on their devices.");
    texts.sharedSectionTitle = tr("Shared with");
    texts.notSharedText = tr("Not shared with anyone yet.");
    texts.noGroupText =
        tr("You are not in a family group yet. Create or join one in your Tallowmere account to "
           "share accounts.");
    texts.shareButtonText = tr("Share");
    texts.removeTooltip = tr("Remove access");
    texts.closeButtonText = tr("Close");
    texts.shareRole = QStringLiteral("member");
    texts.shareFailedTitle = tr("Share Failed");
    texts.removeFailedTitle = tr("Remove Failed");
    texts.removeConfirmTitle = tr("Remove Share");
    texts.removeConfirmText = tr("Remove %1's access to this account?");
    BrioAccount::ShareMembersDialog dialog(m_app->accountClient(), m_app->sharingService(), account->id,
                                           texts, this);
    connect(&dialog, &BrioAccount::ShareMembersDialog::sharingChanged, m_app->syncEngine(),
            &SyncEngine::requestSync);
    dialog.exec();
    m_register->focusEntryRow();
}
