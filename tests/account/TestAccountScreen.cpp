// The account window against the fake authentication and account services: what each page
// shows from the services' answers, the requests its actions send, what the user sees after
// them, and the re-read that follows.
#include "AccountScreen.h"
#include "AccountWidgets.h"
#include "Client.h"
#include "FakeAccountServer.h"
#include "ModalAnswerer.h"
#include "TokenManager.h"
#include "support/AccountListProbe.h"
#include "support/AccountTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocument>

using namespace BrioAccount;
using FakeAccount::FakeAccountServer;

namespace {

QString ago(int seconds)
{
    return QDateTime::currentDateTimeUtc().addSecs(-seconds).toString(Qt::ISODate);
}

// What a label shows on screen: markup it would render is rendered.
QString shownText(QLabel *label)
{
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    if (!rich)
        return label->text();
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText();
}

} // namespace

class TestAccountScreen : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeAccountServer> m_server;
    std::unique_ptr<Client> m_client;
    std::unique_ptr<AccountScreen> m_screen;
    std::unique_ptr<ModalAnswerer> m_modals;

    void signIn(const QString &role);
    void open(int page);
    QStringList texts() const;
    QAbstractButton *button(const QString &text, int index) const;
    // Presses the index-th button with that text, a widget or a list row's.
    bool press(const QString &text, int index) const;
    QString status() const { return m_screen->findChild<QLabel *>(QStringLiteral("statusLine"))->text(); }
    void runAction();

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void relativeTime_data();
    void relativeTime();
    void profilePage_data();
    void profilePage();
    void securityPage_data();
    void securityPage();
    void groupPage_data();
    void groupPage();
    void devicesPage_data();
    void devicesPage();
    void privacyPage_data();
    void privacyPage();
    void deleteAllowedDecidedAtEveryOpening();
    void laterMessageKeepsItsOwnTime();
    void rebuildWhileQuestionIsOpen();
    void closedWhileRequestIsOut();
    void longLists_data();
    void longLists();
};

void TestAccountScreen::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestAccountScreen::init()
{
    m_server = std::make_unique<FakeAccountServer>();
    QVERIFY(m_server->listen());
    FakeAccount::State &state = m_server->state;
    state.user = QJsonObject{{"id", "u1"}, {"email", "ann@example.com"}, {"display_name", "Ann Example"}};
    state.password = QStringLiteral("old-secret");
    state.sessions = QJsonArray{
        QJsonObject{{"id", "s1"},
                    {"user_agent", "Firefox on Linux"},
                    {"ip_address", "10.0.0.1"},
                    {"is_current", true},
                    {"last_active_at", ago(0)}},
        QJsonObject{{"id", "s2"}, {"user_agent", QString(61, 'A')}, {"last_active_at", ago(7200)}},
        QJsonObject{{"id", "s3"},
                    {"user_agent", QString(60, 'B')},
                    {"ip_address", "10.0.0.3"},
                    {"last_active_at", ago(300)}},
    };
    state.devices = QJsonArray{
        QJsonObject{{"id", "d1"},
                    {"device_name", "Kitchen <i>PC</i>"},
                    {"platform", "Linux"},
                    {"app_version", "1.1.6"},
                    {"last_sync_at", ago(300)}},
        QJsonObject{{"id", "d2"}, {"platform", "Windows"}},
    };
    const QJsonObject home =
        FakeAccount::group("g1", "Home", 5,
                           {FakeAccount::member("acc-1", "Ann Example", "ann@example.com", "owner"),
                            FakeAccount::member("acc-2", "Bo Tester", "bo@example.com"),
                            FakeAccount::member("acc-3", "", "cy@example.com"),
                            FakeAccount::member("acc-4", "di@example.com", "di@example.com")},
                           {FakeAccount::invitation("inv-1", "eve@example.com", "JOIN-11"),
                            FakeAccount::invitation("inv-2", "", "JOIN-22")});
    state.group = home;
    state.joinable.insert(QStringLiteral("JOIN-9"), home);
    m_client =
        std::make_unique<Client>(AccountTest::testConfig(m_server->authBaseUrl(), m_server->accountApiUrl()));
    m_modals = std::make_unique<ModalAnswerer>();
}

