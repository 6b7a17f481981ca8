// The share dialog: who it lists as having access and whom it offers, the requests its
// buttons make through the sharing backend, its error line, and answers that arrive after it
// was closed or while a question is open. Group and profile come from the fake account service.
#include "Client.h"
#include "FakeAccountServer.h"
#include "ModalAnswerer.h"
#include "ShareMembersDialog.h"
#include "SharingBackend.h"
#include "TokenManager.h"
#include "support/AccountListProbe.h"
#include "support/AccountTestSupport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using namespace BrioAccount;
using FakeAccount::FakeAccountServer;

namespace {

const QString AccountId = QStringLiteral("acc-9");

// A sharing backend with its list in memory. Answers come from the event loop, or are held
// until release(). Group members are listed under "u-" followed by their account id.
class ScriptedBackend : public SharingBackend
{
public:
    QList<ShareMember> shares;
    QStringList calls;
    QString failure; // "share:<error text>" or "remove"
    bool hold = false;

    void listMembers(const QString &accountId, std::function<void(QList<ShareMember>)> callback) override
    {
        calls << QStringLiteral("list ") + accountId;
        answer([this, callback] { callback(shares); });
    }
    void shareWith(const QString &accountId, const QString &target, const QString &role,
                   std::function<void(bool, QString)> callback) override
    {
        calls << QStringLiteral("share %1 %2 %3").arg(accountId, target, role);
        answer([this, target, role, callback] {
            if (failure.startsWith(QLatin1String("share:"))) {
                callback(false, failure.mid(6));
                return;
            }
            shares.append(
                ShareMember{QStringLiteral("s-") + target, target, QString(), QString(), role, QString()});
            callback(true, QString());
        });
    }
    void removeShare(const QString &accountId, const QString &userId,
                     std::function<void(bool)> callback) override
    {
        calls << QStringLiteral("remove %1 %2").arg(accountId, userId);
        answer([this, userId, callback] {
            const bool ok = failure != QLatin1String("remove");
            if (ok)
                shares.removeIf([&](const ShareMember &share) { return share.id == userId; });
            callback(ok);
        });
    }
    QString shareIdForMember(const QString &memberAccountId) override
    {
        return QStringLiteral("u-") + memberAccountId;
    }

    void release()
    {
        const QList<std::function<void()>> answers = m_held;
        m_held.clear();
        for (const auto &answer : answers)
            answer();
    }

private:
    void answer(std::function<void()> f)
    {
        if (hold)
            m_held.append(f);
        else
            QTimer::singleShot(0, this, f);
    }
    QList<std::function<void()>> m_held;
};

// "role:userId:name:email"
ShareMember share(const QString &fields)
{
    const QStringList parts = fields.split(QLatin1Char(':'));
    return ShareMember{QStringLiteral("s-") + parts.value(1),
                       parts.value(1),
                       parts.value(3),
                       parts.value(2),
                       parts.value(0),
                       QString()};
}

} // namespace

class TestShareMembersDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeAccountServer> m_server;
    std::unique_ptr<Client> m_client;
    std::unique_ptr<ScriptedBackend> m_backend;
    std::unique_ptr<ShareMembersDialog> m_dialog;
    std::unique_ptr<ModalAnswerer> m_modals;

    void openDialog();
    // Each visible row of that kind as "initials|name[|email]".
    QStringList rows(const QString &kind) const;
    QStringList visibleNotes() const;
    // Clicks the button of a visible row of that kind.
    bool pressRow(const QString &kind, int index) const;
    QString errorLine() const;

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void lists_data();
    void lists();
    void actions_data();
    void actions();
    void closedWhileRequestsAreOut();
    void rebuildWhileQuestionIsOpen();
    void longLists_data();
    void longLists();
};

void TestShareMembersDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestShareMembersDialog::init()
{
    m_server = std::make_unique<FakeAccountServer>();
    QVERIFY(m_server->listen());
    m_server->state.profile = QJsonObject{{"id", "acc-1"}, {"email", "ann@example.com"}};
    m_server->state.group =
        FakeAccount::group("g1", "Home", 6,
                           {FakeAccount::member("acc-1", "Ann Example", "ann@example.com", "owner"),
                            FakeAccount::member("acc-2", "Bo Tester", "bo@example.com"),
                            FakeAccount::member("acc-3", "Mary  Ann Smith ", "mary@example.com"),
                            FakeAccount::member("acc-4", "", "zed@example.com"),
                            FakeAccount::member("acc-5", "<b>Eve</b>", "")});
    m_client =
        std::make_unique<Client>(AccountTest::testConfig(m_server->authBaseUrl(), m_server->accountApiUrl()));
    m_client->tokenManager()->setTokens(FakeAccount::tokenWithRole(QString()), QStringLiteral("r1"));
    m_backend = std::make_unique<ScriptedBackend>();
    m_modals = std::make_unique<ModalAnswerer>();
}

