#pragma once

#include "Account.h"

#include <QWidget>

class AppState;
class ElidedLabel;
class QLabel;

// The register's heading: the account's name and details and its cleared and
// current balances.
class RegisterHeading : public QWidget
{
    Q_OBJECT
public:
    explicit RegisterHeading(AppState *app, QWidget *parent = nullptr);

    // Shows the account, or that none is selected when its id is empty.
    void setAccount(const Account &account);
    // The rows could not be read: no balances are shown.
    void showUnread();

private:
    AppState *m_app = nullptr;
    ElidedLabel *m_nameLabel = nullptr;
    ElidedLabel *m_detailLabel = nullptr;
    QLabel *m_balanceValue = nullptr;
    QLabel *m_clearedValue = nullptr;
};