void TestAccountScreen::cleanup()
{
    QVERIFY2(m_modals->unexpected().isEmpty(), qPrintable(m_modals->unexpected().join(", ")));
    m_screen.reset();
    m_client->tokenManager()->clear();
    m_client.reset();
    m_modals.reset();
    m_server.reset();
}

void TestAccountScreen::signIn(const QString &role)
{
    m_server->state.role = role;
    m_client->tokenManager()->setTokens(FakeAccount::tokenWithRole(role), QStringLiteral("r1"));
}

// As the main window opens it: built once, then the page and a read of everything.
void TestAccountScreen::open(int page)
{
    if (!m_screen)
        m_screen = std::make_unique<AccountScreen>(m_client.get());
    m_screen->showTab(page);
    m_screen->refreshAll();
    m_screen->show();
    QTRY_COMPARE(m_server->calls().size(), 4);
    QTRY_VERIFY(texts().contains(QStringLiteral("Active Sessions")) || page != AccountScreen::SecurityPage);
    QTRY_VERIFY(texts().contains(QStringLiteral("Registered Devices")) || page != AccountScreen::DevicesPage);
    QTRY_VERIFY(texts().contains(QStringLiteral("Members")) || texts().contains(QStringLiteral("No Group")) ||
                page != AccountScreen::GroupPage);
}

QStringList TestAccountScreen::texts() const
{
    QStringList texts;
    for (QWidget *widget : m_screen->findChildren<QWidget *>()) {
        if (!widget->isVisible())
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << shownText(label);
        else if (auto *pressable = qobject_cast<QAbstractButton *>(widget))
            texts << pressable->text();
        else if (auto *list = qobject_cast<AccountList *>(widget)) {
            for (int row = 0; row < list->rowCount(); ++row)
                texts << AccountListProbe::rowTexts(list, row);
        }
    }
    return texts;
}

QAbstractButton *TestAccountScreen::button(const QString &text, int index) const
{
    for (QAbstractButton *candidate : m_screen->findChildren<QAbstractButton *>()) {
        if (candidate->isVisible() && candidate->text() == text && index-- == 0)
            return candidate;
    }
    return nullptr;
}

bool TestAccountScreen::press(const QString &text, int index) const
{
    if (QAbstractButton *widget = button(text, index)) {
        widget->click();
        return true;
    }
    for (QAbstractButton *candidate : m_screen->findChildren<QAbstractButton *>())
        index -= candidate->isVisible() && candidate->text() == text;
    for (AccountList *list : m_screen->findChildren<AccountList *>()) {
        for (int row = 0; list->isVisible() && row < list->rowCount(); ++row) {
            if (AccountListProbe::rowTexts(list, row).endsWith(text) && index-- == 0)
                return AccountListProbe::clickButton(list, row);
        }
    }
    return false;
}

