#include "TransactionDetailsDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CategoryRepository.h"
#include "EntryChoices.h"
#include "Money.h"
#include "SplitLineRepository.h"
#include "ThemeManager.h"
#include "TransactionActions.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

TransactionDetailsDialog::TransactionDetailsDialog(AppState *app, const Transaction &transaction,
                                                   QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_transaction(transaction)
{
    setWindowTitle(tr("Transaction Details"));
    setMinimumWidth(440);
    const Account account = app->accounts()->findById(transaction.accountId).value_or(Account());
    const QHash<QString, QString> paths = EntryChoices::categoryPaths(app->categories()->findAll());

    auto *layout = new QVBoxLayout(this);
    auto *payee = new QLabel(transaction.payee.isEmpty() ? tr("(no payee)") : transaction.payee, this);
    payee->setTextFormat(Qt::PlainText);
    applyFontRole(payee, 4);
    payee->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(payee);
    auto *amount = new QLabel(Money::format(transaction.amount, account.currency), this);
    applyFontRole(amount, 5);
    if (transaction.amount < 0)
        amount->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::negativeColor()));
    layout->addWidget(amount);

    layout->addLayout(buildDetailsForm(account, paths));
    layout->addWidget(buildButtons());
}

QFormLayout *TransactionDetailsDialog::buildDetailsForm(const Account &account,
                                                        const QHash<QString, QString> &paths)
{
    const Transaction &transaction = m_transaction;
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto addRow = [&](const QString &label, const QString &value) {
        auto *field = new QLabel(value.isEmpty() ? QStringLiteral("—") : value, this);
        field->setTextFormat(Qt::PlainText);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        field->setWordWrap(true);
        form->addRow(label, field);
    };
    addRow(tr("Account:"), account.name);
    addRow(tr("Date:"), QLocale().toString(transaction.date, QLocale::LongFormat));
    addRow(tr("Check number:"), transaction.checkNumber);
    if (!transaction.transferDestAccountId.isEmpty()) {
        const auto other = m_app->accounts()->findById(transaction.transferDestAccountId);
        addRow(tr("Transfer:"), transaction.amount < 0
                                    ? tr("To %1").arg(other ? other->name : tr("(deleted account)"))
                                    : tr("From %1").arg(other ? other->name : tr("(deleted account)")));
    } else if (transaction.isSplit) {
        addRow(tr("Splits:"), splitLinesText(account, paths));
    } else {
        addRow(tr("Category:"), paths.value(transaction.categoryId));
    }
    addRow(tr("Memo:"), transaction.memo);
    addRow(tr("Status:"), transaction.reconciled ? tr("Reconciled")
                                                 : (transaction.cleared ? tr("Cleared") : tr("Not cleared")));
    addRow(tr("Created:"), QLocale().toString(transaction.createdAt.toLocalTime(), QLocale::ShortFormat));
    addRow(tr("Last changed:"),
           QLocale().toString(transaction.updatedAt.toLocalTime(), QLocale::ShortFormat));
    return form;
}

// One line per split: category, amount and memo.
QString TransactionDetailsDialog::splitLinesText(const Account &account,
                                                 const QHash<QString, QString> &paths) const
{
    QStringList parts;
    const QList<SplitLine> lines = m_app->splitLines()->findByTransaction(m_transaction.id);
    for (const SplitLine &line : lines) {
        QString text = QStringLiteral("%1  %2").arg(paths.value(line.categoryId, tr("(No category)")),
                                                    Money::format(line.amount, account.currency));
        if (!line.memo.isEmpty())
            text += QStringLiteral(" — ") + line.memo;
        parts << text;
    }
    return parts.join(QLatin1Char('\n'));
}

QDialogButtonBox *TransactionDetailsDialog::buildButtons()
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *edit = buttons->addButton(tr("Edit..."), QDialogButtonBox::ActionRole);
    QPushButton *duplicate = buttons->addButton(tr("Duplicate..."), QDialogButtonBox::ActionRole);
    QPushButton *remove = buttons->addButton(tr("Delete..."), QDialogButtonBox::DestructiveRole);
    edit->setObjectName(QStringLiteral("editButton"));
    duplicate->setObjectName(QStringLiteral("duplicateButton"));
    remove->setObjectName(QStringLiteral("deleteButton"));
    // Enter closes; deleting takes a deliberate click.
    for (QPushButton *button : {edit, duplicate, remove})
        button->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit, &QPushButton::clicked, this, [this]() {
        m_editRequested = true;
        accept();
    });
    connect(duplicate, &QPushButton::clicked, this, [this]() {
        m_duplicateRequested = true;
        accept();
    });
    connect(remove, &QPushButton::clicked, this, [this]() {
        if (TransactionActions::confirmDelete(m_app, m_transaction, this)) {
            m_deleted = true;
            accept();
        }
    });
    return buttons;
}
