#include "SplitEditorDialog.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "Money.h"
#include "SmartAmountField.h"
#include "ThemeManager.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum
{
    CategoryCol,
    MemoCol,
    AmountCol
};
}

SplitEditorDialog::SplitEditorDialog(AppState *app, const Transaction &transaction,
                                     const QList<SplitLine> &lines, QWidget *parent)
    : QDialog(parent)
    , m_app(app)
    , m_transaction(transaction)
{
    m_account = app->accounts()->findById(transaction.accountId).value_or(Account());
    // Split lines take categories only; a transfer is a whole transaction.
    m_choices = EntryChoices::categoryChoices(app, transaction.accountId, false);
    setWindowTitle(tr("Split Transaction"));
    resize(640, 400);

    auto *layout = new QVBoxLayout(this);
    addHeading(layout);

    m_table = new QTableWidget(0, 3, this);
    m_table->setHorizontalHeaderLabels({tr("Category"), tr("Memo"), tr("Amount")});
    m_table->horizontalHeader()->setSectionResizeMode(CategoryCol, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(MemoCol, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(AmountCol, QHeaderView::Fixed);
    m_table->setColumnWidth(AmountCol, 130);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_table, 1);
    layout->addLayout(buildLineControls());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    applyAccentButton(buttons->button(QDialogButtonBox::Ok));
    connect(buttons, &QDialogButtonBox::accepted, this, &SplitEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const qint64 sign = transaction.amount < 0 ? -1 : 1;
    for (const SplitLine &line : lines)
        addLine(EntryChoices::codeOf(line.categoryId, QString()), line.memo, line.amount * sign);
    if (lines.isEmpty()) {
        // Start with the whole amount on one line and an empty second one.
        addLine(EntryChoices::codeOf(transaction.categoryId, QString()), QString(),
                transaction.amount * sign);
        addLine();
    }
    updateTotals();
}

// What is being split, and how the lines relate to its amount.
void SplitEditorDialog::addHeading(QVBoxLayout *layout)
{
    const QString direction = m_transaction.amount < 0 ? tr("payment") : tr("deposit");
    auto *heading = new QLabel(
        tr("%1 — %2 %3")
            .arg(m_transaction.payee.isEmpty() ? tr("(no payee)") : m_transaction.payee,
                 Money::format(m_transaction.amount < 0 ? -m_transaction.amount : m_transaction.amount,
                               m_account.currency),
                 direction),
        this);
    heading->setTextFormat(Qt::PlainText);
    applyFontRole(heading, 3);
    layout->addWidget(heading);
    // A reconciled amount belongs to its statement: only its lines may change.
    auto *hint = new QLabel(
        m_transaction.reconciled
            ? tr("Enter each line's amount as part of the %1; the lines must add up to the total.")
                  .arg(direction)
            : tr("Enter each line's amount as part of the %1; the %1 becomes the total of the lines. "
                 "Remove every line to make it an ordinary transaction.")
                  .arg(direction),
        this);
    hint->setWordWrap(true);
    hint->setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::mutedColor()));
    layout->addWidget(hint);
}

// The add and remove buttons, and the totals beside them.
QHBoxLayout *SplitEditorDialog::buildLineControls()
{
    auto *lineButtons = new QHBoxLayout;
    auto *add = new QPushButton(tr("&Add Line"), this);
    auto *remove = new QPushButton(tr("&Remove Line"), this);
    lineButtons->addWidget(add);
    lineButtons->addWidget(remove);
    lineButtons->addStretch(1);
    auto *totals = new QGridLayout;
    totals->addWidget(new QLabel(tr("Split total:"), this), 0, 0, Qt::AlignRight);
    m_totalLabel = new QLabel(this);
    m_totalLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals->addWidget(m_totalLabel, 0, 1);
    totals->addWidget(new QLabel(tr("Remaining:"), this), 1, 0, Qt::AlignRight);
    m_remainingLabel = new QLabel(this);
    m_remainingLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals->addWidget(m_remainingLabel, 1, 1);
    m_changeLabel = new QLabel(this);
    m_changeLabel->setObjectName(QStringLiteral("changeLabel"));
    m_changeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals->addWidget(m_changeLabel, 2, 0, 1, 2);
    lineButtons->addLayout(totals);
    connect(add, &QPushButton::clicked, this,
            [this]() { addLine(QString(), QString(), qMax<qint64>(0, remaining())); });
    connect(remove, &QPushButton::clicked, this, [this]() { removeLine(m_table->currentRow()); });
    return lineButtons;
}

int SplitEditorDialog::lineCount() const
{
    return m_table->rowCount();
}

