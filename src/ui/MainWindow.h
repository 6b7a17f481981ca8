#pragma once

#include "FeedbackConfig.h"
#include "MainWindowMenus.h"
#include "PreferenceKeys.h"
#include "StatusHooks.h"
#include "ToolWindows.h"
#include "UpdateConfig.h"

#include <QMainWindow>

class AccountSidebar;
class AppState;
class CentralScreens;
class QAction;
class QLabel;
class QTimer;
class RegisterScreen;
class StatusBar;
class WelcomePage;

// The one main window: the account sidebar and the selected account's
// register (or the welcome page while there is no account), the menus, the
// status bar, and the hourly posting of due recurring transactions.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int AutoPostIntervalMs = 3600000;

    // The update and feedback configuration serve the Help menu; the process
    // that builds the window supplies them.
    explicit MainWindow(AppState *app, const BrioUpdate::UpdateConfig &updateConfig = {},
                        const BrioUpdate::FeedbackConfig &feedbackConfig = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    AccountSidebar *sidebar() const { return m_sidebar; }
    RegisterScreen *registerScreen() const { return m_register; }
    StatusBar *statusBarWidget() const { return m_statusBar; }
    // The status bar's activity and message functions for the update library's
    // Help-menu flows; safe to call after the window is gone.
    BrioUpdate::StatusHooks statusHooks() const;
    bool isWelcomeShown() const;
    // How often the sidebar was rebuilt: a burst of writes should cost one rebuild.
    int sidebarRebuildCount() const;
    // Saves what closing saves (the row being typed, the account shown, the
    // window's layout) and leaves the window open: also for an end of the
    // program that cannot wait for the user. False when the row holds text
    // that cannot be saved; it stays as typed.
    bool saveBeforeEnd();

    QMenu *fileMenu() const { return m_menus->fileMenu(); }
    QMenu *accountMenu() const { return m_menus->accountMenu(); }
    QMenu *transactionMenu() const { return m_menus->transactionMenu(); }
    QMenu *viewMenu() const { return m_menus->viewMenu(); }
    QMenu *toolsMenu() const { return m_menus->toolsMenu(); }
    QMenu *helpMenu() const { return m_menus->helpMenu(); }
    QAction *exitAction() const { return m_menus->exitAction(); }
    QAction *signInAction() const { return m_menus->signInAction(); }
    QAction *signOutAction() const { return m_menus->signOutAction(); }
    QAction *shareAccountAction() const { return m_menus->shareAccountAction(); }
    // The online account's window once it was opened; null before.
    BrioAccount::AccountScreen *accountScreen() const { return m_toolWindows->accountScreen(); }
    // Adds an entry that opens a tool window; the Tools menu shows once it has one.
    void addToolWindowAction(QAction *action) { m_menus->addToolWindowAction(action); }
    // The import window once it was opened; null before.
    ImportScreen *importScreen() const { return m_toolWindows->importScreen(); }
    // The preferences window once it was opened; null before.
    SettingsScreen *settingsScreen() const { return m_toolWindows->settingsScreen(); }

public slots:
    void newAccount();
    void editAccount();
    void deleteAccount();
    void selectAccount(const QString &accountId);
    // Re-reads the account list and balances at once (after writes that emit no signal).
    void reloadAccounts();
    // Posts the due recurring transactions marked for automatic posting.
    void runAutoPost();
    // Opens the browser's sign-in page; the loopback listener takes the answer.
    void signIn();
    // Stops waiting for the browser's sign-in.
    void cancelSignIn();
    void signOut();
    // Offers sign-in or sign-out as the account client's state says.
    void updateAuthUI();
    // The online account's window while signed in, made on first use and read again on every
    // opening; the browser's sign-in otherwise.
    void openAccountScreen();
    // Shares the current account with members of the user's group.
    void shareAccount();
    // Opens a new reconciliation window for the current account.
    void openReconciliation() { m_toolWindows->openReconciliation(); }
    // Opens the reconciliation history, made on first use, for the current account.
    void openReconciliationHistory() { m_toolWindows->openReconciliationHistory(); }
    // Opens the import window, made on first use and raised when open.
    void openImportScreen() { m_toolWindows->openImportScreen(); }
    // Opens the recurring transactions window, made on first use, read again on every opening.
    void openRecurringScreen() { m_toolWindows->openRecurringScreen(); }
    // Opens the preferences window, made on first use, read again on every opening.
    void openSettingsScreen() { m_toolWindows->openSettingsScreen(); }
    // The category, search and payee windows, each made on first use and raised when open.
    void openCategoriesScreen() { m_toolWindows->openCategoriesScreen(); }
    void openSearchScreen() { m_toolWindows->openSearchScreen(); }
    void openPayeeScreen() { m_toolWindows->openPayeeScreen(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectSync();
    void connectAuth();
    // Asks whether a new user's sign-in may upload this computer's records.
    void askToUpload();
    // A message about the online account that stays until the user closes it.
    void showLastingWarning(const QString &text);
    void showSyncState();
    void scheduleReload(bool accountsChanged);
    void reloadNow();
    void onPreferenceShown(PreferenceUse use);
    void updateAccountActions();
    void saveWindowState();
    void restoreWindowState();

    AppState *m_app = nullptr;
    CentralScreens *m_screens = nullptr;
    WelcomePage *m_welcome = nullptr;
    AccountSidebar *m_sidebar = nullptr;
    RegisterScreen *m_register = nullptr;
    StatusBar *m_statusBar = nullptr;
    QLabel *m_syncLabel = nullptr;
    QTimer *m_reloadTimer = nullptr;
    QTimer *m_autoPostTimer = nullptr;
    bool m_accountsDirty = false;
    // The database's write mark at the last full read (SyncStore::writeMark).
    QString m_fullReadMark;

    MainWindowMenus *m_menus = nullptr;
    ToolWindows *m_toolWindows = nullptr;
};
