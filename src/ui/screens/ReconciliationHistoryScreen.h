#pragma once

#include <QString>
#include <QWidget>

class AppState;
class QLabel;
class QTableWidget;

// The completed reconciliations of one account, latest statement first. It
// only reads; every setAccount reads everything again.
class ReconciliationHistoryScreen : public QWidget
{
    Q_OBJECT

public:
    explicit ReconciliationHistoryScreen(AppState *app, QWidget *parent = nullptr);

    void setAccount(const QString &accountId);
    QString accountId() const { return m_accountId; }
    void reload();

private:
    AppState *m_app = nullptr;
    QString m_accountId;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_emptyLabel = nullptr;
    QTableWidget *m_table = nullptr;
};