void SplitEditorDialog::addLine(const QString &categoryCode, const QString &memo, qint64 amount)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto *combo = new QComboBox(m_table);
    EntryChoices::fillCombo(combo, m_choices);
    EntryChoices::selectKeepingCategory(combo, categoryCode, QString());
    EntryChoices::showNoCategoryAsEmpty(combo);
    // Leaving the field shows the whole name of what it will store.
    connect(combo->lineEdit(), &QLineEdit::editingFinished, combo,
            [combo]() { EntryChoices::showChoice(combo); });
    m_table->setCellWidget(row, CategoryCol, combo);
    auto *memoEdit = new QLineEdit(memo, m_table);
    memoEdit->setFrame(false);
    m_table->setCellWidget(row, MemoCol, memoEdit);
    auto *amountField = new SmartAmountField(m_table);
    amountField->setCurrency(m_account.currency, true);
    amountField->setFrame(false);
    amountField->setValue(Money::toUnits(amount, m_account.currency));
    connect(amountField, &QDoubleSpinBox::valueChanged, this, &SplitEditorDialog::updateTotals);
    m_table->setCellWidget(row, AmountCol, amountField);
    m_table->setRowHeight(row, qMax(m_table->rowHeight(row), combo->sizeHint().height() + 2));
    updateTotals();
}

void SplitEditorDialog::removeLine(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->removeRow(row);
    updateTotals();
}

void SplitEditorDialog::setLineAmount(int row, qint64 amount)
{
    if (auto *field = qobject_cast<SmartAmountField *>(m_table->cellWidget(row, AmountCol)))
        field->setValue(Money::toUnits(amount, m_account.currency));
    updateTotals();
}

qint64 SplitEditorDialog::lineAmount(int row) const
{
    auto *field = qobject_cast<SmartAmountField *>(m_table->cellWidget(row, AmountCol));
    if (!field)
        return 0;
    return field->typedAmount().value_or(0);
}

qint64 SplitEditorDialog::total() const
{
    qint64 sum = 0;
    for (int row = 0; row < m_table->rowCount(); ++row)
        sum += lineAmount(row);
    return sum;
}

qint64 SplitEditorDialog::remaining() const
{
    qint64 total = 0;
    for (int row = 0; row < m_table->rowCount(); ++row)
        total += lineAmount(row);
    const qint64 target = m_transaction.amount < 0 ? -m_transaction.amount : m_transaction.amount;
    return target - total;
}

void SplitEditorDialog::updateTotals()
{
    const qint64 target = m_transaction.amount < 0 ? -m_transaction.amount : m_transaction.amount;
    const qint64 rest = remaining();
    m_totalLabel->setText(Money::format(target - rest, m_account.currency));
    m_remainingLabel->setText(Money::format(rest, m_account.currency));
    m_remainingLabel->setStyleSheet(
        rest == 0 ? ThemeManager::textColorStyleSheet(ThemeManager::positiveColor())
                  : ThemeManager::textColorStyleSheet(ThemeManager::negativeColor()));
    // What saving does to the transaction, before it is saved.
    QString change;
    if (m_table->rowCount() == 0)
        change = tr("Saving makes it an ordinary transaction of %1.")
                     .arg(Money::format(target, m_account.currency));
    else if (rest != 0 && !m_transaction.reconciled)
        change = tr("The amount changes from %1 to %2.")
                     .arg(Money::format(target, m_account.currency),
                          Money::format(target - rest, m_account.currency));
    m_changeLabel->setText(change);
    m_changeLabel->setVisible(!change.isEmpty());
}

QList<SplitLine> SplitEditorDialog::lines() const
{
    QList<SplitLine> result;
    const qint64 sign = m_transaction.amount < 0 ? -1 : 1;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const qint64 amount = lineAmount(row);
        if (amount == 0)
            continue;
        SplitLine line;
        line.transactionId = m_transaction.id;
        const QString code =
            EntryChoices::currentCode(qobject_cast<QComboBox *>(m_table->cellWidget(row, CategoryCol)));
        if (code.startsWith(QLatin1String("c:")))
            line.categoryId = code.mid(2);
        line.memo = qobject_cast<QLineEdit *>(m_table->cellWidget(row, MemoCol))->text().trimmed();
        line.amount = amount * sign;
        result.append(line);
    }
    return result;
}

void SplitEditorDialog::accept()
{
    // Values still being typed count; text that is not an amount, or that
    // names no single category, is refused.
    for (int row = 0; row < m_table->rowCount(); ++row) {
        auto *field = qobject_cast<SmartAmountField *>(m_table->cellWidget(row, AmountCol));
        auto *combo = qobject_cast<QComboBox *>(m_table->cellWidget(row, CategoryCol));
        QString problem;
        QWidget *refused = nullptr;
        if (field && !field->typedAmount(&problem))
            refused = field;
        else if (combo && !(problem = EntryChoices::problem(EntryChoices::read(combo))).isEmpty())
            refused = combo;
        if (refused) {
            QMessageBox::warning(this, tr("Split Transaction"), problem);
            refused->setFocus();
            return;
        }
    }
    updateTotals();
    const qint64 rest = remaining();
    if (rest != 0 && m_transaction.reconciled && !lines().isEmpty()) {
        const qint64 target = m_transaction.amount < 0 ? -m_transaction.amount : m_transaction.amount;
        QMessageBox::warning(this, tr("Split Does Not Add Up"),
                             tr("The split lines add up to %1, but the transaction amount is %2.\n\n"
                                "Adjust the lines until nothing remains (%3 remaining).")
                                 .arg(Money::format(target - rest, m_account.currency),
                                      Money::format(target, m_account.currency),
                                      Money::format(rest, m_account.currency)));
        return;
    }
    QDialog::accept();
}