// One action of a page as the user does it, from the current row's columns: the button
// ("text@index"), the answers to the dialogs it opens, a request the service refuses, then
// the requests sent, the status line, a question's text, the re-read and what is shown after.
void TestAccountScreen::runAction()
{
    QFETCH(QString, press);
    QFETCH(QStringList, answers);
    QFETCH(QString, fault);
    QFETCH(QStringList, writes);
    QFETCH(QString, message);
    QFETCH(QString, reread);
    QFETCH(QStringList, after);

    if (!fault.isEmpty()) {
        const QString method = fault.section(QLatin1Char(' '), 0, 0);
        const QString path = fault.section(QLatin1Char(' '), 1);
        const bool auth = path.startsWith(QLatin1String("/users"));
        m_server->http()->onNext(method.toLatin1(),
                                 auth ? FakeAccountServer::authPath(path)
                                      : FakeAccountServer::accountPath(path),
                                 FakeHttp::Response::json(500, QJsonObject()));
    }
    for (const QString &answer : answers) {
        if (answer == QLatin1String("[Yes]") || answer == QLatin1String("[No]") ||
            answer == QLatin1String("[Ok]"))
            m_modals->expectMessageBox(answer == QLatin1String("[Yes]")  ? QMessageBox::Yes
                                       : answer == QLatin1String("[No]") ? QMessageBox::No
                                                                         : QMessageBox::Ok);
        else if (answer == QLatin1String("<cancel>"))
            m_modals->expectDialog<QInputDialog>(nullptr, false);
        else if (answer == QLatin1String("<ok>"))
            m_modals->expectDialog<QInputDialog>(nullptr);
        else
            m_modals->expectDialog<QInputDialog>(
                [answer](QInputDialog *dialog) { dialog->setTextValue(answer); });
    }
    const int rereadsBefore = reread.isEmpty() ? 0 : m_server->readCount(reread);
    if (!press.isEmpty()) {
        QVERIFY2(this->press(press.section(QLatin1Char('@'), 0, 0), press.section('@', 1).toInt()),
                 qPrintable(press));
    }
    QTRY_COMPARE(m_modals->pendingHandlers(), 0);
    QTRY_COMPARE(m_server->writes(), writes);
    if (!message.isEmpty())
        QTRY_COMPARE(m_modals->messages().value(0), message);
    QFETCH(QString, statusText);
    QTRY_COMPARE(status(), statusText);
    if (!reread.isEmpty()) {
        // The list is read again half a second after the answer, not at once.
        QCOMPARE(m_server->readCount(reread), rereadsBefore);
        QTRY_COMPARE(m_server->readCount(reread), rereadsBefore + 1);
    }
    QTest::qWait(50);
    QCOMPARE(m_server->writes(), writes);
    for (const QString &expected : after) {
        // "text#n": shown exactly n times; otherwise shown at least once.
        const int count = expected.contains(QLatin1Char('#')) ? expected.section('#', -1).toInt() : -1;
        const QString text = count < 0 ? expected : expected.section('#', 0, -2);
        if (count < 0)
            QTRY_VERIFY2(texts().contains(text), qPrintable(text));
        else
            QTRY_COMPARE(texts().count(text), count);
    }
}

void TestAccountScreen::relativeTime_data()
{
    QTest::addColumn<int>("secondsAgo");
    QTest::addColumn<QString>("expected");
    const QDateTime now(QDate(2024, 3, 20), QTime(12, 0), Qt::UTC);
    QTest::newRow("59 s") << 59 << "Active now";
    QTest::newRow("future") << -30 << "Active now";
    QTest::newRow("60 s") << 60 << "1m ago";
    QTest::newRow("3599 s") << 3599 << "59m ago";
    QTest::newRow("3600 s") << 3600 << "1h ago";
    QTest::newRow("86399 s") << 86399 << "23h ago";
    QTest::newRow("86400 s") << 86400 << "1d ago";
    QTest::newRow("604799 s") << 604799 << "6d ago";
    QTest::newRow("604800 s") << 604800 << now.addSecs(-604800).toLocalTime().toString("MMM d, yyyy");
}

void TestAccountScreen::relativeTime()
{
    QFETCH(int, secondsAgo);
    QFETCH(QString, expected);
    const QDateTime now(QDate(2024, 3, 20), QTime(12, 0), Qt::UTC);
    QCOMPARE(AccountWidgets::relativeTime(now.addSecs(-secondsAgo), now), expected);
    QCOMPARE(AccountWidgets::relativeTime(QDateTime(), now), QStringLiteral("Unknown"));
}

namespace {

void addActionColumns()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reread");
    QTest::addColumn<QStringList>("after");
}

using L = QStringList;

} // namespace

