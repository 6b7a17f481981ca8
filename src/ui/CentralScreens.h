#pragma once

#include <QObject>

class AccountSidebar;
class AppState;
class QByteArray;
class QMainWindow;
class QSplitter;
class QStackedWidget;
class RegisterScreen;
class WelcomePage;

// The main window's central widget: the welcome page while there is no
// account, otherwise the account sidebar beside the register. The sidebar
// gives up width in a narrow window so that the register's amounts stay in
// sight, and takes it back when the window grows.
class CentralScreens : public QObject
{
    Q_OBJECT
public:
    // Builds the screens as the window's central widget; the window is the parent.
    CentralScreens(QMainWindow *window, AppState *app);

    WelcomePage *welcomePage() const { return m_welcome; }
    AccountSidebar *sidebar() const { return m_sidebar; }
    RegisterScreen *registerScreen() const { return m_register; }

    bool isWelcomeShown() const;
    // The welcome page, or the sidebar and register.
    void setWelcomeShown(bool shown);

    // The split between sidebar and register, as kept between sessions.
    QByteArray splitterState() const;
    void restoreSplitterState(const QByteArray &state);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitSidebar();

    QStackedWidget *m_stack = nullptr;
    WelcomePage *m_welcome = nullptr;
    QSplitter *m_splitter = nullptr;
    AccountSidebar *m_sidebar = nullptr;
    RegisterScreen *m_register = nullptr;
    static constexpr int MinSidebarWidth = 170;
    // What the register's columns need before amounts scroll out of sight.
    static constexpr int RegisterMinWidth = 620;
    int m_sidebarWidth = 260;
};
