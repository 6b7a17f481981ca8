#include "MainWindowMenus.h"

#include "AccountSidebar.h"
#include "AppInfo.h"
#include "AppState.h"
#include "BrowserFallback.h"
#include "InteractiveCheck.h"
#include "MainWindow.h"
#include "PreferencesRepository.h"
#include "RegisterScreen.h"
#include "SettingsKeys.h"
#include "ThemeManager.h"
#include "WhatsNew.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <functional>

MainWindowMenus::MainWindowMenus(MainWindow *window, AppState *app, const BrioUpdate::UpdateConfig &updateConfig,
                                 const BrioUpdate::FeedbackConfig &feedbackConfig)
    : QObject(window)
    , m_window(window)
    , m_app(app)
    , m_updateConfig(updateConfig)
    , m_feedbackConfig(feedbackConfig)
{
    buildFileMenu();
    buildAccountMenu();
    buildTransactionMenu();
    buildViewMenu();
    buildToolsMenu();
    buildHelpMenu();
}

void MainWindowMenus::buildFileMenu()
{
    m_fileMenu = m_window->menuBar()->addMenu(tr("&File"));
    m_fileMenu->addAction(tr("Import..."), m_window, &MainWindow::openImportScreen);
    m_fileMenu->addSeparator();
    m_signInAction = m_fileMenu->addAction(tr("Tallowmere &Account..."), m_window,
                                           &MainWindow::openAccountScreen);
    m_signOutAction = m_fileMenu->addAction(tr("Sign &Out of Tallowmere Account"), m_window,
                                            &MainWindow::signOut);
    m_fileMenu->addSeparator();
    QAction *preferences =
        m_fileMenu->addAction(tr("&Preferences..."), m_window, &MainWindow::openSettingsScreen);
    preferences->setShortcut(QKeySequence(tr("Ctrl+,")));
    preferences->setMenuRole(QAction::PreferencesRole);
    m_exitAction = m_fileMenu->addAction(tr("E&xit"), qApp, &QApplication::closeAllWindows);
    m_exitAction->setShortcut(QKeySequence::Quit);
    m_exitAction->setMenuRole(QAction::QuitRole);
}

void MainWindowMenus::buildAccountMenu()
{
    m_accountMenu = m_window->menuBar()->addMenu(tr("&Account"));
    m_newAccountAction =
        m_accountMenu->addAction(tr("&New Account..."), m_window, &MainWindow::newAccount);
    m_newAccountAction->setShortcut(QKeySequence(tr("Ctrl+Shift+N")));
    m_editAccountAction =
        m_accountMenu->addAction(tr("&Edit Account..."), m_window, &MainWindow::editAccount);
    m_deleteAccountAction =
        m_accountMenu->addAction(tr("&Delete Account..."), m_window, &MainWindow::deleteAccount);
    m_accountMenu->addSeparator();
    m_shareAccountAction =
        m_accountMenu->addAction(tr("&Share Account..."), m_window, &MainWindow::shareAccount);
    QListWidget *list = m_window->sidebar()->list();
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    list->addActions({m_newAccountAction, m_editAccountAction, m_deleteAccountAction});
}

void MainWindowMenus::buildTransactionMenu()
{
    RegisterScreen *reg = m_window->registerScreen();
    m_transactionMenu = m_window->menuBar()->addMenu(tr("&Transaction"));
    m_transactionMenu->addAction(reg->newAction());
    m_transactionMenu->addSeparator();
    m_transactionMenu->addAction(reg->editAction());
    m_transactionMenu->addAction(reg->detailsAction());
    m_transactionMenu->addAction(reg->splitsAction());
    m_transactionMenu->addAction(reg->duplicateAction());
    m_transactionMenu->addAction(reg->memorizeAction());
    m_transactionMenu->addAction(reg->toggleClearedAction());
    m_transactionMenu->addAction(reg->deleteAction());
    m_transactionMenu->addSeparator();
    m_transactionMenu->addAction(reg->filterAction());
    m_transactionMenu->addAction(reg->clearFilterAction());
}

