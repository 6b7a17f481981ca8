#include "PayeeScreen.h"

#include "AccountService.h"
#include "AppState.h"
#include "OpeningBalance.h"
#include "PayeeService.h"
#include "PlainMessage.h"
#include "ThemeManager.h"
#include "TransactionRepository.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

PayeeScreen::PayeeScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
    , m_service(new PayeeService(app->database(), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);

    auto *title = new QLabel(tr("Payee Management"), this);
    applyFontRole(title, 4, 700);
    layout->addWidget(title);
    layout->addSpacing(8);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("payeeList"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_list, 1);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Rename to:"), this));
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    row->addWidget(m_nameEdit, 1);
    auto *rename = new QPushButton(tr("Rename Selected"), this);
    rename->setObjectName(QStringLiteral("renameButton"));
    connect(rename, &QPushButton::clicked, this, &PayeeScreen::onRename);
    row->addWidget(rename);
    auto *merge = new QPushButton(tr("Merge Selected"), this);
    merge->setObjectName(QStringLiteral("mergeButton"));
    connect(merge, &QPushButton::clicked, this, &PayeeScreen::onMerge);
    row->addWidget(merge);
    layout->addLayout(row);
}

void PayeeScreen::loadPayees()
{
    m_list->clear();
    m_list->addItems(m_app->transactions()->allPayees());
}

void PayeeScreen::refresh()
{
    loadPayees();
}

QStringList PayeeScreen::selectedNames() const
{
    QStringList names;
    for (const QListWidgetItem *item : m_list->selectedItems())
        names.append(item->text());
    return names;
}

PayeeService::Result PayeeScreen::rewrite(const QStringList &names, const QString &newName)
{
    // An opening row known only by its payee would be lost to Edit Account
    // once the payee changes: it is marked first.
    if (!m_app->accountService()->markOpeningTransactions(OpeningBalance::payees(QString())))
        return {false, 0, tr("The opening balances could not be kept.")};
    return m_service->rewrite(names, newName);
}

void PayeeScreen::showFailure(const QString &title, const QString &error)
{
    PlainMessage::show(this, QMessageBox::Warning, title, error);
    loadPayees();
}

void PayeeScreen::onRename()
{
    const QString newName = m_nameEdit->text().trimmed();
    if (newName.isEmpty())
        return;
    const QStringList names = selectedNames();
    if (names.isEmpty())
        return;
    const PayeeService::Result result = rewrite(names, newName);
    if (!result.ok) {
        showFailure(tr("Rename Failed"), result.error);
        return;
    }
    QMessageBox::information(this, tr("Rename Complete"),
                             tr("Renamed %n transaction(s).", nullptr, result.rowsChanged));
    loadPayees();
    emit payeesChanged();
}

void PayeeScreen::onMerge()
{
    const QStringList names = selectedNames();
    if (names.size() < 2) {
        QMessageBox::information(this, tr("Merge"), tr("Select 2 or more payees to merge."));
        return;
    }
    QString target = m_nameEdit->text().trimmed();
    if (target.isEmpty())
        target = names.constFirst();
    // Payee names are the user's text: shown as typed, never read as markup.
    if (!PlainMessage::ask(this, tr("Merge Payees"),
                           tr("Merge %1 payees into \"%2\"?").arg(QString::number(names.size()), target)))
        return;
    const PayeeService::Result result = rewrite(names, target);
    if (!result.ok) {
        showFailure(tr("Merge Failed"), result.error);
        return;
    }
    QMessageBox::information(this, tr("Merge Complete"),
                             tr("Merged %n transaction(s).", nullptr, result.rowsChanged));
    loadPayees();
    emit payeesChanged();
}
