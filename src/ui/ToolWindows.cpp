#include "ToolWindows.h"

#include "AccountRepository.h"
#include "AccountScreen.h"
#include "AppState.h"
#include "CategoriesScreen.h"
#include "ImportScreen.h"
#include "MainWindow.h"
#include "PayeeScreen.h"
#include "ReconciliationHistoryScreen.h"
#include "ReconciliationScreen.h"
#include "RecurringRepository.h"
#include "RecurringScreen.h"
#include "RegisterScreen.h"
#include "SearchScreen.h"
#include "SettingsScreen.h"
#include "StatusBar.h"

#include <QLayout>
#include <QScreen>

ToolWindows::ToolWindows(MainWindow *window, AppState *app)
    : QObject(window)
    , m_window(window)
    , m_app(app)
{
}

ToolWindows::~ToolWindows() = default;

void ToolWindows::prepare(QWidget *toolWindow, const QString &title, const QSize &size) const
{
    toolWindow->setWindowTitle(title);
    // On a screen smaller than the first size (the reconciliation's on a
    // 1000 x 700 display) the window would put its buttons out of reach.
    QSize first = size;
    if (const QScreen *screen = m_window->screen())
        first = first.boundedTo(screen->availableGeometry().size() - QSize(40, 40));
    toolWindow->resize(first);
    placeOverWindow(toolWindow);
    // Closing the main window ends the program also while a tool window is open.
    toolWindow->setAttribute(Qt::WA_QuitOnClose, false);
}

void ToolWindows::present(QWidget *toolWindow)
{
    toolWindow->show();
    toolWindow->raise();
    toolWindow->activateWindow();
}

void ToolWindows::placeOverWindow(QWidget *toolWindow) const
{
    // Centred over the main window and kept on its screen, rather than wherever
    // the window manager puts a new window (under the mouse, half off-screen).
    // A window whose content needs more than its first size grows to it on
    // showing; laying it out now gives the size it will have.
    toolWindow->ensurePolished();
    if (QLayout *layout = toolWindow->layout())
        layout->activate();
    QRect frame(QPoint(), toolWindow->size().expandedTo(toolWindow->minimumSize()));
    frame.moveCenter(m_window->geometry().center());
    if (const QScreen *screen = m_window->screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(qBound(available.left(), frame.left(),
                              qMax(available.left(), available.right() - frame.width())));
        frame.moveTop(
            qBound(available.top(), frame.top(), qMax(available.top(), available.bottom() - frame.height())));
    }
    toolWindow->move(frame.topLeft());
}

void ToolWindows::openImportScreen()
{
    if (!m_importScreen) {
        m_importScreen = std::make_unique<ImportScreen>(m_app);
        prepare(m_importScreen.get(), tr("Import Files"), QSize(900, 600));
        connect(m_importScreen.get(), &ImportScreen::transactionsImported, m_window,
                &MainWindow::reloadAccounts);
    } else {
        m_importScreen->reload();
    }
    present(m_importScreen.get());
}

void ToolWindows::openRecurringScreen()
{
    if (!m_recurringScreen) {
        m_recurringScreen = std::make_unique<RecurringScreen>(m_app);
        prepare(m_recurringScreen.get(), tr("Recurring Transactions"), QSize(700, 500));
        RecurringScreen *screen = m_recurringScreen.get();
        connect(m_app->recurring(), &RecurringRepository::recurringChanged, screen, [screen]() {
            if (screen->isVisible())
                screen->scheduleRefresh();
        });
        connect(screen, &RecurringScreen::transactionsChanged, this,
                &ToolWindows::recurringTransactionsPosted);
    }
    m_recurringScreen->refresh();
    present(m_recurringScreen.get());
}

void ToolWindows::openSettingsScreen()
{
    if (!m_settingsScreen) {
        m_settingsScreen = std::make_unique<SettingsScreen>(m_app);
        prepare(m_settingsScreen.get(), tr("Preferences"), QSize(500, 550));
        // A restore or backup import writes without repository signals.
        connect(m_settingsScreen.get(), &SettingsScreen::deletedAccountRestored, m_window,
                &MainWindow::reloadAccounts);
    }
    m_settingsScreen->refresh();
    present(m_settingsScreen.get());
}

