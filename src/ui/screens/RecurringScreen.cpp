#include "RecurringScreen.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "PlainMessage.h"
#include "RecurringFormDialog.h"
#include "RecurringModel.h"
#include "RecurringRepository.h"
#include "RecurringService.h"
#include "ThemeManager.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

RecurringScreen::RecurringScreen(AppState *state, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);

    auto *header = new QHBoxLayout;
    auto *title = new QLabel(tr("Recurring Transactions"), this);
    applyFontRole(title, 4, QFont::Bold);
    header->addWidget(title);
    m_dueLabel = new QLabel(this);
    m_dueLabel->setObjectName(QStringLiteral("dueLabel"));
    applyFontRole(m_dueLabel, 0, QFont::Bold);
    header->addWidget(m_dueLabel);
    header->addStretch();
    auto *confirmAllButton = new QPushButton(tr("Confirm All Due"), this);
    confirmAllButton->setObjectName(QStringLiteral("confirmAllDueButton"));
    auto *nextSevenButton = new QPushButton(tr("Enter Next 7 Days"), this);
    nextSevenButton->setObjectName(QStringLiteral("enterNextSevenDaysButton"));
    auto *newButton = new QPushButton(tr("New Recurring"), this);
    newButton->setObjectName(QStringLiteral("newRecurringButton"));
    header->addWidget(confirmAllButton);
    header->addWidget(nextSevenButton);
    header->addWidget(newButton);
    layout->addLayout(header);

    m_table = new QTableView(this);
    m_model = new RecurringModel(state->accounts(), this);
    m_table->setModel(m_model);
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(RecurringModel::NextDueColumn, Qt::AscendingOrder);
    m_table->horizontalHeader()->setSectionResizeMode(RecurringModel::PayeeColumn, QHeaderView::Stretch);
    // Translated headings may be wider than the default columns: never cut them off. The two
    // short-valued columns start narrower, so the payee keeps room for its heading.
    QHeaderView *columns = m_table->horizontalHeader();
    for (int column = 0; column < RecurringModel::ColumnCount; ++column) {
        const bool narrow = column == RecurringModel::AutoColumn || column == RecurringModel::StatusColumn;
        columns->resizeSection(
            column, qMax(narrow ? 70 : columns->defaultSectionSize(), columns->sectionSizeHint(column)));
    }
    layout->addWidget(m_table, 1);

    connect(confirmAllButton, &QPushButton::clicked, this, &RecurringScreen::confirmAllDue);
    connect(nextSevenButton, &QPushButton::clicked, this, &RecurringScreen::enterNextSevenDays);
    connect(newButton, &QPushButton::clicked, this, &RecurringScreen::showNewForm);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            showEditForm(index.row());
    });
    connect(m_table, &QWidget::customContextMenuRequested, this, &RecurringScreen::onContextMenu);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setSingleShot(true);
    m_refreshTimer->setInterval(0);
    connect(m_refreshTimer, &QTimer::timeout, this, &RecurringScreen::refresh);
}

void RecurringScreen::refresh()
{
    m_refreshTimer->stop();
    m_model->setRows(m_state->recurringService()->allRecurring());
    const int due = m_state->recurringService()->pendingCount();
    if (due <= 0) {
        m_dueLabel->clear();
        m_dueLabel->setStyleSheet(QString());
    } else {
        m_dueLabel->setText(tr("(%1 due)").arg(due));
        m_dueLabel->setStyleSheet(
            ThemeManager::textColorStyleSheet(ThemeManager::readableText(QColor(0, 136, 0))));
    }
}

void RecurringScreen::scheduleRefresh()
{
    if (!m_refreshTimer->isActive())
        m_refreshTimer->start();
}

QString RecurringScreen::currentId() const
{
    const QModelIndex index = m_table->currentIndex();
    if (!index.isValid())
        return QString();
    const std::optional<RecurringTransaction> record = m_model->recordAt(index.row());
    return record ? record->id : QString();
}

