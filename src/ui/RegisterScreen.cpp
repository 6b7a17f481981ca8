#include "RegisterScreen.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CategoryRepository.h"
#include "EntryChoices.h"
#include "PreferencesRepository.h"
#include "ReadFailureWatch.h"
#include "RegisterColumns.h"
#include "RegisterCommands.h"
#include "RegisterDelegate.h"
#include "RegisterEntryRow.h"
#include "RegisterFilterDialog.h"
#include "RegisterHeading.h"
#include "RegisterModel.h"
#include "RegisterTableView.h"
#include "SettingsKeys.h"
#include "SplitLineRepository.h"
#include "ThemeManager.h"
#include "TransactionActions.h"
#include "TransactionRepository.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace {

// Short enough to feel immediate, long enough to gather a burst of writes.
// Zero still gathers a burst of writes made in one pass of the event loop.
constexpr int kReloadDelayMs = 0;
// Past this many written rows one read of the register costs less.
constexpr int kMaxRowsReadAlone = 64;

} // namespace

RegisterScreen::RegisterScreen(AppState *app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_heading = new RegisterHeading(m_app, this);
    layout->addWidget(m_heading);
    buildFilterBar(layout);
    buildTable(layout);

    m_reloadTimer = new QTimer(this);
    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(kReloadDelayMs);
    connect(m_reloadTimer, &QTimer::timeout, this, &RegisterScreen::reloadNow);
    QHeaderView *columns = m_view->horizontalHeader();
    connect(columns, &QHeaderView::sortIndicatorChanged, this, [this](int column, Qt::SortOrder order) {
        m_model->sort(column, order);
        QSettings settings;
        settings.setValue(SettingsKeys::RegisterSortColumn.name(), column);
        settings.setValue(SettingsKeys::RegisterSortOrder.name(), int(order));
        if (const QModelIndex current = m_view->currentIndex(); current.isValid())
            m_view->scrollTo(current);
    });

    connectView();
    connectRepositories();
    m_commands = new RegisterCommands(m_app, this);
    connect(m_commands, &RegisterCommands::statusMessage, this, &RegisterScreen::statusMessage);
    applyPreferences();
    updateActions();
}

void RegisterScreen::buildFilterBar(QVBoxLayout *layout)
{
    m_filterBar = new QWidget(this);
    auto *filterLayout = new QHBoxLayout(m_filterBar);
    filterLayout->setContentsMargins(16, 4, 16, 6);
    m_filterLabel = new QLabel(m_filterBar);
    m_filterLabel->setTextFormat(Qt::PlainText);
    m_filterLabel->setWordWrap(true);
    auto *clearButton = new QPushButton(tr("Clear Filter"), m_filterBar);
    connect(clearButton, &QPushButton::clicked, this, &RegisterScreen::clearFilter);
    filterLayout->addWidget(m_filterLabel, 1);
    filterLayout->addWidget(clearButton);
    m_filterBar->hide();
    layout->addWidget(m_filterBar);
}

void RegisterScreen::buildTable(QVBoxLayout *layout)
{
    m_model = new RegisterModel(this);
    m_delegate = new RegisterDelegate(this);
    m_delegate->setPayeeSource([this]() { return m_app->transactions()->payees(m_account.id); });
    m_delegate->setChoiceSource([this]() {
        // The row being edited shows the category picked for it by its path.
        m_model->setCategoryPaths(EntryChoices::categoryPaths(m_app->categories()->findAll()));
        return EntryChoices::categoryChoices(m_app, m_account.id, true);
    });
    connect(m_delegate, &RegisterDelegate::entryRefused, this,
            [this](const QString &message) { emit statusMessage(message, 6000); });
    m_view = new RegisterTableView(this);
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_view, 1);

    m_entryRow = new RegisterEntryRow(m_app, m_model, m_view, m_delegate, this);
    m_delegate->setCategoryCreator([this](const QString &name) {
        return m_entryRow->createCategory(name, currentTransaction().value_or(Transaction()));
    });
    connect(m_entryRow, &RegisterEntryRow::statusMessage, this, &RegisterScreen::statusMessage);
    connect(m_entryRow, &RegisterEntryRow::saved, this, [this](bool inserted) {
        // A new row, saved or dropped as blank, is followed by the next one on its date.
        if (inserted || m_model->isBlankRow(m_view->currentIndex().row()))
            m_focusEntryAfterReload = true;
        reloadNow();
    });
    connect(m_entryRow, &RegisterEntryRow::dropped, this, [this]() {
        cancelPendingRow();
        reloadNow();
    });

    m_columns = new RegisterColumns(m_view);
    m_columns->restore();
    restoreHeaderState();
}

