#pragma once

#include <QWidget>

class AppState;
struct RestoreResult;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

// The "Data & Sync" page of the settings screen: sign-in and sync status, the
// sync actions, backup export and import, and the deleted accounts that can
// be restored with the rows deleted along with them.
class SettingsDataSyncPage : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsDataSyncPage(AppState *app, QWidget *parent = nullptr);

    // Re-reads the deleted accounts and re-renders the sign-in and sync status.
    void refresh();

public slots:
    void restoreSelectedAccount();

signals:
    void deletedAccountRestored();

private:
    void buildSyncSection(QVBoxLayout *layout);
    void buildBackupSection(QVBoxLayout *layout);
    void buildDeletedSection(QVBoxLayout *layout);
    void syncNow();
    void forceFullSync();
    // Restores the sync buttons once the engine leaves Syncing, at once when
    // it is not syncing now (a sync that could not start never reports).
    void watchSync(bool forceButtonToo);
    void finishSync(bool forceButtonToo);
    void exportBackup(QPushButton *button);
    void importBackup(QPushButton *button);
    void reloadDeletedAccounts();
    // The restore's problems, one a line: the first MaxListedProblems, then how many more.
    static QString problemList(const RestoreResult &result);

    static constexpr int MaxListedProblems = 20;

    AppState *m_app = nullptr;
    QLabel *m_accountStatus = nullptr;
    QLabel *m_syncStatus = nullptr;
    QPushButton *m_syncNow = nullptr;
    QPushButton *m_forceSync = nullptr;
    QWidget *m_syncButtons = nullptr;
    QWidget *m_deletedSection = nullptr;
    QListWidget *m_deletedList = nullptr;
    QPushButton *m_restoreButton = nullptr;
};
