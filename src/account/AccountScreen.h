#pragma once

#include "AccountRecords.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTimer;
class QVBoxLayout;

namespace BrioAccount {

class AccountGroupPage;
class Client;

// The window in which the signed-in user looks after the online account: profile and password,
// the group and its invitations, registered devices, signed-in sessions and account deletion.
// It never signs anybody out itself; it asks its opener through logoutRequested.
class AccountScreen : public QWidget
{
    Q_OBJECT

public:
    // Page keys: the side list's rows and the page stack share one index.
    enum Page
    {
        ProfilePage = 0,
        GroupPage = 1,
        DevicesPage = 2,
        SecurityPage = 3,
        PrivacyPage = 4,
    };

    explicit AccountScreen(Client *client, QWidget *parent = nullptr);
    ~AccountScreen() override;

    void showTab(int index);
    // Re-reads every page; each one fills when its own answer arrives.
    void refreshAll();
    void refreshProfile();
    void refreshGroup();
    void refreshDevices();
    void refreshSessions();

    void showError(const QString &message);
    void showSuccess(const QString &message);

signals:
    void logoutRequested();

private:
    QWidget *createProfileTab();
    QWidget *createDevicesTab();
    QWidget *createSecurityTab();
    QWidget *createPrivacyTab();

    // A page with its title; its layout is handed back for the page's content.
    QWidget *createPage(const QString &title, QVBoxLayout **layout);
    void showStatus(const QString &message, const QString &styleSheet, int timeoutMs);

    void showProfile(const User &user);
    void editDisplayName();
    void changePassword();
    void showSessions(const QList<Session> &sessions);
    void revokeSession(const QString &sessionId);

    // Shows the outcome of an action the service answers with a flag, and reads again later.
    void afterAction(bool ok, const QString &success, const QString &failure,
                     void (AccountScreen::*reread)());

    void showDevices(const QList<Device> &devices);
    void removeDevice(const QString &deviceId, const QString &deviceName);
    // Group owners may not delete their account; decided again at every refresh.
    void updateDeleteAllowed();
    void deleteAccount();

    Client *m_client = nullptr;
    QListWidget *m_sideList = nullptr;
    QStackedWidget *m_pageStack = nullptr;
    QLabel *m_statusLine = nullptr;
    QLabel *m_nameLine = nullptr;
    QLabel *m_emailLine = nullptr;
    QPushButton *m_editNameButton = nullptr;
    AccountGroupPage *m_groupPage = nullptr;
    QVBoxLayout *m_devicesLayout = nullptr;
    QWidget *m_devicesContent = nullptr;
    QVBoxLayout *m_securityLayout = nullptr;
    QWidget *m_sessionsContent = nullptr;
    // One timer for the status line, so that an older message's time cannot clear a newer one.
    QTimer *m_statusTimer = nullptr;
    QPushButton *m_changePasswordButton = nullptr;
    QPushButton *m_deleteButton = nullptr;
    QLabel *m_ownerNote = nullptr;
    bool m_deleting = false;
};

} // namespace BrioAccount
