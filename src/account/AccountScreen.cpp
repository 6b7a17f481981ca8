#include "AccountScreen.h"

#include "AccountClient.h"
#include "AccountGroupPage.h"
#include "AccountList.h"
#include "AccountWidgets.h"
#include "AuthClient.h"
#include "Client.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace BrioAccount {

using namespace AccountWidgets;

namespace {

const QString NotSet = QStringLiteral("(not set)");
const QString MiddleDot = QStringLiteral("  \u00B7  ");

QString sideListStyle()
{
    const QPalette palette = QApplication::palette();
    const QColor window = palette.color(QPalette::Window);
    const bool dark = window.lightness() < 128;
    QColor background = palette.color(QPalette::AlternateBase);
    if (!background.isValid())
        background = window.lighter(dark ? 115 : 97);
    const QColor hover = dark ? window.lighter(135) : window.darker(105);
    return QStringLiteral("QListWidget {  background: %1; border: none; padding: 12px 8px;}"
                          "QListWidget::item {  padding: 8px 12px; border-radius: 6px;}"
                          "QListWidget::item:hover { background: %2; }"
                          "QListWidget::item:selected { background: %3; color: %4; }")
        .arg(background.name(), hover.name(), palette.color(QPalette::Highlight).name(),
             palette.color(QPalette::HighlightedText).name());
}

} // namespace

AccountScreen::AccountScreen(Client *client, QWidget *parent)
    : QWidget(parent)
    , m_client(client)
{
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_sideList = new QListWidget(this);
    m_sideList->setFixedWidth(180);
    m_sideList->setFrameShape(QFrame::NoFrame);
    m_sideList->setFocusPolicy(Qt::NoFocus);
    m_sideList->setSpacing(2);
    m_sideList->setStyleSheet(sideListStyle());
    m_sideList->addItems({QStringLiteral("Profile"), QStringLiteral("Group"), QStringLiteral("Devices"),
                          QStringLiteral("Security"), QStringLiteral("Data & Privacy")});
    m_sideList->setCurrentRow(ProfilePage);

    m_pageStack = new QStackedWidget(this);
    m_pageStack->addWidget(createProfileTab());
    m_groupPage = new AccountGroupPage(m_client, this);
    m_pageStack->addWidget(m_groupPage);
    m_pageStack->addWidget(createDevicesTab());
    m_pageStack->addWidget(createSecurityTab());
    m_pageStack->addWidget(createPrivacyTab());
    connect(m_sideList, &QListWidget::currentRowChanged, m_pageStack, &QStackedWidget::setCurrentIndex);

    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(m_pageStack, 1);
    m_statusLine = plainLabel(QString(), this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setFixedHeight(24);
    resizeFont(m_statusLine, -1);
    right->addWidget(m_statusLine);

    m_statusTimer = new QTimer(this);
    m_statusTimer->setSingleShot(true);
    connect(m_statusTimer, &QTimer::timeout, m_statusLine, &QLabel::clear);

    outer->addWidget(m_sideList);
    outer->addLayout(right, 1);
}

AccountScreen::~AccountScreen() = default;

void AccountScreen::showTab(int index)
{
    m_sideList->setCurrentRow(index);
    m_pageStack->setCurrentIndex(index);
}

void AccountScreen::refreshAll()
{
    updateDeleteAllowed();
    refreshProfile();
    refreshGroup();
    refreshDevices();
    refreshSessions();
}

void AccountScreen::refreshProfile()
{
    QPointer<AccountScreen> self(this);
    m_client->authClient()->fetchCurrentUser([self](User user) {
        if (self)
            self->showProfile(user);
    });
}

void AccountScreen::refreshGroup()
{
    m_groupPage->refresh();
}

void AccountScreen::refreshDevices()
{
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->getDevices([self](QList<Device> devices) {
        if (self)
            self->showDevices(devices);
    });
}

void AccountScreen::refreshSessions()
{
    QPointer<AccountScreen> self(this);
    m_client->authClient()->listSessions([self](QList<Session> sessions) {
        if (self)
            self->showSessions(sessions);
    });
}

void AccountScreen::showStatus(const QString &message, const QString &styleSheet, int timeoutMs)
{
    m_statusLine->setStyleSheet(styleSheet);
    m_statusLine->setText(message);
    m_statusTimer->start(timeoutMs);
}

void AccountScreen::showError(const QString &message)
{
    showStatus(message, QStringLiteral("color: #C62828; padding: 4px;"), 4000);
}

void AccountScreen::showSuccess(const QString &message)
{
    showStatus(message, QStringLiteral("color: #2E7D32; padding: 4px;"), 3000);
}

QWidget *AccountScreen::createPage(const QString &title, QVBoxLayout **layout)
{
    auto *page = new QWidget(this);
    *layout = setUpPage(page, title);
    return page;
}

void AccountScreen::afterAction(bool ok, const QString &success, const QString &failure,
                                void (AccountScreen::*reread)())
{
    if (ok)
        showSuccess(success);
    else
        showError(failure);
    QTimer::singleShot(RereadDelayMs, this, reread);
}

// ---- Profile ------------------------------------------------------------------------------

QWidget *AccountScreen::createProfileTab()
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = createPage(QStringLiteral("Profile"), &layout);
    layout->addWidget(section(QStringLiteral("Personal Information"), QString(), this));

    auto *lines = new QVBoxLayout;
    lines->setContentsMargins(12, 0, 0, 0);
    lines->setSpacing(6);
    m_nameLine = plainLabel(QString(), page);
    m_emailLine = plainLabel(QString(), page);
    setSecondaryColour(m_emailLine);
    lines->addWidget(m_nameLine);
    lines->addWidget(m_emailLine);
    layout->addLayout(lines);
    layout->addSpacing(8);

    QHBoxLayout *buttons = indentedRow();
    m_editNameButton = new QPushButton(QStringLiteral("Edit Display Name"), page);
    auto *signOut = new QPushButton(QStringLiteral("Sign Out"), page);
    buttons->addWidget(m_editNameButton);
    buttons->addStretch();
    buttons->addWidget(signOut);
    layout->addLayout(buttons);
    connect(m_editNameButton, &QPushButton::clicked, this, &AccountScreen::editDisplayName);
    connect(signOut, &QPushButton::clicked, this, &AccountScreen::logoutRequested);

    layout->addSpacing(16);
    layout->addWidget(separator(this));
    layout->addSpacing(8);
    layout->addWidget(
        section(QStringLiteral("Password"), QStringLiteral("Change your account password."), this));
    QHBoxLayout *passwordRow = indentedRow();
    m_changePasswordButton = new QPushButton(QStringLiteral("Change Password"), page);
    passwordRow->addWidget(m_changePasswordButton);
    passwordRow->addStretch();
    layout->addLayout(passwordRow);
    connect(m_changePasswordButton, &QPushButton::clicked, this, &AccountScreen::changePassword);
    layout->addStretch();
    return page;
}