void MainWindowMenus::buildViewMenu()
{
    m_viewMenu = m_window->menuBar()->addMenu(tr("&View"));

    // A submenu of exclusive choices, each carrying the value it stands for.
    using Choices = QList<QPair<QString, QString>>;
    auto choiceGroup = [this](const QString &title, const Choices &choices,
                              const std::function<void(const QString &)> &pick) {
        QMenu *menu = m_viewMenu->addMenu(title);
        auto *group = new QActionGroup(m_window);
        for (const auto &[label, value] : choices) {
            QAction *action = menu->addAction(label);
            action->setCheckable(true);
            action->setData(value);
            group->addAction(action);
            connect(action, &QAction::triggered, m_window, [pick, value = value]() { pick(value); });
        }
        return group;
    };
    m_themeGroup = choiceGroup(tr("&Theme"),
                               Choices{{tr("&System"), QStringLiteral("system")},
                                       {tr("&Light"), QStringLiteral("light")},
                                       {tr("&Dark"), QStringLiteral("dark")}},
                               [this](const QString &name) {
                                   if (ThemeManager *manager = m_app->themeManager())
                                       manager->setTheme(name);
                               });
    m_balanceModeGroup =
        choiceGroup(tr("Sidebar &Balances"),
                    Choices{{tr("&Current Balance"), QStringLiteral("current")},
                            {tr("C&leared Balance"), QStringLiteral("cleared")},
                            {tr("Balance as of &Today"), QStringLiteral("asOfToday")}},
                    [this](const QString &mode) {
                        m_app->preferences()->set(PreferenceKeys::DashboardBalanceMode, mode);
                    });

    m_viewMenu->addSeparator();
    auto toggle = [this](const QString &label, PreferenceKey key) {
        QAction *action = m_viewMenu->addAction(label);
        action->setCheckable(true);
        connect(action, &QAction::triggered, m_window,
                [this, key](bool on) { m_app->preferences()->setBool(key, on); });
        return action;
    };
    m_twoLineAction = toggle(tr("T&wo-Line Register"), PreferenceKeys::RegisterTwoLine);
    m_newestFirstAction = toggle(tr("&Newest First"), PreferenceKeys::RegisterNewestFirst);
    m_showBalanceAction = toggle(tr("Show &Running Balance"), PreferenceKeys::RegisterShowBalance);
    syncViewMenu();
}

void MainWindowMenus::syncViewMenu()
{
    PreferencesRepository *prefs = m_app->preferences();
    const QString theme = prefs->value(PreferenceKeys::Theme);
    const QString mode = prefs->value(PreferenceKeys::DashboardBalanceMode);
    for (QAction *action : m_themeGroup->actions())
        action->setChecked(action->data().toString() == theme ||
                           (action->data().toString() == QLatin1String("system") &&
                            theme != QLatin1String("light") && theme != QLatin1String("dark")));
    bool modeFound = false;
    for (QAction *action : m_balanceModeGroup->actions()) {
        action->setChecked(action->data().toString() == mode);
        modeFound = modeFound || action->isChecked();
    }
    if (!modeFound)
        m_balanceModeGroup->actions().constFirst()->setChecked(true);
    m_twoLineAction->setChecked(prefs->getBool(PreferenceKeys::RegisterTwoLine));
    m_newestFirstAction->setChecked(prefs->getBool(PreferenceKeys::RegisterNewestFirst));
    m_showBalanceAction->setChecked(prefs->getBool(PreferenceKeys::RegisterShowBalance));
}

void MainWindowMenus::buildToolsMenu()
{
    m_toolsMenu = m_window->menuBar()->addMenu(tr("T&ools"));
    m_toolsMenu->menuAction()->setVisible(false);
    auto addTool = [this](const QString &text, void (MainWindow::*open)()) {
        auto *action = new QAction(text, m_window);
        connect(action, &QAction::triggered, m_window, open);
        addToolWindowAction(action);
    };
    addTool(tr("Reconcile..."), &MainWindow::openReconciliation);
    addTool(tr("Reconciliation History..."), &MainWindow::openReconciliationHistory);
    addTool(tr("Recurring Transactions..."), &MainWindow::openRecurringScreen);
    addTool(tr("Categories..."), &MainWindow::openCategoriesScreen);
    addTool(tr("Search Transactions..."), &MainWindow::openSearchScreen);
    addTool(tr("Payees..."), &MainWindow::openPayeeScreen);
}

void MainWindowMenus::addToolWindowAction(QAction *action)
{
    m_toolsMenu->addAction(action);
    m_toolsMenu->menuAction()->setVisible(true);
}

void MainWindowMenus::buildHelpMenu()
{
    m_helpMenu = m_window->menuBar()->addMenu(tr("&Help"));
    // The update flows outlive the click: they get copies of the configuration
    // and hooks that reach the status bar only while it exists.
    m_helpMenu->addAction(tr("Check for &Updates..."), m_window, [this]() {
        BrioUpdate::checkForUpdatesInteractive(m_updateConfig, QString::fromLatin1(AppInfo::DisplayName), m_window,
                                               m_window->statusHooks());
    });
    m_helpMenu->addAction(tr("What's &New..."), m_window, [this]() {
        BrioUpdate::showWhatsNew(m_updateConfig, QString::fromLatin1(AppInfo::DisplayName), m_window,
                                 m_window->statusHooks());
    });
    m_helpMenu->addAction(tr("Send &Feedback..."), m_window, [this]() {
        if (!BrioUpdate::openFeedbackPage(m_feedbackConfig))
            BrowserFallback::showAddress(
                m_window, tr("Send Feedback"),
                tr("No web browser could be opened. Open this address in a browser:"),
                BrioUpdate::feedbackPageUrl(m_feedbackConfig));
    });
    m_helpMenu->addSeparator();
    QAction *about = m_helpMenu->addAction(tr("&About Tallyfern"), m_window, [this]() {
        QMessageBox::about(m_window, tr("About Tallyfern"),
                           tr("<h3>Tallyfern %1</h3><p>A check register for your desktop: accounts, "
                                          "transactions, transfers and splits, kept in one file on this "
                                          "computer.</p>")
                               .arg(QApplication::applicationVersion()));
    });
    about->setMenuRole(QAction::AboutRole);
}