void TestShareMembersDialog::cleanup()
{
    QVERIFY2(m_modals->unexpected().isEmpty(), qPrintable(m_modals->unexpected().join(", ")));
    m_dialog.reset();
    m_client->tokenManager()->clear();
    m_client.reset();
    m_backend.reset();
    m_modals.reset();
    m_server.reset();
}

void TestShareMembersDialog::openDialog()
{
    ShareDialogTexts texts;
    texts.shareRole = QStringLiteral("member");
    m_dialog = std::make_unique<ShareMembersDialog>(m_client.get(), m_backend.get(), AccountId, texts);
    m_dialog->show();
}

QStringList TestShareMembersDialog::rows(const QString &kind) const
{
    QStringList rows;
    auto *list = m_dialog->findChild<AccountList *>(kind + QLatin1Char('s'));
    for (int row = 0; list && list->isVisible() && row < list->rowCount(); ++row) {
        rows << AccountListProbe::data(list, row, AccountListProbe::Delegate::InitialsRole).toString() +
                    QLatin1Char('|') + AccountListProbe::rowTexts(list, row, true).join(QLatin1Char('|'));
    }
    return rows;
}

QStringList TestShareMembersDialog::visibleNotes() const
{
    QStringList notes;
    for (QLabel *label : m_dialog->findChildren<QLabel *>()) {
        if (label->isVisible() && label->foregroundRole() == QPalette::PlaceholderText &&
            label->parentWidget()->objectName().isEmpty())
            notes << label->text();
    }
    return notes;
}

bool TestShareMembersDialog::pressRow(const QString &kind, int index) const
{
    auto *list = m_dialog->findChild<AccountList *>(kind + QLatin1Char('s'));
    return list && list->isVisible() && AccountListProbe::clickButton(list, index);
}

QString TestShareMembersDialog::errorLine() const
{
    for (QLabel *label : m_dialog->findChildren<QLabel *>()) {
        if (label->isVisible() && label->styleSheet().contains(QLatin1String("#b00020")))
            return label->text();
    }
    return QString();
}

void TestShareMembersDialog::lists_data()
{
    QTest::addColumn<QStringList>("shares");
    QTest::addColumn<bool>("inGroup");
    QTest::addColumn<QStringList>("shared");
    QTest::addColumn<QStringList>("candidates");
    QTest::addColumn<QStringList>("notes");

    const QString bo = QStringLiteral("BT|Bo Tester|bo@example.com");
    const QString mary = QStringLiteral("MS|Mary  Ann Smith |mary@example.com");
    const QString zed = QStringLiteral("Z|zed@example.com");
    const QString eve = QStringLiteral("<|<b>Eve</b>");
    const QString notShared = QStringLiteral("Not shared with anyone yet.");
    QTest::newRow("nobody") << QStringList() << true << QStringList() << QStringList{bo, mary, zed, eve}
                            << QStringList{notShared};
    // The account's owner is not listed, and as a group member is offered.
    QTest::newRow("owner share") << QStringList{"owner:u-acc-2:Bo Tester:bo@example.com"} << true
                                 << QStringList() << QStringList{bo, mary, zed, eve}
                                 << QStringList{notShared};
    QTest::newRow("shared member") << QStringList{"member:u-acc-2:Bo Tester:bo@example.com"} << true
                                   << QStringList{bo} << QStringList{mary, zed, eve} << QStringList();
    QTest::newRow("everyone shared") << QStringList{"member:u-acc-2::", "member:u-acc-3::",
                                                    "member:u-acc-4::", "member:u-acc-5::"}
                                     << true << QStringList{bo, mary, zed, eve} << QStringList()
                                     << QStringList{"All group members already have access"};
    QTest::newRow("no group") << QStringList{"member:u-q:cher:"} << false << QStringList{"C|cher"}
                              << QStringList()
                              << QStringList{
                                     "You are not in a group yet. Join one in your online account to share "
                                     "accounts."};
    QTest::newRow("no match, no email") << QStringList{"member:u-zz::"} << true << QStringList{"?|u-zz"}
                                        << QStringList{bo, mary, zed, eve} << QStringList();
    QTest::newRow("email only") << QStringList{"editor:u-x::xan@example.com"} << true
                                << QStringList{"X|xan@example.com"} << QStringList{bo, mary, zed, eve}
                                << QStringList();
}