void AccountScreen::showProfile(const User &user)
{
    m_nameLine->setText(user.displayName.isEmpty() ? NotSet : user.displayName);
    m_emailLine->setText(user.email);
}

void AccountScreen::editDisplayName()
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, QStringLiteral("Edit Display Name"), QStringLiteral("Display name:"),
                              QLineEdit::Normal, m_nameLine->text(), &ok)
            .trimmed();
    // The placeholder offered for a missing name is no name to send.
    if (!ok || text.isEmpty() || text == NotSet)
        return;
    m_editNameButton->setEnabled(false);
    QPointer<AccountScreen> self(this);
    m_client->authClient()->updateProfile(text, [self](User user) {
        if (!self)
            return;
        self->m_editNameButton->setEnabled(true);
        if (user.id.isEmpty()) {
            self->showError(QStringLiteral("Failed to update profile."));
            return;
        }
        self->m_nameLine->setText(user.displayName);
        self->showSuccess(QStringLiteral("Display name updated."));
    });
}

void AccountScreen::changePassword()
{
    const QString title = QStringLiteral("Change Password");
    bool ok = false;
    const QString current = QInputDialog::getText(this, title, QStringLiteral("Current password:"),
                                                  QLineEdit::Password, QString(), &ok);
    if (!ok || current.isEmpty())
        return;
    const QString next = QInputDialog::getText(
        this, title, QStringLiteral("New password (min 8 characters):"), QLineEdit::Password, QString(), &ok);
    if (!ok || next.isEmpty())
        return;
    if (next.length() < 8) {
        showError(QStringLiteral("Password must be at least 8 characters."));
        return;
    }
    const QString confirmation = QInputDialog::getText(this, title, QStringLiteral("Confirm new password:"),
                                                       QLineEdit::Password, QString(), &ok);
    if (!ok || confirmation != next) {
        showError(QStringLiteral("Passwords do not match."));
        return;
    }
    m_changePasswordButton->setEnabled(false);
    QPointer<AccountScreen> self(this);
    m_client->authClient()->changePassword(current, next, [self](bool changed) {
        if (!self)
            return;
        self->m_changePasswordButton->setEnabled(true);
        if (changed)
            self->showSuccess(QStringLiteral("Password changed."));
        else
            self->showError(QStringLiteral("Failed to change password."));
    });
}