void TestAccountScreen::profilePage_data()
{
    addActionColumns();
    const QString patch = R"(PATCH /users/me {"display_name":"Bo Tester"})";
    const QString password =
        R"(POST /users/me/password {"current_password":"%1","new_password":"new-secret1"})";
    QTest::newRow("shown") << ""
                           << "" << L() << "" << L() << ""
                           << ""
                           << "" << L{"Ann Example", "ann@example.com", "Sign Out"};
    QTest::newRow("name not set") << "no name"
                                  << "" << L() << "" << L() << ""
                                  << ""
                                  << "" << L{"(not set)"};
    QTest::newRow("edit name") << ""
                               << "Edit Display Name" << L{"  Bo Tester "} << "" << L{patch}
                               << "Display name updated."
                               << ""
                               << "" << L{"Bo Tester", "Ann Example#0"};
    QTest::newRow("edit name refused") << ""
                                       << "Edit Display Name" << L{"Bo Tester"} << "PATCH /users/me"
                                       << L{patch} << "Failed to update profile."
                                       << ""
                                       << "" << L{"Ann Example"};
    QTest::newRow("name of blanks") << ""
                                    << "Edit Display Name" << L{"   "} << "" << L() << ""
                                    << ""
                                    << "" << L();
    QTest::newRow("placeholder kept") << "no name"
                                      << "Edit Display Name" << L{"<ok>"} << "" << L() << ""
                                      << ""
                                      << "" << L{"(not set)"};
    QTest::newRow("password") << ""
                              << "Change Password" << L{"old-secret", "new-secret1", "new-secret1"} << ""
                              << L{password.arg("old-secret")} << "Password changed."
                              << ""
                              << "" << L();
    QTest::newRow("wrong password") << ""
                                    << "Change Password" << L{"nope", "new-secret1", "new-secret1"} << ""
                                    << L{password.arg("nope")} << "Failed to change password."
                                    << ""
                                    << "" << L();
    QTest::newRow("7 characters") << ""
                                  << "Change Password" << L{"old-secret", "1234567"} << "" << L()
                                  << "Password must be at least 8 characters."
                                  << ""
                                  << "" << L();
    QTest::newRow("8 characters, no match") << ""
                                            << "Change Password" << L{"old-secret", "12345678", "1234567x"}
                                            << "" << L() << "Passwords do not match."
                                            << ""
                                            << "" << L();
    QTest::newRow("confirmation cancelled") << ""
                                            << "Change Password" << L{"old-secret", "12345678", "<cancel>"}
                                            << "" << L() << "Passwords do not match."
                                            << ""
                                            << "" << L();
}

void TestAccountScreen::profilePage()
{
    QFETCH(QString, setup);
    if (setup == QLatin1String("no name"))
        m_server->state.user.remove(QStringLiteral("display_name"));
    signIn(QString());
    open(AccountScreen::ProfilePage);
    QTRY_VERIFY(texts().contains(QStringLiteral("ann@example.com")));
    runAction();
    QVERIFY(button(QStringLiteral("Edit Display Name"), 0)->isEnabled());
    QVERIFY(button(QStringLiteral("Change Password"), 0)->isEnabled());

    QSignalSpy logout(m_screen.get(), &AccountScreen::logoutRequested);
    button(QStringLiteral("Sign Out"), 0)->click();
    QCOMPARE(logout.count(), 1);
}

void TestAccountScreen::securityPage_data()
{
    addActionColumns();
    const QString cut = QString(60, 'A') + QStringLiteral("...");
    QTest::newRow("shown")
        << ""
        << "" << L() << "" << L() << ""
        << ""
        << "" << L{"Firefox on Linux", "This session  \u00B7  10.0.0.1", "Current", cut, "2h ago",
                   QString(60, 'B'),   "5m ago  \u00B7  10.0.0.3",       "Revoke#2"};
    // The first Revoke belongs to the second session: the current one has none.
    QTest::newRow("revoke") << ""
                            << "Revoke@0" << L() << "" << L{"DELETE /users/me/sessions/s2"}
                            << "Session revoked."
                            << ""
                            << "/users/me/sessions" << L{cut + "#0", "Revoke#1"};
    QTest::newRow("revoke refused") << ""
                                    << "Revoke@0" << L() << "DELETE /users/me/sessions/s2"
                                    << L{"DELETE /users/me/sessions/s2"} << "Failed to revoke session."
                                    << ""
                                    << "/users/me/sessions" << L{cut + "#1"};
}