void RegisterScreen::connectView()
{
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RegisterScreen::onCurrentRowChanged);
    connect(m_view, &RegisterTableView::submitRequested, this, [this]() {
        // A row saved from the keyboard is done with: the keys that follow
        // start the next row rather than edit the saved one again.
        const bool typed = m_model->hasPendingEdit();
        if (submitPendingRow() && typed)
            focusEntryRow();
    });
    connect(m_view, &RegisterTableView::cancelRequested, this, &RegisterScreen::cancelPendingRow);
    connect(m_view, &RegisterTableView::clearedClicked, this, &RegisterScreen::onClearedClicked);
    connect(m_view, &RegisterTableView::deleteRequested, this, &RegisterScreen::deleteCurrent);
    connect(m_view, &RegisterTableView::openRequested, this, &RegisterScreen::showDetails);
    connect(m_view, &RegisterTableView::editorClosed, this, [this]() {
        if (m_dirty && !m_model->hasPendingEdit())
            scheduleReload();
    });
    connect(m_view, &QWidget::customContextMenuRequested, this, &RegisterScreen::showContextMenu);
}

void RegisterScreen::connectRepositories()
{
    connect(m_app->transactions(), &TransactionRepository::transactionsChanged, this,
            [this](const QString &accountId) {
                // Payees saved anywhere are offered in the next row.
                m_delegate->invalidateSources();
                if (!m_account.id.isEmpty() && (accountId.isEmpty() || accountId == m_account.id)) {
                    if (!std::exchange(m_rowAnnounced, false))
                        m_readAll = true;
                    scheduleReload();
                }
            });
    connect(m_app->transactions(), &TransactionRepository::transactionWritten, this,
            [this](const QString &accountId, const QString &transactionId) {
                if (!m_account.id.isEmpty() && accountId == m_account.id) {
                    m_changedIds.insert(transactionId);
                    m_rowAnnounced = true;
                }
            });
    connect(m_app->accounts(), &AccountRepository::accountsChanged, this, [this]() {
        m_readAll = true;
        m_delegate->invalidateSources();
        scheduleReload();
    });
    connect(m_app->categories(), &CategoryRepository::categoriesChanged, this, [this]() {
        m_readAll = true;
        m_delegate->invalidateSources();
        // Paths read for an earlier editor would still name a deleted category.
        m_model->setCategoryPaths(EntryChoices::categoryPaths(m_app->categories()->findAll()));
        scheduleReload();
    });
}

RegisterScreen::~RegisterScreen()
{
    m_columns->save();
    // QWidget deletes the children after this body, and the view closing its
    // editor then still signals (editor closed, entry refused): nothing of
    // theirs may reach this half-destroyed screen.
    const QList<QObject *> children = findChildren<QObject *>();
    for (QObject *child : children)
        disconnect(child, nullptr, this, nullptr);
}

