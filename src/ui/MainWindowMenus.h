#pragma once

#include "FeedbackConfig.h"
#include "UpdateConfig.h"

#include <QObject>

class AppState;
class MainWindow;
class QAction;
class QActionGroup;
class QMenu;

// The main window's menu bar: builds its menus and holds the actions the
// window enables, shows or checks as the accounts, sign-in and preferences
// change.
class MainWindowMenus : public QObject
{
    Q_OBJECT
public:
    // Builds the menus into the window's menu bar; the window is the parent.
    MainWindowMenus(MainWindow *window, AppState *app, const BrioUpdate::UpdateConfig &updateConfig,
                    const BrioUpdate::FeedbackConfig &feedbackConfig);

    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *accountMenu() const { return m_accountMenu; }
    QMenu *transactionMenu() const { return m_transactionMenu; }
    QMenu *viewMenu() const { return m_viewMenu; }
    QMenu *toolsMenu() const { return m_toolsMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }
    QAction *exitAction() const { return m_exitAction; }
    QAction *signInAction() const { return m_signInAction; }
    QAction *signOutAction() const { return m_signOutAction; }
    QAction *shareAccountAction() const { return m_shareAccountAction; }
    QAction *editAccountAction() const { return m_editAccountAction; }
    QAction *deleteAccountAction() const { return m_deleteAccountAction; }

    // Adds an entry that opens a tool window; the Tools menu shows once it has one.
    void addToolWindowAction(QAction *action);
    // Checks the View menu's entries as the preferences say.
    void syncViewMenu();

private:
    void buildFileMenu();
    void buildAccountMenu();
    void buildTransactionMenu();
    void buildViewMenu();
    void buildToolsMenu();
    void buildHelpMenu();

    MainWindow *m_window = nullptr;
    AppState *m_app = nullptr;
    BrioUpdate::UpdateConfig m_updateConfig;
    BrioUpdate::FeedbackConfig m_feedbackConfig;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_accountMenu = nullptr;
    QMenu *m_transactionMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_toolsMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_signInAction = nullptr;
    QAction *m_signOutAction = nullptr;
    QAction *m_shareAccountAction = nullptr;
    QAction *m_newAccountAction = nullptr;
    QAction *m_editAccountAction = nullptr;
    QAction *m_deleteAccountAction = nullptr;
    QActionGroup *m_themeGroup = nullptr;
    QActionGroup *m_balanceModeGroup = nullptr;
    QAction *m_twoLineAction = nullptr;
    QAction *m_newestFirstAction = nullptr;
    QAction *m_showBalanceAction = nullptr;
};