void TestAccountScreen::securityPage()
{
    signIn(QString());
    open(AccountScreen::SecurityPage);
    QCOMPARE(m_screen->findChild<QListWidget *>()->currentRow(), int(AccountScreen::SecurityPage));
    runAction();
}

void TestAccountScreen::groupPage_data()
{
    addActionColumns();
    QTest::newRow("owner view") << "owner"
                                << "" << L() << "" << L() << ""
                                << ""
                                << ""
                                << L{"Home",
                                     "4 of 5 seats used",
                                     "Ann Example",
                                     "Owner#1",
                                     "Bo Tester",
                                     "bo@example.com",
                                     "cy@example.com#1",
                                     "di@example.com#1",
                                     "Remove#3",
                                     "eve@example.com",
                                     "Invite code: JOIN-22",
                                     "Revoke#2",
                                     "Invite by Email",
                                     "Generate Invite Code",
                                     "Leave Group#0"};
    QTest::newRow("member view") << "member"
                                 << "" << L() << "" << L() << ""
                                 << ""
                                 << "" << L{"Owner#1",           "Leave Group",
                                            "Remove#0",          "Pending Invitations#0",
                                            "eve@example.com#0", "Invite by Email#0"};
    QTest::newRow("no group") << "none"
                              << "" << L() << "" << L() << ""
                              << ""
                              << "" << L{"No Group", "Join with Invite Code", "Members#0"};
    QTest::newRow("remove member") << "owner"
                                   << "Remove@0" << L{"[Yes]"} << "" << L{"DELETE /group/members/acc-2"}
                                   << "Bo Tester removed."
                                   << "Remove Bo Tester from the group?"
                                   << "/group" << L{"Bo Tester#0", "3 of 5 seats used"};
    QTest::newRow("remove member refused")
        << "owner"
        << "Remove@0" << L{"[Yes]"} << "DELETE /group/members/acc-2" << L{"DELETE /group/members/acc-2"}
        << "Failed to remove Bo Tester."
        << ""
        << "/group" << L{"Bo Tester#1"};
    QTest::newRow("revoke invitation")
        << "owner"
        << "Revoke@0" << L() << "" << L{"DELETE /group/invitations/inv-1"} << "Invitation revoked."
        << ""
        << "/group" << L{"eve@example.com#0"};
    QTest::newRow("revoke refused") << "owner"
                                    << "Revoke@0" << L() << "DELETE /group/invitations/inv-1"
                                    << L{"DELETE /group/invitations/inv-1"} << "Failed to revoke invitation."
                                    << ""
                                    << "/group" << L{"eve@example.com#1"};
    QTest::newRow("invite by email") << "owner"
                                     << "Invite by Email" << L{" fay@example.com "} << ""
                                     << L{R"(POST /group/invite {"email":"fay@example.com"})"}
                                     << "Invitation sent."
                                     << ""
                                     << "" << L{"fay@example.com"};
    QTest::newRow("invite of blanks") << "owner"
                                      << "Invite by Email" << L{"  "} << "" << L() << ""
                                      << ""
                                      << "" << L();
    QTest::newRow("invite refused") << "owner"
                                    << "Invite by Email" << L{"fay@example.com"} << "POST /group/invite"
                                    << L{R"(POST /group/invite {"email":"fay@example.com"})"}
                                    << "Failed to send invitation."
                                    << ""
                                    << "" << L{"fay@example.com#0"};
    QTest::newRow("generate code") << "owner"
                                   << "Generate Invite Code" << L{"[Ok]"} << "" << L{"POST /group/invite"}
                                   << ""
                                   << "Share this code with the person you want to invite:\n\nCODE-1"
                                   << "" << L{"Invite code: CODE-1"};
    QTest::newRow("leave") << "member"
                           << "Leave Group" << L{"[Yes]"} << "" << L{"POST /group/leave"} << "Left group."
                           << "Leave this group? You will lose access to shared data."
                           << "/group" << L{"No Group"};
    QTest::newRow("leave refused") << "member"
                                   << "Leave Group" << L{"[Yes]"} << "POST /group/leave"
                                   << L{"POST /group/leave"} << "Failed to leave group."
                                   << ""
                                   << "/group" << L{"Leave Group"};
    QTest::newRow("join") << "none"
                          << "Join with Invite Code" << L{" JOIN-9 "} << "" << L{"POST /group/join/JOIN-9"}
                          << "Joined group."
                          << ""
                          << "" << L{"Home"};
    QTest::newRow("join, bad code") << "none"
                                    << "Join with Invite Code" << L{"NOPE"} << ""
                                    << L{"POST /group/join/NOPE"} << "Invalid or expired invite code."
                                    << ""
                                    << "" << L{"No Group"};
    QTest::newRow("join, blanks") << "none"
                                  << "Join with Invite Code" << L{" "} << "" << L() << ""
                                  << ""
                                  << "" << L();
}

