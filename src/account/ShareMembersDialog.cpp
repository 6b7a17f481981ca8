#include "ShareMembersDialog.h"

#include "AccountClient.h"
#include "AccountList.h"
#include "AccountWidgets.h"
#include "Client.h"
#include "SharingBackend.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace BrioAccount {

namespace {

QString orDefault(const QString &text, const QString &fallback)
{
    return text.isEmpty() ? fallback : text;
}

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    QLabel *label = AccountWidgets::plainLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QLabel *mutedLabel(const QString &text, QWidget *parent)
{
    QLabel *label = wrappedLabel(text, parent);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

ShareMembersDialog::ShareMembersDialog(Client *client, SharingBackend *backend, const QString &accountId,
                                       const ShareDialogTexts &texts, QWidget *parent)
    : QDialog(parent)
    , m_client(client)
    , m_backend(backend)
    , m_accountId(accountId)
    , m_texts(texts)
{
    m_texts.sharedSectionTitle = orDefault(texts.sharedSectionTitle, tr("People with access"));
    m_texts.addSectionTitle = orDefault(texts.addSectionTitle, tr("Add people"));
    m_texts.notSharedText = orDefault(texts.notSharedText, tr("Not shared with anyone yet."));
    m_texts.noGroupText =
        orDefault(texts.noGroupText,
                  tr("You are not in a group yet. Join one in your online account to share accounts."));
    m_texts.allHaveAccessText =
        orDefault(texts.allHaveAccessText, tr("All group members already have access"));
    m_texts.shareButtonText = orDefault(texts.shareButtonText, tr("Share"));
    m_texts.removeTooltip = orDefault(texts.removeTooltip, tr("Remove access"));
    m_texts.closeButtonText = orDefault(texts.closeButtonText, tr("Close"));
    m_texts.removeConfirmTitle = orDefault(texts.removeConfirmTitle, tr("Remove access?"));
    m_texts.removeConfirmText =
        orDefault(texts.removeConfirmText, tr("%1 will no longer have access. Continue?"));

    setWindowTitle(m_texts.windowTitle);
    setMinimumSize(560, 560);
    resize(620, 620);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(20, 20, 20, 20);
    main->setSpacing(12);
    if (!m_texts.heading.isEmpty()) {
        QLabel *heading = wrappedLabel(m_texts.heading, this);
        QFont font = heading->font();
        font.setPointSize(font.pointSize() + 2);
        font.setWeight(QFont::Weight(600));
        heading->setFont(font);
        main->addWidget(heading);
    }
    if (!m_texts.explanation.isEmpty())
        main->addWidget(mutedLabel(m_texts.explanation, this));
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setStyleSheet(QStringLiteral("color: rgba(128,128,128,0.25);"));
    main->addWidget(line);
    m_errorLabel = wrappedLabel(QString(), this);
    // On a dark window the nearest shade of the red that still reads (4.5:1).
    m_errorLabel->setStyleSheet(
        QStringLiteral("QLabel { color: %1; padding: 4px 0; }")
            .arg(AccountWidgets::themed(QColor(0xB0, 0x00, 0x20), QColor(0xD0, 0x68, 0x7B)).name()));
    m_errorLabel->hide();
    main->addWidget(m_errorLabel);

    createSections(main);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    auto *close = new QPushButton(m_texts.closeButtonText, this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(close);
    main->addLayout(bottom);

    reload();
}

void ShareMembersDialog::createSections(QVBoxLayout *main)
{
    m_mainLayout = main;
    auto sectionHeader = [](const QString &text, QWidget *parent) {
        QLabel *header = AccountWidgets::plainLabel(text, parent);
        AccountWidgets::setFontWeight(header, 600);
        return header;
    };
    const QString leftOut = tr("Showing the first %1; %2 more not shown.");
    const auto addList = [&leftOut](QVBoxLayout *section, const QString &name) {
        auto *list = new AccountList(leftOut, QMargins(0, 4, 0, 4), false, section->parentWidget());
        list->setObjectName(name);
        section->addWidget(list, 1);
        return list;
    };

    m_sharedSection = new QWidget(this);
    m_sharedSection->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto *shared = new QVBoxLayout(m_sharedSection);
    shared->setContentsMargins(0, 0, 0, 0);
    shared->setSpacing(4);
    m_sharedHeader = sectionHeader(m_texts.sharedSectionTitle, m_sharedSection);
    shared->addWidget(m_sharedHeader);
    m_notSharedLabel = mutedLabel(m_texts.notSharedText, m_sharedSection);
    m_notSharedLabel->setContentsMargins(0, 4, 0, 4);
    shared->addWidget(m_notSharedLabel);
    m_sharedRows = addList(shared, QStringLiteral("shareRows"));
    connect(m_sharedRows, &AccountList::buttonClicked, this, [this](int row) {
        if (row >= 0 && row < m_shownShares.size())
            removeShare(m_shownShares.at(row).first, m_shownShares.at(row).second);
    });
    main->addWidget(m_sharedSection);

    m_addSection = new QWidget(this);
    m_addSection->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto *add = new QVBoxLayout(m_addSection);
    add->setContentsMargins(0, 8, 0, 0);
    add->setSpacing(4);
    m_addHeader = sectionHeader(m_texts.addSectionTitle, m_addSection);
    add->addWidget(m_addHeader);
    m_addRows = addList(add, QStringLiteral("candidateRows"));
    connect(m_addRows, &AccountList::buttonClicked, this, [this](int row) {
        if (row >= 0 && row < m_shownCandidates.size())
            shareWithMember(m_shownCandidates.at(row).first, m_shownCandidates.at(row).second);
    });
    m_noGroupLabel = mutedLabel(m_texts.noGroupText, m_addSection);
    m_noGroupLabel->setContentsMargins(0, 8, 0, 0);
    m_noGroupLabel->hide();
    add->addWidget(m_noGroupLabel);
    m_allHaveAccessLabel = mutedLabel(m_texts.allHaveAccessText, m_addSection);
    m_allHaveAccessLabel->setContentsMargins(0, 8, 0, 0);
    m_allHaveAccessLabel->hide();
    add->addWidget(m_allHaveAccessLabel);
    main->addWidget(m_addSection);
    // Takes the free height while neither list shows.
    main->addStretch();
}

QString ShareMembersDialog::initials(const QString &name, const QString &email)
{
    if (name.isEmpty())
        return email.isEmpty() ? QStringLiteral("?") : email.left(1).toUpper();
    const QStringList words = name.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() >= 2)
        return (words.first().left(1) + words.last().left(1)).toUpper();
    return name.left(1).toUpper();
}

void ShareMembersDialog::reload()
{
    loadGroupMembers();
    loadShares();
}

void ShareMembersDialog::loadGroupMembers()
{
    QPointer<ShareMembersDialog> self(this);
    m_client->accountClient()->getProfile([self](Profile profile) {
        if (!self)
            return;
        self->m_currentAccountId = profile.id;
        self->m_client->accountClient()->getGroup([self](Group group) {
            if (!self)
                return;
            self->m_groupMembers = group.members;
            self->rebuildLists();
        });
    });
}

void ShareMembersDialog::loadShares()
{
    QPointer<ShareMembersDialog> self(this);
    m_backend->listMembers(m_accountId, [self](QList<ShareMember> shares) {
        if (!self)
            return;
        self->m_shares = shares;
        self->rebuildLists();
    });
}

void ShareMembersDialog::rebuildLists()
{
    // Each member's share id once, and the first member under each: no list is walked once per
    // row of another, however long both are.
    QList<QString> targets;
    targets.reserve(m_groupMembers.size());
    QHash<QString, qsizetype> memberByTarget;
    for (qsizetype i = 0; i < m_groupMembers.size(); ++i) {
        targets.append(m_backend->shareIdForMember(m_groupMembers.at(i).accountId));
        memberByTarget.insert(targets.last(), memberByTarget.value(targets.last(), i));
    }

    QSet<QString> sharedIds;
    QList<AccountListRow> shareRows;
    m_shownShares.clear();
    qsizetype sharedCount = 0;
    for (const ShareMember &share : std::as_const(m_shares)) {
        // The account's owner is not one of the people it is shared with.
        if (share.role == QLatin1String("owner"))
            continue;
        sharedIds.insert(share.userId);
        if (++sharedCount > AccountList::MaxRows)
            continue;
        const auto member = memberByTarget.constFind(share.userId);
        shareRows.append(
            shareRow(share, member == memberByTarget.constEnd() ? nullptr : &m_groupMembers.at(*member)));
    }
    m_sharedRows->setRows(shareRows, sharedCount);
    showList(m_sharedSection, m_sharedRows, sharedCount > 0);
    m_notSharedLabel->setVisible(sharedCount == 0);

    if (m_groupMembers.isEmpty()) {
        m_addRows->setRows({}, 0);
        showList(m_addSection, m_addRows, false);
        m_noGroupLabel->show();
        m_allHaveAccessLabel->hide();
        return;
    }
    QString ownTarget;
    for (qsizetype i = 0; i < m_groupMembers.size(); ++i) {
        if (m_groupMembers.at(i).accountId == m_currentAccountId) {
            ownTarget = targets.at(i);
            break;
        }
    }
    QList<AccountListRow> candidateRows;
    m_shownCandidates.clear();
    qsizetype candidates = 0;
    for (qsizetype i = 0; i < m_groupMembers.size(); ++i) {
        const QString &target = targets.at(i);
        if (target == ownTarget || sharedIds.contains(target) || ++candidates > AccountList::MaxRows)
            continue;
        candidateRows.append(candidateRow(m_groupMembers.at(i), target));
    }
    m_addRows->setRows(candidateRows, candidates);
    showList(m_addSection, m_addRows, candidates > 0);
    m_noGroupLabel->hide();
    m_allHaveAccessLabel->setVisible(candidates == 0);
}

void ShareMembersDialog::showList(QWidget *section, AccountList *list, bool shown)
{
    list->setVisible(shown);
    m_mainLayout->setStretchFactor(section, shown ? 1 : 0);
}

AccountListRow ShareMembersDialog::shareRow(const ShareMember &share, const GroupMember *member)
{
    QString name = share.displayName;
    QString email = share.email;
    if (member) {
        if (name.isEmpty())
            name = member->displayName;
        if (email.isEmpty())
            email = member->email;
    }
    const QString shownName = !name.isEmpty() ? name : (!email.isEmpty() ? email : share.userId);
    m_shownShares.append({share.id, shownName});

    AccountListRow row;
    row.title = shownName;
    if (!email.isEmpty() && email != shownName)
        row.details = {email};
    row.initials = initials(name, email);
    row.avatarColour = palette().color(QPalette::Highlight);
    row.button = QStringLiteral("\u00D7");
    row.buttonToolTip = m_texts.removeTooltip;
    row.flatButton = true;
    return row;
}

AccountListRow ShareMembersDialog::candidateRow(const GroupMember &member, const QString &target)
{
    const QString shownName = member.displayName.isEmpty() ? member.email : member.displayName;
    m_shownCandidates.append({target, shownName});

    AccountListRow row;
    row.title = shownName;
    if (!member.displayName.isEmpty() && !member.email.isEmpty() && member.email != member.displayName)
        row.details = {member.email};
    row.initials = initials(member.displayName, member.email);
    row.avatarColour = palette().color(QPalette::Highlight);
    row.avatarColour.setAlphaF(0.55f);
    row.button = m_texts.shareButtonText;
    return row;
}

void ShareMembersDialog::showError(const QString &message)
{
    m_errorLabel->setText(message);
    m_errorLabel->show();
}

void ShareMembersDialog::shareWithMember(const QString &target, const QString &name)
{
    if (m_busy)
        return;
    m_busy = true;
    m_errorLabel->hide();
    QPointer<ShareMembersDialog> self(this);
    m_backend->shareWith(m_accountId, target, m_texts.shareRole, [self, name](bool ok, QString error) {
        if (!self)
            return;
        self->m_busy = false;
        if (!ok) {
            self->showError(error.isEmpty() ? tr("Could not share with %1.").arg(name) : error);
            return;
        }
        emit self->sharingChanged();
        if (self)
            self->reload();
    });
}

void ShareMembersDialog::removeShare(const QString &shareId, const QString &name)
{
    if (m_busy)
        return;
    QPointer<ShareMembersDialog> self(this);
    const bool confirmed =
        AccountWidgets::askYesNo(this, m_texts.removeConfirmTitle, m_texts.removeConfirmText.arg(name));
    if (!self || !confirmed)
        return;
    m_busy = true;
    m_errorLabel->hide();
    m_backend->removeShare(m_accountId, shareId, [self, name](bool ok) {
        if (!self)
            return;
        self->m_busy = false;
        if (!ok) {
            self->showError(tr("Could not remove %1.").arg(name));
            return;
        }
        emit self->sharingChanged();
        if (self)
            self->reload();
    });
}

} // namespace BrioAccount