void TestShareMembersDialog::lists()
{
    QFETCH(QStringList, shares);
    QFETCH(bool, inGroup);
    QFETCH(QStringList, shared);
    QFETCH(QStringList, candidates);
    QFETCH(QStringList, notes);
    for (const QString &fields : shares)
        m_backend->shares.append(share(fields));
    if (!inGroup)
        m_server->state.group = QJsonObject();
    openDialog();
    QTRY_COMPARE(m_server->calls(), QStringList({"GET /profile", "GET /group"}));
    QTRY_COMPARE(rows(QStringLiteral("candidateRow")), candidates);
    QTRY_COMPARE(rows(QStringLiteral("shareRow")), shared);
    QTRY_COMPARE(visibleNotes(), notes);
    QCOMPARE(m_backend->calls, QStringList{"list acc-9"});
}

void TestShareMembersDialog::actions_data()
{
    QTest::addColumn<QStringList>("shares");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("sharedAfter");

    const QStringList withBo{"member:u-acc-2:Bo Tester:bo@example.com"};
    const QString boRow = QStringLiteral("BT|Bo Tester|bo@example.com");
    QTest::newRow("share") << QStringList() << "candidateRow"
                           << ""
                           << "" << QStringList{"share acc-9 u-acc-2 member", "list acc-9"} << ""
                           << QStringList{boRow};
    QTest::newRow("share refused") << QStringList() << "candidateRow"
                                   << ""
                                   << "share:Seat limit reached" << QStringList{"share acc-9 u-acc-2 member"}
                                   << "Seat limit reached" << QStringList();
    QTest::newRow("share refused, no reason") << QStringList() << "candidateRow"
                                              << ""
                                              << "share:" << QStringList{"share acc-9 u-acc-2 member"}
                                              << "Could not share with Bo Tester." << QStringList();
    QTest::newRow("remove") << withBo << "shareRow"
                            << "[Yes]"
                            << "" << QStringList{"remove acc-9 s-u-acc-2", "list acc-9"} << ""
                            << QStringList();
    QTest::newRow("remove refused") << withBo << "shareRow"
                                    << "[Yes]"
                                    << "remove" << QStringList{"remove acc-9 s-u-acc-2"}
                                    << "Could not remove Bo Tester." << QStringList{boRow};
}

void TestShareMembersDialog::actions()
{
    QFETCH(QStringList, shares);
    QFETCH(QString, press);
    QFETCH(QString, answer);
    QFETCH(QString, failure);
    QFETCH(QStringList, calls);
    QFETCH(QString, error);
    QFETCH(QStringList, sharedAfter);
    for (const QString &fields : shares)
        m_backend->shares.append(share(fields));
    m_backend->failure = failure;
    openDialog();
    QTRY_VERIFY(!rows(QStringLiteral("candidateRow")).isEmpty());
    QTRY_VERIFY(rows(QStringLiteral("shareRow")).size() == shares.size());
    m_backend->calls.clear();
    QSignalSpy changed(m_dialog.get(), &ShareMembersDialog::sharingChanged);

    if (!answer.isEmpty())
        m_modals->expectMessageBox(answer == QLatin1String("[Yes]") ? QMessageBox::Yes : QMessageBox::No);
    QVERIFY(pressRow(press, 0));
    QTRY_COMPARE(m_modals->pendingHandlers(), 0);
    if (!answer.isEmpty())
        QCOMPARE(m_modals->messages(), QStringList{"Bo Tester will no longer have access. Continue?"});
    QTRY_COMPARE(m_backend->calls, calls);
    QTRY_COMPARE(errorLine(), error);
    QTRY_COMPARE(rows(QStringLiteral("shareRow")), sharedAfter);
    QCOMPARE(changed.count(), calls.contains(QStringLiteral("list acc-9")) ? 1 : 0);
}

void TestShareMembersDialog::closedWhileRequestsAreOut()
{
    // A share still out when the dialog goes.
    openDialog();
    QTRY_VERIFY(!rows(QStringLiteral("candidateRow")).isEmpty());
    m_backend->hold = true;
    QVERIFY(pressRow(QStringLiteral("candidateRow"), 0));
    m_dialog.reset();
    m_backend->release();

    // A profile read still out when the dialog goes: its answer asks for no group.
    m_server->http()->onNext("GET", FakeAccountServer::accountPath("/profile"),
                             FakeHttp::Response::json(200, m_server->state.profile).held());
    openDialog();
    QTRY_COMPARE(m_server->http()->heldCount(), 1);
    m_dialog.reset();
    m_server->http()->release();
    m_backend->release();
    QTest::qWait(100);
    QCOMPARE(m_server->readCount(QStringLiteral("/profile")), 2);
    QCOMPARE(m_server->readCount(QStringLiteral("/group")), 1);
}