void TestAccountScreen::groupPage()
{
    QFETCH(QString, setup);
    if (setup == QLatin1String("none"))
        m_server->state.group = QJsonObject();
    signIn(setup == QLatin1String("owner") ? setup : QStringLiteral("member"));
    open(AccountScreen::GroupPage);
    runAction();
}

void TestAccountScreen::devicesPage_data()
{
    addActionColumns();
    QTest::newRow("shown")
        << ""
        << "" << L() << "" << L() << ""
        << ""
        << ""
        << L{"Kitchen <i>PC</i>", "Linux  \u00B7  v1.1.6", "5m ago", "Unknown Device", "Windows", "Unknown",
             "Remove#2"};
    QTest::newRow("remove") << ""
                            << "Remove@0" << L{"[Yes]"} << "" << L{"DELETE /devices/d1"} << "Device removed."
                            << "Remove Kitchen <i>PC</i>?"
                            << "/devices" << L{"Kitchen <i>PC</i>#0", "Remove#1"};
    QTest::newRow("remove unnamed") << ""
                                    << "Remove@1" << L{"[Yes]"} << "" << L{"DELETE /devices/d2"}
                                    << "Device removed."
                                    << "Remove ?"
                                    << "/devices" << L{"Unknown Device#0"};
    QTest::newRow("remove, no") << ""
                                << "Remove@1" << L{"[No]"} << "" << L() << ""
                                << ""
                                << "" << L{"Remove#2"};
    QTest::newRow("remove refused") << ""
                                    << "Remove@1" << L{"[Yes]"} << "DELETE /devices/d2"
                                    << L{"DELETE /devices/d2"} << "Failed to remove device."
                                    << ""
                                    << "/devices" << L{"Unknown Device"};
}

void TestAccountScreen::devicesPage()
{
    signIn(QString());
    open(AccountScreen::DevicesPage);
    runAction();
}