// ---- Security -----------------------------------------------------------------------------

QWidget *AccountScreen::createSecurityTab()
{
    QWidget *page = createPage(QStringLiteral("Security"), &m_securityLayout);
    m_sessionsContent = new QWidget(page);
    m_securityLayout->addWidget(m_sessionsContent);
    m_securityLayout->addStretch();
    return page;
}

void AccountScreen::showSessions(const QList<Session> &sessions)
{
    QVBoxLayout *layout = replaceContent(m_securityLayout, &m_sessionsContent, 8);
    QWidget *container = m_sessionsContent;
    layout->addWidget(section(QStringLiteral("Active Sessions"),
                              QStringLiteral("Sessions currently signed in to your account."), container));
    if (sessions.isEmpty()) {
        QLabel *empty = plainLabel(QStringLiteral("No active sessions."), container);
        empty->setContentsMargins(12, 0, 0, 0);
        layout->addWidget(empty);
        layout->addStretch();
        return;
    }
    QList<AccountListRow> rows;
    QStringList ids;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const Session &session : sessions.first(AccountList::shownOf(sessions.size()))) {
        AccountListRow row;
        row.title = session.userAgent;
        if (row.title.isEmpty())
            row.title = QStringLiteral("Unknown client");
        else if (row.title.length() > 60)
            row.title = row.title.left(60) + QStringLiteral("...");
        QString detail =
            session.isCurrent ? QStringLiteral("This session") : relativeTime(session.lastActiveAt, now);
        if (!session.ipAddress.isEmpty())
            detail += MiddleDot + session.ipAddress;
        row.details = {detail};
        if (session.isCurrent) {
            row.badge = QStringLiteral("Current");
            // On a dark window the nearest shade of the green that still reads (4.5:1).
            row.badgeColour = themed(QColor(0x2E, 0x7D, 0x32), QColor(0x57, 0x97, 0x5A));
        } else {
            row.button = QStringLiteral("Revoke");
        }
        rows.append(row);
        ids.append(session.isCurrent ? QString() : session.id);
    }
    AccountList *list = rowList(container, 6, 6, true);
    list->setRows(rows, sessions.size());
    connect(list, &AccountList::buttonClicked, this, [this, ids](int row) { revokeSession(ids.value(row)); });
    layout->addWidget(list, 1);
    layout->addStretch();
}

void AccountScreen::revokeSession(const QString &sessionId)
{
    QPointer<AccountScreen> self(this);
    m_client->authClient()->revokeSession(sessionId, [self](bool ok) {
        if (self)
            self->afterAction(ok, QStringLiteral("Session revoked."),
                              QStringLiteral("Failed to revoke session."), &AccountScreen::refreshSessions);
    });
}

// ---- Devices ------------------------------------------------------------------------------

QWidget *AccountScreen::createDevicesTab()
{
    QWidget *page = createPage(QStringLiteral("Devices"), &m_devicesLayout);
    m_devicesContent = new QWidget(page);
    m_devicesLayout->addWidget(m_devicesContent);
    m_devicesLayout->addStretch();
    return page;
}