void TestShareMembersDialog::rebuildWhileQuestionIsOpen()
{
    m_backend->shares = {share(QStringLiteral("member:u-acc-2:Bo Tester:bo@example.com")),
                         share(QStringLiteral("member:u-acc-3::"))};
    m_server->http()->onNext("GET", FakeAccountServer::accountPath("/group"),
                             FakeHttp::Response::json(200, m_server->state.group).held());
    openDialog();
    QTRY_COMPARE(rows(QStringLiteral("shareRow")).size(), 2);
    QTRY_COMPARE(m_server->http()->heldCount(), 1);
    // The group's answer rebuilds the rows while the question about Bo is open.
    m_modals->expect([this](QWidget *question) {
        m_server->http()->release();
        QTRY_COMPARE(rows(QStringLiteral("candidateRow")).size(), 2);
        qobject_cast<QMessageBox *>(question)->button(QMessageBox::Yes)->click();
    });
    m_backend->calls.clear();
    QVERIFY(pressRow(QStringLiteral("shareRow"), 0));
    QTRY_COMPARE(m_backend->calls, QStringList({"remove acc-9 s-u-acc-2", "list acc-9"}));
    QTRY_COMPARE(rows(QStringLiteral("shareRow")), QStringList{"MS|Mary  Ann Smith |mary@example.com"});
}

void TestShareMembersDialog::longLists_data()
{
    QTest::addColumn<int>("members"); // in the group, the user among them
    QTest::addColumn<int>("shares");  // with the first members after the user
    QTest::addColumn<int>("sharedRows");
    QTest::addColumn<int>("candidateRows");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QString>("lastRow"); // what the last row's button asks or sends
    const QString more = QStringLiteral("Showing the first 1000; %1 more not shown.");
    QTest::newRow("20,000 members") << 20000 << 0 << 0 << 1000 << QStringList{more.arg(18999)}
                                    << "share acc-9 u-acc-1001 member";
    QTest::newRow("20,000 shares") << 20000 << 19999 << 1000 << 0 << QStringList{more.arg(18999)}
                                   << "Member 1001 will no longer have access. Continue?";
    QTest::newRow("half of 20,000 shared")
        << 20000 << 10000 << 1000 << 1000 << QStringList{more.arg(9000), more.arg(8999)}
        << "share acc-9 u-acc-11001 member";
}

void TestShareMembersDialog::longLists()
{
    QFETCH(int, members);
    QFETCH(int, shares);
    QFETCH(int, sharedRows);
    QFETCH(int, candidateRows);
    QFETCH(QStringList, notes);
    QFETCH(QString, lastRow);
    QJsonArray group{FakeAccount::member("acc-1", "Ann Example", "ann@example.com", "owner")};
    for (int i = 2; i <= members; ++i) {
        const QString n = QString::number(i);
        group.append(FakeAccount::member("acc-" + n, "Member " + n, n + "@example.com"));
        if (i - 1 <= shares)
            m_backend->shares.append(share("member:u-acc-" + n + "::"));
    }
    m_server->state.group = FakeAccount::group("g1", "Home", members, group);
    openDialog();
    QTRY_COMPARE(rows(QStringLiteral("candidateRow")).size(), candidateRows);
    QTRY_COMPARE(rows(QStringLiteral("shareRow")).size(), sharedRows);
    // Shares are named once the group has come too.
    QTRY_VERIFY(rows(QStringLiteral("shareRow")).value(0, "Member 2").contains(QLatin1String("Member 2")));
    QStringList shown;
    for (QLabel *label : m_dialog->findChildren<QLabel *>()) {
        if (label->isVisible() && label->text().contains(QLatin1String("more not shown")))
            shown << label->text();
    }
    QCOMPARE(shown, notes);
    // However long the lists, the dialog fits on the screen and its buttons work.
    const int screenHeight = m_dialog->screen()->availableGeometry().height();
    QVERIFY(m_dialog->minimumSizeHint().height() <= screenHeight);
    QVERIFY(m_dialog->frameGeometry().height() <= screenHeight);
    m_backend->calls.clear();
    if (!candidateRows)
        m_modals->expectMessageBox(QMessageBox::No);
    QVERIFY(pressRow(candidateRows ? QStringLiteral("candidateRow") : QStringLiteral("shareRow"), 999));
    if (candidateRows)
        QTRY_COMPARE(m_backend->calls.value(0), lastRow);
    else
        QTRY_COMPARE(m_modals->messages(), QStringList{lastRow});
    m_dialog->findChild<QPushButton *>()->click(); // Close, the one button that is a widget
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestShareMembersDialog)
#include "TestShareMembersDialog.moc"
