#include "SettingsDataSyncPage.h"

#include "AccountRepository.h"
#include "AccountService.h"
#include "AppState.h"
#include "AuthClient.h"
#include "BackupProgressDialog.h"
#include "BackupService.h"
#include "CategoryRepository.h"
#include "Client.h"
#include "PlainMessage.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SettingsStyle.h"
#include "SyncEngine.h"
#include "ThemeManager.h"
#include "TransactionRepository.h"

#include <QDate>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

SettingsDataSyncPage::SettingsDataSyncPage(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    QVBoxLayout *layout = SettingsStyle::beginPage(this, tr("Data & Sync"));
    buildSyncSection(layout);
    SettingsStyle::addSeparatorBlock(layout, this);
    buildBackupSection(layout);
    SettingsStyle::addSeparatorBlock(layout, this);
    buildDeletedSection(layout);
    layout->addStretch();
    // A sign-out nobody asked for (a refused refresh during a sync) shows at
    // once, not only when the page is opened again.
    if (BrioAccount::Client *client = m_app->accountClient())
        connect(client, &BrioAccount::Client::authStateChanged, this, &SettingsDataSyncPage::refresh);
}

void SettingsDataSyncPage::buildSyncSection(QVBoxLayout *layout)
{
    layout->addWidget(SettingsStyle::sectionHeader(
        tr("Sync"), tr("Keep your tallyfern in sync across all your devices."), this));
    auto *syncGroup = new QVBoxLayout;
    syncGroup->setContentsMargins(12, 0, 0, 0);
    syncGroup->setSpacing(8);
    m_accountStatus = new QLabel(this);
    m_accountStatus->setObjectName(QStringLiteral("accountStatus"));
    m_accountStatus->setWordWrap(true);
    m_accountStatus->setTextFormat(Qt::RichText);
    syncGroup->addWidget(m_accountStatus);
    m_syncStatus = new QLabel(this);
    m_syncStatus->setObjectName(QStringLiteral("syncStatus"));
    // Carries the server's error text: never read as rich text.
    m_syncStatus->setTextFormat(Qt::PlainText);
    applyFontRole(m_syncStatus, 2);
    SettingsStyle::mute(m_syncStatus);
    syncGroup->addWidget(m_syncStatus);
    m_syncButtons = new QWidget(this);
    auto *buttonRow = new QHBoxLayout(m_syncButtons);
    buttonRow->setContentsMargins(0, 8, 0, 0);
    buttonRow->setSpacing(8);
    m_syncNow = new QPushButton(tr("Sync Now"), m_syncButtons);
    m_syncNow->setObjectName(QStringLiteral("syncNowButton"));
    applyAccentButton(m_syncNow);
    connect(m_syncNow, &QPushButton::clicked, this, &SettingsDataSyncPage::syncNow);
    m_forceSync = new QPushButton(tr("Force Full Sync"), m_syncButtons);
    m_forceSync->setObjectName(QStringLiteral("forceSyncButton"));
    connect(m_forceSync, &QPushButton::clicked, this, &SettingsDataSyncPage::forceFullSync);
    buttonRow->addWidget(m_syncNow);
    buttonRow->addWidget(m_forceSync);
    buttonRow->addStretch();
    syncGroup->addWidget(m_syncButtons);
    layout->addLayout(syncGroup);
}

void SettingsDataSyncPage::buildBackupSection(QVBoxLayout *layout)
{
    layout->addWidget(SettingsStyle::sectionHeader(
        tr("Backup & Restore"), tr("Save or restore your data to a portable backup file."), this));
    auto *backupRow = new QHBoxLayout;
    backupRow->setContentsMargins(12, 0, 0, 0);
    backupRow->setSpacing(8);
    auto *exportButton = new QPushButton(tr("Export Backup"), this);
    exportButton->setObjectName(QStringLiteral("exportBackupButton"));
    connect(exportButton, &QPushButton::clicked, this, [this, exportButton] { exportBackup(exportButton); });
    auto *importButton = new QPushButton(tr("Import Backup"), this);
    importButton->setObjectName(QStringLiteral("importBackupButton"));
    connect(importButton, &QPushButton::clicked, this, [this, importButton] { importBackup(importButton); });
    backupRow->addWidget(exportButton);
    backupRow->addWidget(importButton);
    backupRow->addStretch();
    layout->addLayout(backupRow);
}