void RecurringScreen::onContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_table->indexAt(pos);
    const std::optional<RecurringTransaction> record =
        index.isValid() ? m_model->recordAt(index.row()) : std::nullopt;
    if (!record)
        return;
    // The entries act on this record, whatever the table shows once the menu
    // closes (a refresh may have reordered or removed rows meanwhile).
    const QString id = record->id;
    const QDate today = QDate::currentDate();
    const bool due = RecurringModel::isDue(*record, today);

    QMenu menu(this);
    QAction *edit = menu.addAction(tr("&Edit"));
    QAction *confirm = menu.addAction(tr("&Confirm"));
    confirm->setEnabled(due);
    QAction *skip = menu.addAction(tr("&Skip"));
    skip->setEnabled(due);
    QAction *early = menu.addAction(tr("Enter &Early..."));
    early->setEnabled(record->isActive && record->nextDueDate > today);
    menu.addSeparator();
    QAction *remove = menu.addAction(tr("&Delete"));

    QAction *chosen = menu.exec(m_table->viewport()->mapToGlobal(pos));
    if (chosen == edit)
        editRecord(id);
    else if (chosen == confirm)
        confirmRecord(id);
    else if (chosen == skip)
        skipRecord(id);
    else if (chosen == early)
        enterEarly(id);
    else if (chosen == remove)
        deleteRecord(id);
}

void RecurringScreen::showNewForm()
{
    RecurringFormDialog dialog(m_state, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const RecurringTransaction record = dialog.recurring();
    // Without an account (none exists yet) the record could never post.
    if (!record.accountId.isEmpty())
        m_state->recurring()->insert(record);
    refresh();
}

void RecurringScreen::showEditForm(int row)
{
    const std::optional<RecurringTransaction> record = m_model->recordAt(row);
    if (!record)
        return;
    RecurringFormDialog dialog(m_state, *record, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_state->recurring()->update(dialog.recurring());
    refresh();
}

void RecurringScreen::confirmSelected()
{
    confirmRecord(currentId());
}

void RecurringScreen::enterEarlySelected()
{
    enterEarly(currentId());
}

void RecurringScreen::skipSelected()
{
    skipRecord(currentId());
}

void RecurringScreen::deleteSelected()
{
    deleteRecord(currentId());
}

void RecurringScreen::confirmAllDue()
{
    const int posted = m_state->recurringService()->confirmAllDue();
    if (posted <= 0)
        return;
    emit transactionsChanged();
    refresh();
}

void RecurringScreen::enterNextSevenDays()
{
    if (!PlainMessage::ask(
            this, tr("Enter Next 7 Days"),
            tr("Enter all recurring transactions due in the next 7 days? They are dated their due dates and "
               "you can edit or delete them later.")))
        return;
    const int posted = m_state->recurringService()->confirmAllThrough(QDate::currentDate().addDays(7));
    if (posted <= 0)
        return;
    emit transactionsChanged();
    refresh();
}

void RecurringScreen::editRecord(const QString &id)
{
    const int row = m_model->rowOf(id);
    if (row >= 0)
        showEditForm(row);
}

void RecurringScreen::confirmRecord(const QString &id)
{
    if (m_model->rowOf(id) < 0)
        return;
    m_state->recurringService()->confirm(id);
    emit transactionsChanged();
    refresh();
}

void RecurringScreen::enterEarly(const QString &id)
{
    const std::optional<RecurringTransaction> record = m_model->recordAt(m_model->rowOf(id));
    if (!record)
        return;
    if (!PlainMessage::ask(
            this, tr("Enter Early"),
            tr("Enter \"%1\" now, dated %2? The transaction is dated its due date and you can edit or "
               "delete it "
               "later.")
                .arg(record->payee, record->nextDueDate.toString(QStringLiteral("MMM d, yyyy")))))
        return;
    m_state->recurringService()->confirm(id);
    emit transactionsChanged();
    refresh();
}

void RecurringScreen::skipRecord(const QString &id)
{
    if (m_model->rowOf(id) < 0)
        return;
    m_state->recurringService()->skip(id);
    refresh();
}

void RecurringScreen::deleteRecord(const QString &id)
{
    const std::optional<RecurringTransaction> record = m_model->recordAt(m_model->rowOf(id));
    if (!record)
        return;
    if (!PlainMessage::ask(this, tr("Delete"), tr("Delete recurring \"%1\"?").arg(record->payee)))
        return;
    m_state->recurring()->softDelete(id);
    refresh();
}