void AccountScreen::showDevices(const QList<Device> &devices)
{
    QVBoxLayout *layout = replaceContent(m_devicesLayout, &m_devicesContent, 4);
    QWidget *container = m_devicesContent;
    layout->addWidget(section(QStringLiteral("Registered Devices"),
                              QStringLiteral("Devices that have synced with your account."), container));
    if (devices.isEmpty()) {
        QLabel *empty = plainLabel(QStringLiteral("No devices registered."), container);
        setSecondaryColour(empty);
        empty->setContentsMargins(12, 0, 0, 0);
        layout->addWidget(empty);
        layout->addStretch();
        return;
    }
    QList<AccountListRow> rows;
    const QList<Device> shown = devices.first(AccountList::shownOf(devices.size()));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const Device &device : shown) {
        AccountListRow row;
        row.title = device.deviceName.isEmpty() ? QStringLiteral("Unknown Device") : device.deviceName;
        row.titleWeight = QFont::Bold;
        QString detail = device.platform;
        if (!device.appVersion.isEmpty())
            detail += MiddleDot + QStringLiteral("v%1").arg(device.appVersion);
        row.details = {detail, relativeTime(device.lastSyncAt, now)};
        row.button = QStringLiteral("Remove");
        rows.append(row);
    }
    AccountList *list = rowList(container, 6, 6, true);
    list->setRows(rows, devices.size());
    connect(list, &AccountList::buttonClicked, this, [this, shown](int row) {
        if (row >= 0 && row < shown.size())
            removeDevice(shown.at(row).id, shown.at(row).deviceName);
    });
    layout->addWidget(list, 1);
    layout->addStretch();
}

void AccountScreen::removeDevice(const QString &deviceId, const QString &deviceName)
{
    QPointer<AccountScreen> self(this);
    if (!askYesNo(this, QStringLiteral("Remove Device"), QStringLiteral("Remove %1?").arg(deviceName)) ||
        !self)
        return;
    m_client->accountClient()->removeDevice(deviceId, [self](bool ok) {
        if (self)
            self->afterAction(ok, QStringLiteral("Device removed."),
                              QStringLiteral("Failed to remove device."), &AccountScreen::refreshDevices);
    });
}

// ---- Data & Privacy -----------------------------------------------------------------------

QWidget *AccountScreen::createPrivacyTab()
{
    QVBoxLayout *layout = nullptr;
    QWidget *page = createPage(QStringLiteral("Data & Privacy"), &layout);
    layout->addWidget(section(QStringLiteral("Danger Zone"),
                                    QStringLiteral("Permanently delete your account. This cannot be undone "
                                                   "after 30 days."), this));
    m_ownerNote = secondaryLabel(QStringLiteral("You are the group owner. Transfer ownership or remove all "
                                                "members before deleting your account."),
                                 page);
    m_ownerNote->setWordWrap(true);
    m_ownerNote->setContentsMargins(12, 0, 0, 0);
    layout->addWidget(m_ownerNote);

    m_deleteButton = new QPushButton(QStringLiteral("Delete Account"), page);
    m_deleteButton->setStyleSheet(QStringLiteral("QPushButton { color: white; background: #C62828; border: "
                                                 "none;  border-radius: 4px; padding: 6px 16px; "
                                                 "font-weight: 600; }QPushButton:hover { background: "
                                                 "#B71C1C; }QPushButton:disabled { background: #666; }"));
    connect(m_deleteButton, &QPushButton::clicked, this, &AccountScreen::deleteAccount);
    QHBoxLayout *row = indentedRow();
    row->addWidget(m_deleteButton);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    updateDeleteAllowed();
    return page;
}

void AccountScreen::updateDeleteAllowed()
{
    const bool owner = m_client->claims().isOwner();
    m_ownerNote->setVisible(owner);
    m_deleteButton->setEnabled(!owner && !m_deleting);
}

void AccountScreen::deleteAccount()
{
    bool ok = false;
    const QString text = QInputDialog::getText(
        this, QStringLiteral("Delete Account"),
        QStringLiteral("This will schedule your account for permanent deletion after 30 days.\n\n"
                       "Type DELETE to confirm:"),
        QLineEdit::Normal, QString(), &ok);
    if (!ok || text != QLatin1String("DELETE") || m_deleting)
        return;
    m_deleting = true;
    updateDeleteAllowed();
    QPointer<AccountScreen> self(this);
    m_client->accountClient()->deleteAccount([self](bool deleted) {
        if (!self)
            return;
        self->m_deleting = false;
        self->updateDeleteAllowed();
        if (!deleted) {
            self->showError(QStringLiteral("Failed to delete account."));
            return;
        }
        inform(self, QStringLiteral("Account Scheduled for Deletion"),
               QStringLiteral(
                   "Your account will be permanently deleted in 30 days. You can recover it by signing "
                   "in before then."));
        if (self)
            emit self->logoutRequested();
    });
}

} // namespace BrioAccount