void TestAccountScreen::privacyPage_data()
{
    addActionColumns();
    const QString note = QStringLiteral(
        "You are the group owner. Transfer ownership or remove all members before deleting your account.");
    const QString scheduled = QStringLiteral(
        "Your account will be permanently deleted in 30 days. You can recover it by signing in before then.");
    QTest::newRow("delete") << ""
                            << "Delete Account" << L{"DELETE", "[Ok]"} << "" << L{"DELETE /profile"} << ""
                            << scheduled << "" << L{note + "#0"};
    QTest::newRow("lower case") << ""
                                << "Delete Account" << L{"delete"} << "" << L() << ""
                                << ""
                                << "" << L();
    QTest::newRow("blank after") << ""
                                 << "Delete Account" << L{"DELETE "} << "" << L() << ""
                                 << ""
                                 << "" << L();
    QTest::newRow("cancelled") << ""
                               << "Delete Account" << L{"<cancel>"} << "" << L() << ""
                               << ""
                               << "" << L();
    QTest::newRow("refused") << ""
                             << "Delete Account" << L{"DELETE"} << "DELETE /profile" << L{"DELETE /profile"}
                             << "Failed to delete account."
                             << ""
                             << "" << L();
    // The owner's button is disabled: pressing it opens nothing.
    QTest::newRow("owner") << "owner"
                           << "Delete Account" << L() << "" << L() << ""
                           << ""
                           << "" << L{note};
}

void TestAccountScreen::privacyPage()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, writes);
    QFETCH(QString, statusText);
    signIn(setup);
    open(AccountScreen::PrivacyPage);
    int logouts = 0;
    bool messageOpen = false;
    connect(m_screen.get(), &AccountScreen::logoutRequested, this, [&] {
        ++logouts;
        messageOpen = QApplication::activeModalWidget() != nullptr;
    });
    runAction();
    // Signing out follows a deletion the service accepted, after its message was closed.
    QCOMPARE(logouts, writes.isEmpty() || !statusText.isEmpty() ? 0 : 1);
    QVERIFY(!messageOpen);
}

void TestAccountScreen::deleteAllowedDecidedAtEveryOpening()
{
    signIn(QStringLiteral("owner"));
    open(AccountScreen::PrivacyPage);
    QAbstractButton *deleteButton = button(QStringLiteral("Delete Account"), 0);
    QVERIFY(!deleteButton->isEnabled());

    // No longer the owner: the next opening allows it; the button waits for the answer.
    signIn(QStringLiteral("member"));
    m_server->http()->clearRequests();
    open(AccountScreen::PrivacyPage);
    QVERIFY(deleteButton->isEnabled());
    m_server->http()->onNext("DELETE", FakeAccountServer::accountPath("/profile"),
                             FakeHttp::Response::json(500, QJsonObject()).held());
    m_modals->expectDialog<QInputDialog>([](QInputDialog *dialog) { dialog->setTextValue("DELETE"); });
    deleteButton->click();
    QTRY_COMPARE(m_server->http()->heldCount(), 1);
    QVERIFY(!deleteButton->isEnabled());
    m_server->http()->release();
    QTRY_COMPARE(status(), QStringLiteral("Failed to delete account."));
    QVERIFY(deleteButton->isEnabled());
}

void TestAccountScreen::laterMessageKeepsItsOwnTime()
{
    signIn(QString());
    open(AccountScreen::ProfilePage);
    m_screen->showSuccess(QStringLiteral("Saved."));
    QTest::qWait(1000);
    m_screen->showError(QStringLiteral("Failed."));
    // Past the success message's 3 s, the error's own 4 s still run.
    QTest::qWait(2500);
    QCOMPARE(status(), QStringLiteral("Failed."));
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString(), 3000);
}

void TestAccountScreen::rebuildWhileQuestionIsOpen()
{
    signIn(QStringLiteral("owner"));
    open(AccountScreen::GroupPage);
    // While the question about Bo is open, an answer rebuilds the page with the members in
    // another order.
    QJsonArray reversed;
    for (const QJsonValue &member : m_server->state.group.value("members").toArray())
        reversed.prepend(member);
    m_server->state.group.insert("members", reversed);
    m_modals->expect([this](QWidget *question) {
        m_screen->refreshGroup();
        QTRY_COMPARE(m_server->readCount(QStringLiteral("/group")), 2);
        QTest::qWait(100);
        qobject_cast<QMessageBox *>(question)->button(QMessageBox::Yes)->click();
    });
    QVERIFY(press(QStringLiteral("Remove"), 0));
    QTRY_COMPARE(m_server->writes(), QStringList{"DELETE /group/members/acc-2"});
    QTRY_COMPARE(status(), QStringLiteral("Bo Tester removed."));
}