void RegisterScreen::applyPreferences()
{
    PreferencesRepository *prefs = m_app->preferences();
    const bool twoLine = prefs->getBool(PreferenceKeys::RegisterTwoLine);
    const bool showBalance = prefs->getBool(PreferenceKeys::RegisterShowBalance);
    const bool newestFirst = prefs->getBool(PreferenceKeys::RegisterNewestFirst);

    m_model->setTwoLine(twoLine);
    m_columns->setColumnHidden(RegisterModel::MemoColumn, twoLine);
    m_columns->setColumnHidden(RegisterModel::BalanceColumn, !showBalance);
    const int line = QFontMetrics(ThemeManager::roleFont(0)).height();
    m_view->verticalHeader()->setDefaultSectionSize(twoLine ? line * 2 + 14 : line + 12);

    // The preference decides the date order when it changes; otherwise the
    // order the user last picked in the header stands.
    QHeaderView *columns = m_view->horizontalHeader();
    if (!m_newestFirst.has_value()) {
        QSettings settings;
        if (!settings.contains(SettingsKeys::RegisterSortColumn.name()))
            columns->setSortIndicator(RegisterModel::DateColumn,
                                      newestFirst ? Qt::DescendingOrder : Qt::AscendingOrder);
    } else if (*m_newestFirst != newestFirst) {
        columns->setSortIndicator(RegisterModel::DateColumn,
                                  newestFirst ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    m_newestFirst = newestFirst;
    m_columns->fit();
}

void RegisterScreen::restoreHeaderState()
{
    QSettings settings;
    QHeaderView *columns = m_view->horizontalHeader();
    const int column =
        settings.value(SettingsKeys::RegisterSortColumn.name(), int(RegisterModel::DateColumn)).toInt();
    const int order = settings.value(SettingsKeys::RegisterSortOrder.name(), int(Qt::AscendingOrder)).toInt();
    const int safeColumn = column >= 0 && column < RegisterModel::ColumnCount ? column : 0;
    const Qt::SortOrder safeOrder =
        order == int(Qt::DescendingOrder) ? Qt::DescendingOrder : Qt::AscendingOrder;
    columns->setSortIndicator(safeColumn, safeOrder);
    m_model->sort(safeColumn, safeOrder);
}

void RegisterScreen::saveColumnLayout()
{
    m_columns->save();
}

void RegisterScreen::setAccount(const QString &accountId)
{
    if (accountId != m_account.id && (m_model->hasPendingEdit() || m_view->isEditing()))
        submitPendingRow();
    const bool changed = accountId != m_account.id;
    m_account = Account();
    if (!accountId.isEmpty())
        m_account = m_app->accounts()->findById(accountId).value_or(Account());
    m_model->setAccount(m_account.id, m_account.currency);
    m_readAll = true;
    if (changed) {
        m_filter = RegisterFilter();
        m_model->setEntryDate(QDate());
        m_delegate->invalidateSources();
    }
    reloadNow();
    if (changed) {
        // Typing in a register just opened starts a new row, never an edit of
        // the row that happens to be first (an account's opening balance).
        if (m_model->blankRow() >= 0)
            m_view->setCurrentIndex(m_model->index(m_model->blankRow(), RegisterModel::DateColumn));
        scrollToEntryRow();
        // Before the first show the viewport has no size yet and the scroll above is lost;
        // once the pending layout has run, the entry row can really be brought into view.
        QTimer::singleShot(0, this, &RegisterScreen::scrollToEntryRow);
    }
}

void RegisterScreen::scrollToEntryRow()
{
    m_view->scrollTo(m_model->index(m_model->blankRow() >= 0 ? m_model->blankRow() : 0, 0));
}

void RegisterScreen::refresh()
{
    applyPreferences();
    m_view->viewport()->update();
    m_readAll = true;
    reloadNow();
}

void RegisterScreen::scheduleReload()
{
    m_dirty = true;
    if (!m_reloadTimer->isActive())
        m_reloadTimer->start();
}

bool RegisterScreen::isEditing() const
{
    return m_model->hasPendingEdit() || m_view->isEditing();
}

void RegisterScreen::reloadNow()
{
    m_reloadTimer->stop();
    // A reload in the middle of typing a row would throw the row away: wait
    // until it is saved or dropped.
    if (isEditing() && !m_entryRow->isSubmitting()) {
        m_dirty = true;
        return;
    }
    m_dirty = false;
    ++m_reloadCount;
    if (reloadChangedRows())
        return;

    const QString currentId = currentTransaction() ? currentTransaction()->id : QString();
    const int currentColumn = m_view->currentIndex().isValid() ? m_view->currentIndex().column() : 0;
    const bool onBlankRow = m_model->isBlankRow(m_view->currentIndex().row());
    const int scroll = m_view->verticalScrollBar()->value();

    if (!m_account.id.isEmpty()) {
        // The name, type or currency may have changed.
        if (const auto fresh = m_app->accounts()->findById(m_account.id); fresh && !fresh->deletedAt)
            m_account = *fresh;
    }
    const ReadFailureWatch watch;
    QList<RegisterRow> rows;
    if (!m_account.id.isEmpty() && !m_account.deletedAt)
        rows = m_app->transactions()->registerRows(m_account.id);
    m_model->setAccount(m_account.id, m_account.currency);
    m_model->setAccountNames(EntryChoices::accountNames(m_app->accounts()->findAll()));
    m_heading->setAccount(m_account);
    // Rows that could not be read are no empty register: no balances, no entry
    // row under them, and the user is told.
    const bool readFailed = watch.failed();
    if (readFailed) {
        m_heading->showUnread();
        // Amounts too large to add up are no fault of the file.
        emit statusMessage(watch.overflowed()
                               ? tr("The amounts of %1 are too large to add up.").arg(m_account.name)
                               : tr("The transactions of this account could not be read from the database."),
                           10000);
    }

    if (m_filter.isActive()) {
        QList<RegisterRow> shown;
        QHash<QString, QString> paths;
        for (const RegisterRow &row : std::as_const(rows)) {
            if (m_filter.matches(row, m_model->categoryText(row.transaction, row.categoryName),
                                 splitTexts(row.transaction, paths)))
                shown.append(row);
        }
        rows = shown;
    }
    m_model->setInlineRowVisible(!m_account.id.isEmpty() && !readFailed);
    m_model->setEntries(rows);
    m_columns->measureFigures(m_model->entries(), m_account.currency);

    if (m_focusEntryAfterReload) {
        m_focusEntryAfterReload = false;
        focusEntryRow();
    } else if (!currentId.isEmpty() && m_model->rowOf(currentId) >= 0) {
        keepCurrentInView(m_model->index(m_model->rowOf(currentId), currentColumn), scroll);
    } else if (onBlankRow && m_model->blankRow() >= 0) {
        keepCurrentInView(m_model->index(m_model->blankRow(), currentColumn), scroll);
    }
    updateActions();
    emit reloaded();
}

void RegisterScreen::keepCurrentInView(const QModelIndex &current, int scroll)
{
    m_view->setCurrentIndex(current);
    // The rows stay where they were, unless rows read in (a restore, a pull)
    // pushed the one the user is on out of sight: typing goes there.
    m_view->verticalScrollBar()->setValue(scroll);
    m_view->scrollTo(current);
}

bool RegisterScreen::reloadChangedRows()
{
    const QSet<QString> ids = std::exchange(m_changedIds, {});
    const bool readAll = std::exchange(m_readAll, false);
    if (readAll || ids.isEmpty() || ids.size() > kMaxRowsReadAlone || m_filter.isActive() ||
        m_account.id.isEmpty())
        return false;
    const qint64 lastBalance = m_model->entries().isEmpty() ? 0 : m_model->entries().constLast().balance;
    const QList<RegisterRow> fresh = m_app->transactions()->registerRowsByIds(ids.values());
    if (!m_model->updateEntries(ids, fresh))
        return false;
    // One row: every balance after it moved as the last one did, and the
    // money columns need not read every row to know their widths.
    if (fresh.size() == 1)
        m_columns->widenFigures(fresh.constFirst().transaction.amount,
                                m_model->entries().constLast().balance - lastBalance);
    else
        m_columns->measureFigures(m_model->entries(), m_account.currency);
    m_heading->setAccount(m_account);
    updateActions();
    emit reloaded();
    return true;
}

void RegisterScreen::setFilter(const RegisterFilter &filter)
{
    if (m_model->hasPendingEdit())
        submitPendingRow();
    m_filter = filter;
    m_filterBar->setVisible(m_filter.isActive());
    m_filterLabel->setText(tr("Showing transactions %1.").arg(m_filter.description()));
    m_readAll = true;
    reloadNow();
}

void RegisterScreen::showFilterDialog()
{
    RegisterFilterDialog dialog(m_filter, this);
    if (dialog.exec() == QDialog::Accepted)
        setFilter(dialog.filter());
    focusEntryRow();
}

void RegisterScreen::clearFilter()
{
    setFilter(RegisterFilter());
}

std::optional<Transaction> RegisterScreen::currentTransaction() const
{
    const QModelIndex index = m_view->currentIndex();
    if (!index.isValid() || m_model->isBlankRow(index.row()))
        return std::nullopt;
    const RegisterRow row = m_model->rowAt(index.row());
    if (row.transaction.id.isEmpty())
        return std::nullopt;
    return row.transaction;
}

void RegisterScreen::selectTransaction(const QString &transactionId)
{
    const int row = m_model->rowOf(transactionId);
    if (row < 0)
        return;
    m_view->setCurrentIndex(m_model->index(row, RegisterModel::PayeeColumn));
    m_view->scrollTo(m_model->index(row, RegisterModel::PayeeColumn));
}

void RegisterScreen::onCurrentRowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Leaving a row that was edited inline saves it, as a paper register would
    // keep it; text it could not take brings the cursor back to it.
    const bool leftRow = previous.isValid() && current.row() != previous.row();
    const bool refusedThere = m_delegate->hasRefusal() && m_delegate->refusedIndex().row() == previous.row();
    if (leftRow && ((m_model->hasPendingEdit() && previous.row() == m_model->pendingRow()) || refusedThere))
        QTimer::singleShot(0, this, [this]() { submitPendingRow(); });
    updateActions();
}

QStringList RegisterScreen::splitTexts(const Transaction &t, QHash<QString, QString> &paths) const
{
    // A split's lines are looked into only when there is text to look for.
    if (!t.isSplit || m_filter.text.isEmpty())
        return {};
    if (paths.isEmpty())
        paths = EntryChoices::categoryPaths(m_app->categories()->findAll());
    QStringList texts;
    for (const SplitLine &line : m_app->splitLines()->findByTransaction(t.id))
        texts << paths.value(line.categoryId) << line.memo;
    return texts;
}

bool RegisterScreen::submitPendingRow()
{
    return m_entryRow->submit(m_account.id);
}

bool RegisterScreen::entryRefused() const
{
    return m_entryRow->refused();
}

void RegisterScreen::cancelPendingRow()
{
    m_delegate->clearRefusal();
    // Escape on the entry row starts it afresh, on its date.
    const bool onEntryRow = m_model->pendingIsNew() || m_model->isBlankRow(m_view->currentIndex().row());
    if (m_model->hasPendingEdit()) {
        m_model->clearPendingEdit();
        if (m_dirty)
            reloadNow();
    }
    if (onEntryRow && m_model->blankRow() >= 0)
        m_view->setCurrentIndex(m_model->index(m_model->blankRow(), RegisterModel::DateColumn));
}

void RegisterScreen::focusEntryRow()
{
    const int row = m_model->blankRow();
    if (row < 0)
        return;
    // Typing starts the entry; the first key replaces the proposed date.
    m_view->setFocus();
    m_view->setCurrentIndex(m_model->index(row, RegisterModel::DateColumn));
    m_view->scrollTo(m_model->index(row, RegisterModel::DateColumn));
}

void RegisterScreen::onClearedClicked(int row)
{
    if (m_model->isBlankRow(row) || m_model->pendingRow() == row) {
        const QModelIndex index = m_model->index(row, RegisterModel::ClearedColumn);
        m_model->setData(index, !index.data(Qt::EditRole).toBool());
        return;
    }
    if (m_model->hasPendingEdit())
        return;
    const RegisterRow r = m_model->rowAt(row);
    if (r.transaction.id.isEmpty())
        return;
    if (r.transaction.reconciled) {
        emit statusMessage(tr("A reconciled transaction stays cleared."), 3000);
        return;
    }
    if (!TransactionActions::toggleCleared(m_app, r.transaction))
        emit statusMessage(tr("The transaction could not be saved."), 4000);
}

void RegisterScreen::toggleClearedCurrent()
{
    const QModelIndex index = m_view->currentIndex();
    if (index.isValid())
        onClearedClicked(index.row());
}

void RegisterScreen::newTransaction()
{
    m_commands->newTransaction();
}

void RegisterScreen::showDetails()
{
    m_commands->showDetails();
}

void RegisterScreen::deleteCurrent()
{
    m_commands->deleteCurrent();
}

void RegisterScreen::updateActions()
{
    m_commands->update(currentTransaction(), !m_account.id.isEmpty(), m_filter.isActive());
}

void RegisterScreen::showContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_view->indexAt(pos);
    if (index.isValid())
        m_view->setCurrentIndex(index);
    updateActions();
    QMenu menu(this);
    menu.addAction(m_commands->newAction());
    menu.addSeparator();
    menu.addAction(m_commands->editAction());
    menu.addAction(m_commands->detailsAction());
    menu.addAction(m_commands->splitsAction());
    menu.addAction(m_commands->duplicateAction());
    menu.addAction(m_commands->memorizeAction());
    menu.addAction(m_commands->toggleClearedAction());
    menu.addSeparator();
    menu.addAction(m_commands->deleteAction());
    menu.exec(m_view->viewport()->mapToGlobal(pos));
}