void SettingsDataSyncPage::buildDeletedSection(QVBoxLayout *layout)
{
    m_deletedSection = new QWidget(this);
    m_deletedSection->setObjectName(QStringLiteral("deletedAccountsSection"));
    auto *deletedLayout = new QVBoxLayout(m_deletedSection);
    deletedLayout->setContentsMargins(0, 0, 0, 0);
    deletedLayout->setSpacing(8);
    deletedLayout->addWidget(SettingsStyle::sectionHeader(
        tr("Deleted Accounts"), tr("Accounts you've deleted can be restored here."), m_deletedSection));
    m_deletedList = new QListWidget(m_deletedSection);
    m_deletedList->setObjectName(QStringLiteral("deletedAccountsList"));
    m_deletedList->setMaximumHeight(120);
    m_deletedList->setFrameShape(QFrame::StyledPanel);
    deletedLayout->addWidget(m_deletedList);
    auto *restoreRow = new QHBoxLayout;
    restoreRow->addStretch();
    m_restoreButton = new QPushButton(tr("Restore Selected"), m_deletedSection);
    m_restoreButton->setObjectName(QStringLiteral("restoreAccountButton"));
    applyAccentButton(m_restoreButton);
    m_restoreButton->setEnabled(false);
    connect(m_restoreButton, &QPushButton::clicked, this, &SettingsDataSyncPage::restoreSelectedAccount);
    restoreRow->addWidget(m_restoreButton);
    deletedLayout->addLayout(restoreRow);
    connect(m_deletedList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_restoreButton->setEnabled(row >= 0); });
    layout->addWidget(m_deletedSection);
}

void SettingsDataSyncPage::refresh()
{
    reloadDeletedAccounts();
    BrioAccount::AuthClient *auth = m_app->accountClient() ? m_app->accountClient()->authClient() : nullptr;
    SyncEngine *engine = m_app->syncEngine();
    if (!auth || !engine || auth->state() != BrioAccount::AuthState::SignedIn) {
        m_accountStatus->setText(tr("Not signed in.\nSign in via File › Tallowmere Account to enable sync.")
                                     .toHtmlEscaped()
                                     .replace(QLatin1Char('\n'), QLatin1String("<br>")));
        m_syncStatus->hide();
        m_syncButtons->hide();
        return;
    }

    const BrioAccount::User user = auth->currentUser();
    QString name = !user.displayName.isEmpty() ? user.displayName
                   : !user.email.isEmpty()     ? user.email
                                               : auth->currentUserId();
    const SyncEngine::SyncState state = engine->state();
    QColor color;
    switch (state) {
    case SyncEngine::Idle:
        color = ThemeManager::positiveColor();
        break;
    case SyncEngine::Syncing:
        color = ThemeManager::readableText(AppState::accentColor());
        break;
    case SyncEngine::Error:
        color = ThemeManager::negativeColor();
        break;
    case SyncEngine::Offline:
        color = ThemeManager::themedText(QColor(0xE6, 0x51, 0x00), QColor(0xFF, 0xA7, 0x26));
        break;
    }
    // The name comes from the server: escaped before it goes into rich text.
    m_accountStatus->setText(
        tr("<b>Signed in as:</b> %1<br><b>Status:</b> <span style=\"color:%2\">%3</span>")
            .arg(name.toHtmlEscaped(), color.name(), SyncEngine::stateToString(state).toHtmlEscaped()));

    const std::optional<QString> last = m_app->preferences()->get(PreferenceKeys::LastSyncTimestamp);
    if (last && !last->isEmpty()) {
        const QDateTime when = QDateTime::fromString(*last, Qt::ISODate);
        m_syncStatus->setText(
            tr("Last synced: %1")
                .arg(when.isValid() ? when.toLocalTime().toString(QStringLiteral("MMM d, h:mm ap")) : *last));
    } else {
        m_syncStatus->setText(tr("Never synced"));
    }
    m_syncStatus->show();
    if (!engine->lastError().isEmpty() && state == SyncEngine::Error)
        m_syncStatus->setText(m_syncStatus->text() + tr("\nError: %1").arg(engine->lastError()));
    m_syncButtons->show();

    if (user.displayName.isEmpty() && user.email.isEmpty()) {
        QPointer<SettingsDataSyncPage> self(this);
        auth->fetchCurrentUser([self](const BrioAccount::User &fetched) {
            if (self && (!fetched.displayName.isEmpty() || !fetched.email.isEmpty()))
                self->refresh();
        });
    }
}