void TestAccountScreen::closedWhileRequestIsOut()
{
    signIn(QStringLiteral("member"));
    open(AccountScreen::GroupPage);
    m_server->http()->onNext("POST", FakeAccountServer::accountPath("/group/leave"),
                             FakeHttp::Response::json(200, QJsonObject()).held());
    m_modals->expectMessageBox(QMessageBox::Yes);
    button(QStringLiteral("Leave Group"), 0)->click();
    QTRY_COMPARE(m_server->http()->heldCount(), 1);
    m_screen.reset();
    m_server->http()->release();
    // The answer finds no screen: nothing shown, nothing read again.
    QTest::qWait(700);
    QCOMPARE(m_server->readCount(QStringLiteral("/group")), 1);
}

void TestAccountScreen::longLists_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("count");        // records in the service's answer
    QTest::addColumn<QString>("question"); // asked by the last row's button; without one it sends
    QTest::newRow("20,000 devices") << 2 << "devices" << 20000 << "Remove Device 999?";
    QTest::newRow("1,001 devices") << 2 << "devices" << 1001 << "Remove Device 999?";
    QTest::newRow("1,000 devices") << 2 << "devices" << 1000 << "Remove Device 999?";
    QTest::newRow("20,000 members") << 1 << "members" << 20000 << "Remove Member 999 from the group?";
    QTest::newRow("20,000 invitations") << 1 << "pending_invitations" << 20000 << "";
    QTest::newRow("20,000 sessions") << 3 << "sessions" << 20000 << "";
}

void TestAccountScreen::longLists()
{
    QFETCH(int, page);
    QFETCH(QString, kind);
    QFETCH(int, count);
    QFETCH(QString, question);
    QJsonArray records;
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        records.append(kind == "members" ? FakeAccount::member("acc-x" + n, "Member " + n, n + "@example.com")
                       : kind == "pending_invitations"
                           ? FakeAccount::invitation("inv-x" + n, n + "@example.com", n)
                           : QJsonObject{{"id", "x" + n}, {"device_name", "Device " + n}});
    }
    if (kind == "devices" || kind == "sessions")
        (kind == "devices" ? m_server->state.devices : m_server->state.sessions) = records;
    else
        m_server->state.group.insert(kind, records);
    signIn(QStringLiteral("owner"));
    open(page);
    // The page's long list shows the first thousand and says how many more there were.
    const auto longList = [&]() -> AccountList * {
        for (AccountList *found : m_screen->findChildren<AccountList *>()) {
            if (found->isVisible() && found->rowCount() == std::min(count, 1000))
                return found;
        }
        return nullptr;
    };
    AccountList *list = nullptr;
    QTRY_VERIFY((list = longList()));
    const QString note = QStringLiteral("Showing the first 1000; %1 more not shown.").arg(count - 1000);
    QCOMPARE(texts().filter(QStringLiteral("more not shown")),
             count > 1000 ? QStringList{note} : QStringList());
    // However long the answer, the window fits on the screen and still works.
    const int screenHeight = m_screen->screen()->availableGeometry().height();
    QVERIFY(m_screen->minimumSizeHint().height() <= screenHeight);
    QVERIFY(m_screen->frameGeometry().height() <= screenHeight);
    if (!question.isEmpty())
        m_modals->expectMessageBox(QMessageBox::No);
    QVERIFY(AccountListProbe::clickButton(list, 999));
    if (!question.isEmpty())
        QTRY_COMPARE(m_modals->messages(), QStringList{question});
    else
        QTRY_COMPARE(m_server->writes().size(), 1);
}

QTEST_MAIN(TestAccountScreen)
#include "TestAccountScreen.moc"