void ToolWindows::openReconciliation()
{
    const QString accountId = m_window->registerScreen()->accountId();
    const std::optional<Account> account =
        accountId.isEmpty() ? std::nullopt : m_app->accounts()->findById(accountId);
    if (!account) {
        m_window->statusBarWidget()->showTransientMessage(tr("Select an account to reconcile"), 3000);
        return;
    }
    // One window per reconciliation; it deletes itself when closed, or with the main window.
    auto *screen = new ReconciliationScreen(m_app);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->setAccount(accountId);
    prepare(screen, tr("Reconcile — %1").arg(account->name), QSize(1100, 720));
    connect(m_window, &QObject::destroyed, screen, [screen]() { delete screen; });
    MainWindow *window = m_window;
    connect(screen, &ReconciliationScreen::reconciliationCompleted, window, [window, screen]() {
        window->reloadAccounts();
        screen->close();
    });
    connect(screen, &ReconciliationScreen::cancelled, screen, &QWidget::close);
    present(screen);
}

void ToolWindows::openReconciliationHistory()
{
    const QString accountId = m_window->registerScreen()->accountId();
    if (accountId.isEmpty()) {
        m_window->statusBarWidget()->showTransientMessage(tr("Select an account to see its reconciliations"),
                                                          3000);
        return;
    }
    if (!m_reconciliationHistory) {
        m_reconciliationHistory = std::make_unique<ReconciliationHistoryScreen>(m_app);
        prepare(m_reconciliationHistory.get(), tr("Reconciliation History"), QSize(750, 500));
    }
    m_reconciliationHistory->setAccount(accountId);
    present(m_reconciliationHistory.get());
}

void ToolWindows::openCategoriesScreen()
{
    if (!m_categoriesScreen) {
        m_categoriesScreen = std::make_unique<CategoriesScreen>(m_app);
        prepare(m_categoriesScreen.get(), tr("Categories"), QSize(600, 500));
    }
    m_categoriesScreen->reload();
    present(m_categoriesScreen.get());
}

void ToolWindows::openSearchScreen()
{
    if (!m_searchScreen) {
        m_searchScreen = std::make_unique<SearchScreen>(m_app);
        prepare(m_searchScreen.get(), tr("Search Transactions"), QSize(800, 550));
        // Its editTransactionRequested needs no answer here: the screen opens the editor itself.
    }
    m_searchScreen->refreshFilters();
    present(m_searchScreen.get());
    m_searchScreen->focusSearch();
}

void ToolWindows::openPayeeScreen()
{
    if (!m_payeeScreen) {
        m_payeeScreen = std::make_unique<PayeeScreen>(m_app);
        prepare(m_payeeScreen.get(), tr("Payee Management"), QSize(550, 500));
        // The rewrite emits no repository signal.
        connect(m_payeeScreen.get(), &PayeeScreen::payeesChanged, m_window->registerScreen(),
                &RegisterScreen::refresh);
    }
    m_payeeScreen->refresh();
    present(m_payeeScreen.get());
}

void ToolWindows::openAccountScreen()
{
    if (!m_accountScreen) {
        m_accountScreen = std::make_unique<BrioAccount::AccountScreen>(m_app->accountClient());
        prepare(m_accountScreen.get(), tr("Tallowmere Account"), QSize(820, 640));
        connect(m_accountScreen.get(), &BrioAccount::AccountScreen::logoutRequested, m_window,
                &MainWindow::signOut);
    }
    m_accountScreen->showTab(BrioAccount::AccountScreen::ProfilePage);
    m_accountScreen->refreshAll();
    present(m_accountScreen.get());
}

void ToolWindows::hideAccountScreen()
{
    if (m_accountScreen)
        m_accountScreen->hide();
}
