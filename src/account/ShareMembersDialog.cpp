#include "ShareMembersDialog.h"

#include "AccountClient.h"
#include "AccountWidgets.h"
#include "Client.h"
#include "SharingBackend.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QToolButton>
#include <QVBoxLayout>

namespace BrioAccount {

namespace {

constexpr int AvatarSize = 36;

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

QLabel *avatar(const QString &initials, QColor background, QWidget *parent)
{
    auto *label = AccountWidgets::plainLabel(initials, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(AvatarSize, AvatarSize);
    label->setStyleSheet(
        QStringLiteral("QLabel { background: rgba(%1,%2,%3,%4); color: white; border-radius: %5px; "
                       "font-weight: 600; }")
            .arg(background.red())
            .arg(background.green())
            .arg(background.blue())
            .arg(background.alphaF())
            .arg(AvatarSize / 2));
    QFont font = label->font();
    font.setPointSize(qMax(8, AvatarSize / 3));
    label->setFont(font);
    return label;
}

// A row: the avatar, the shown name with the e-mail under it when there is one to show, and
// the row's button at the right.
QWidget *personRow(const QString &objectName, QLabel *avatarLabel, const QString &name, const QString &email,
                   QWidget *button, QWidget *parent)
{
    auto *row = new QWidget(parent);
    row->setObjectName(objectName);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(10);
    avatarLabel->setParent(row);
    layout->addWidget(avatarLabel);
    auto *text = new QVBoxLayout;
    text->setSpacing(0);
    QLabel *nameLabel = AccountWidgets::plainLabel(name, row);
    AccountWidgets::setFontWeight(nameLabel, 500);
    text->addWidget(nameLabel);
    if (!email.isEmpty()) {
        QLabel *emailLabel = AccountWidgets::plainLabel(email, row);
        emailLabel->setForegroundRole(QPalette::PlaceholderText);
        text->addWidget(emailLabel);
    }
    layout->addLayout(text, 1);
    button->setParent(row);
    layout->addWidget(button);
    return row;
}

void clearRows(QVBoxLayout *rows)
{
    // deleteLater: a removal question opened from a row may still be running when an answer
    // rebuilds the lists.
    for (int i = rows->count() - 1; i >= 0; --i) {
        QLayoutItem *item = rows->takeAt(i);
        if (QWidget *widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
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

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto *content = new QWidget(scroll);
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(8);

    auto sectionHeader = [](const QString &text, QWidget *parent) {
        QLabel *header = AccountWidgets::plainLabel(text, parent);
        AccountWidgets::setFontWeight(header, 600);
        return header;
    };
    auto rowList = [] {
        auto *rows = new QVBoxLayout;
        rows->setContentsMargins(0, 0, 0, 0);
        rows->setSpacing(2);
        return rows;
    };

    m_sharedSection = new QWidget(content);
    auto *shared = new QVBoxLayout(m_sharedSection);
    shared->setContentsMargins(0, 0, 0, 0);
    shared->setSpacing(4);
    m_sharedHeader = sectionHeader(m_texts.sharedSectionTitle, m_sharedSection);
    shared->addWidget(m_sharedHeader);
    m_sharedRows = rowList();
    shared->addLayout(m_sharedRows);
    contentLayout->addWidget(m_sharedSection);

    m_addSection = new QWidget(content);
    auto *add = new QVBoxLayout(m_addSection);
    add->setContentsMargins(0, 8, 0, 0);
    add->setSpacing(4);
    m_addHeader = sectionHeader(m_texts.addSectionTitle, m_addSection);
    add->addWidget(m_addHeader);
    m_addRows = rowList();
    add->addLayout(m_addRows);
    m_noGroupLabel = mutedLabel(m_texts.noGroupText, m_addSection);
    m_noGroupLabel->setContentsMargins(0, 8, 0, 0);
    m_noGroupLabel->hide();
    add->addWidget(m_noGroupLabel);
    m_allHaveAccessLabel = mutedLabel(m_texts.allHaveAccessText, m_addSection);
    m_allHaveAccessLabel->setContentsMargins(0, 8, 0, 0);
    m_allHaveAccessLabel->hide();
    add->addWidget(m_allHaveAccessLabel);
    contentLayout->addWidget(m_addSection);
    contentLayout->addStretch();
    scroll->setWidget(content);
    main->addWidget(scroll, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    auto *close = new QPushButton(m_texts.closeButtonText, this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(close);
    main->addLayout(bottom);

    reload();
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
    clearRows(m_sharedRows);
    clearRows(m_addRows);

    QSet<QString> sharedIds;
    int shown = 0;
    for (const ShareMember &share : std::as_const(m_shares)) {
        // The account's owner is not one of the people it is shared with.
        if (share.role == QLatin1String("owner"))
            continue;
        sharedIds.insert(share.userId);
        m_sharedRows->addWidget(shareRow(share));
        ++shown;
    }
    if (shown == 0) {
        QLabel *none = mutedLabel(m_texts.notSharedText, m_sharedSection);
        none->setContentsMargins(0, 4, 0, 4);
        m_sharedRows->addWidget(none);
    }

    if (m_groupMembers.isEmpty()) {
        m_noGroupLabel->show();
        m_allHaveAccessLabel->hide();
        return;
    }
    QString ownTarget;
    for (const GroupMember &member : std::as_const(m_groupMembers)) {
        if (member.accountId == m_currentAccountId) {
            ownTarget = m_backend->shareIdForMember(member.accountId);
            break;
        }
    }
    int candidates = 0;
    for (const GroupMember &member : std::as_const(m_groupMembers)) {
        const QString target = m_backend->shareIdForMember(member.accountId);
        if (target == ownTarget || sharedIds.contains(target))
            continue;
        m_addRows->addWidget(candidateRow(member, target));
        ++candidates;
    }
    m_noGroupLabel->hide();
    m_allHaveAccessLabel->setVisible(candidates == 0);
}

QWidget *ShareMembersDialog::shareRow(const ShareMember &share)
{
    QString name = share.displayName;
    QString email = share.email;
    if (name.isEmpty() || email.isEmpty()) {
        for (const GroupMember &member : std::as_const(m_groupMembers)) {
            if (m_backend->shareIdForMember(member.accountId) != share.userId)
                continue;
            if (name.isEmpty())
                name = member.displayName;
            if (email.isEmpty())
                email = member.email;
            break;
        }
    }
    const QString shownName = !name.isEmpty() ? name : (!email.isEmpty() ? email : share.userId);

    auto *remove = new QToolButton;
    remove->setText(QStringLiteral("\u00D7"));
    remove->setAutoRaise(true);
    remove->setCursor(Qt::PointingHandCursor);
    remove->setFixedSize(28, 28);
    QFont font = remove->font();
    font.setPointSize(font.pointSize() + 4);
    remove->setFont(font);
    remove->setToolTip(m_texts.removeTooltip);
    const QString shareId = share.id;
    connect(remove, &QToolButton::clicked, this,
            [this, shareId, shownName] { removeShare(shareId, shownName); });

    QLabel *picture = avatar(initials(name, email), palette().color(QPalette::Highlight), nullptr);
    return personRow(QStringLiteral("shareRow"), picture, shownName, email != shownName ? email : QString(),
                     remove, m_sharedSection);
}

QWidget *ShareMembersDialog::candidateRow(const GroupMember &member, const QString &target)
{
    const QString shownName = member.displayName.isEmpty() ? member.email : member.displayName;
    const bool showEmail = !member.displayName.isEmpty() && member.email != member.displayName;

    auto *share = new QPushButton(m_texts.shareButtonText);
    share->setCursor(Qt::PointingHandCursor);
    connect(share, &QPushButton::clicked, this,
            [this, target, shownName] { shareWithMember(target, shownName); });

    QColor background = palette().color(QPalette::Highlight);
    background.setAlphaF(0.55f);
    QLabel *picture = avatar(initials(member.displayName, member.email), background, nullptr);
    return personRow(QStringLiteral("candidateRow"), picture, shownName, showEmail ? member.email : QString(),
                     share, m_addSection);
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
