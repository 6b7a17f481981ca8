#pragma once

#include "PayeeService.h"

#include <QWidget>

class AppState;
class QLineEdit;
class QListWidget;

// Every payee name of the live transactions, with commands to rename the
// selected ones or merge them into one name across all transactions.
class PayeeScreen : public QWidget
{
    Q_OBJECT

public:
    explicit PayeeScreen(AppState *app, QWidget *parent = nullptr);

    void loadPayees();
    void refresh();

    QListWidget *payeeList() const { return m_list; }
    QLineEdit *nameEdit() const { return m_nameEdit; }

public slots:
    void onRename();
    void onMerge();

signals:
    // After every completed rename or merge.
    void payeesChanged();

private:
    QStringList selectedNames() const;
    void showFailure(const QString &title, const QString &error);
    PayeeService::Result rewrite(const QStringList &names, const QString &newName);

    AppState *m_app = nullptr;
    QListWidget *m_list = nullptr;
    QLineEdit *m_nameEdit = nullptr;
    PayeeService *m_service = nullptr;
};