void SettingsDataSyncPage::syncNow()
{
    m_app->syncEngine()->syncNow();
    m_syncNow->setEnabled(false);
    m_syncNow->setText(tr("Syncing..."));
    watchSync(false);
}

void SettingsDataSyncPage::forceFullSync()
{
    if (QMessageBox::question(
            this, tr("Force Full Sync"),
            tr("This will re-upload every local row to the server and re-download all server "
               "data. Use this if data appears out of sync between devices.\n\nContinue?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const int accounts = m_app->accounts()->markAllPendingForResync();
    const int categories = m_app->categories()->markAllPendingForResync();
    const int transactions = m_app->transactions()->markAllPendingForResync();
    const int recurrings = m_app->recurring()->markAllPendingForResync();
    const int reconciliations = m_app->reconciliations()->markAllPendingForResync();
    qInfo() << "Force Full Sync: marked pending —"
            << "accounts:" << accounts << "categories:" << categories << "transactions:" << transactions
            << "recurrings:" << recurrings << "reconciliations:" << reconciliations;
    m_app->preferences()->remove(PreferenceKeys::SyncCursor);
    m_app->preferences()->remove(PreferenceKeys::LastSyncTimestamp);
    m_app->syncEngine()->syncNow();
    m_syncNow->setEnabled(false);
    m_forceSync->setEnabled(false);
    m_syncNow->setText(tr("Syncing..."));
    watchSync(true);
}

void SettingsDataSyncPage::watchSync(bool forceButtonToo)
{
    SyncEngine *engine = m_app->syncEngine();
    if (engine->state() != SyncEngine::Syncing) {
        finishSync(forceButtonToo);
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        connect(engine, &SyncEngine::stateChanged, this, [this, engine, connection, forceButtonToo] {
            if (engine->state() == SyncEngine::Syncing)
                return;
            disconnect(*connection);
            finishSync(forceButtonToo);
        });
}

void SettingsDataSyncPage::finishSync(bool forceButtonToo)
{
    m_syncNow->setEnabled(true);
    m_syncNow->setText(tr("Sync Now"));
    if (forceButtonToo)
        m_forceSync->setEnabled(true);
    refresh();
}

void SettingsDataSyncPage::exportBackup(QPushButton *button)
{
    const QString proposed =
        QStringLiteral("tallyfern-backup-%1.zip").arg(QDate::currentDate().toString(Qt::ISODate));
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Export Backup"), proposed, tr("ZIP Files (*.zip)"));
    if (path.isEmpty())
        return;
    button->setEnabled(false);
    button->setText(tr("Exporting..."));
    BackupService::ExportResult result = BackupService::ExportResult::Failed;
    QString problem;
    {
        BackupProgressDialog progress(tr("Exporting backup..."), this);
        result = m_app->backupService()->exportBackup(path, progress.callback(), &problem);
    }
    // The path is the user's own text: never read as markup.
    if (result == BackupService::ExportResult::Written) {
        PlainMessage::show(this, QMessageBox::Information, tr("Backup Complete"),
                           tr("Backup saved to:\n%1").arg(path));
    } else if (result == BackupService::ExportResult::Failed) {
        QString message = tr("Could not write to:\n%1").arg(path);
        if (!problem.isEmpty())
            message += QLatin1String("\n\n") + problem;
        PlainMessage::show(this, QMessageBox::Warning, tr("Backup Failed"), message);
    }
    button->setEnabled(true);
    button->setText(tr("Export Backup"));
}

void SettingsDataSyncPage::importBackup(QPushButton *button)
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Import Backup"), QString(), tr("ZIP Files (*.zip)"));
    if (path.isEmpty())
        return;
    const QStringList items{tr("Replace all with backup data"), tr("Keep newer (compare timestamps)"),
                            tr("Skip existing items")};
    bool ok = false;
    const QString choice = QInputDialog::getItem(
        this, tr("Import Mode"), tr("How should existing data be handled?"), items, 0, false, &ok);
    if (!ok)
        return;
    const RestoreMode mode = choice == items[0]   ? RestoreMode::Overwrite
                             : choice == items[1] ? RestoreMode::KeepNewer
                                                  : RestoreMode::SkipExisting;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("Import Failed"), tr("Could not read file."));
        return;
    }
    button->setEnabled(false);
    button->setText(tr("Importing..."));
    RestoreResult result;
    {
        BackupProgressDialog progress(tr("Restoring backup..."), this);
        result = m_app->backupService()->restoreBackup(&file, mode, progress.callback());
    }
    file.close();
    if (result.cancelled) {
        // Rolled back: nothing changed, nothing to reload.
        button->setEnabled(true);
        button->setText(tr("Import Backup"));
        return;
    }
    // Entry names come from the archive: plain text only.
    if (!result.errors.isEmpty() && result.totalRestored() == 0 && result.totalSkipped() == 0) {
        // Nothing was read from the file: saying "Imported 0 items" would hide why.
        PlainMessage::show(this, QMessageBox::Warning, tr("Import Failed"), problemList(result));
    } else {
        QString message =
            tr("Imported %1 items, skipped %2.").arg(result.totalRestored()).arg(result.totalSkipped());
        if (!result.errors.isEmpty())
            message += QLatin1String("\n\n") + tr("Not restored:") + QLatin1Char('\n') + problemList(result);
        PlainMessage::show(this, QMessageBox::Information, tr("Import Complete"), message);
    }
    button->setEnabled(true);
    button->setText(tr("Import Backup"));
    emit deletedAccountRestored();
}

QString SettingsDataSyncPage::problemList(const RestoreResult &result)
{
    // Each entry is named with its reason, up to a list one can still read.
    const QStringList listed = result.errors.mid(0, MaxListedProblems);
    QString text = listed.join(QLatin1Char('\n'));
    if (result.errorCount() > listed.size())
        text += QLatin1Char('\n') + tr("... and %n more", nullptr, result.errorCount() - int(listed.size()));
    return text;
}

void SettingsDataSyncPage::reloadDeletedAccounts()
{
    m_deletedList->clear();
    m_restoreButton->setEnabled(false);
    const QList<Account> deleted = m_app->accounts()->findDeleted();
    m_deletedSection->setVisible(!deleted.isEmpty());
    for (const Account &account : deleted) {
        auto *item = new QListWidgetItem(account.name, m_deletedList);
        item->setData(Qt::UserRole, account.id);
    }
}

void SettingsDataSyncPage::restoreSelectedAccount()
{
    QListWidgetItem *item = m_deletedList->currentItem();
    if (!item)
        return;
    const QString id = item->data(Qt::UserRole).toString();
    if (id.isEmpty())
        return;
    m_app->accountService()->restoreAccount(id);
    reloadDeletedAccounts();
    emit deletedAccountRestored();
}
