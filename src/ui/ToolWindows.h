#pragma once

#include <QObject>
#include <memory>

class AppState;
class CategoriesScreen;
class ImportScreen;
class MainWindow;
class PayeeScreen;
class QSize;
class QString;
class QWidget;
class ReconciliationHistoryScreen;
class RecurringScreen;
class SearchScreen;
class SettingsScreen;
namespace BrioAccount {
class AccountScreen;
}

// The main window's tool windows: separate windows without a parent, each
// made on first use (a reconciliation anew for every request), sized to the
// screen, placed over the main window and raised when already open.
class ToolWindows : public QObject
{
    Q_OBJECT
public:
    // The window is the parent; the tool windows report to it.
    ToolWindows(MainWindow *window, AppState *app);
    ~ToolWindows() override;

    // Each window once it was opened; null before.
    BrioAccount::AccountScreen *accountScreen() const { return m_accountScreen.get(); }
    ImportScreen *importScreen() const { return m_importScreen.get(); }
    SettingsScreen *settingsScreen() const { return m_settingsScreen.get(); }

    void openImportScreen();
    void openRecurringScreen();
    void openSettingsScreen();
    void openReconciliation();
    void openReconciliationHistory();
    void openCategoriesScreen();
    void openSearchScreen();
    void openPayeeScreen();
    // The online account's window; the caller has made sure the user is signed in.
    void openAccountScreen();
    // Hides the account window, which would otherwise show a signed-out user's data.
    void hideAccountScreen();

signals:
    // The recurring transactions window posted transactions.
    void recurringTransactionsPosted();

private:
    // Title, first size and place over the main window, for a tool window made now.
    void prepare(QWidget *toolWindow, const QString &title, const QSize &size) const;
    static void present(QWidget *toolWindow);
    void placeOverWindow(QWidget *toolWindow) const;

    MainWindow *m_window = nullptr;
    AppState *m_app = nullptr;
    std::unique_ptr<ReconciliationHistoryScreen> m_reconciliationHistory;
    std::unique_ptr<ImportScreen> m_importScreen;
    std::unique_ptr<RecurringScreen> m_recurringScreen;
    std::unique_ptr<SettingsScreen> m_settingsScreen;
    std::unique_ptr<CategoriesScreen> m_categoriesScreen;
    std::unique_ptr<SearchScreen> m_searchScreen;
    std::unique_ptr<PayeeScreen> m_payeeScreen;
    std::unique_ptr<BrioAccount::AccountScreen> m_accountScreen;
};
