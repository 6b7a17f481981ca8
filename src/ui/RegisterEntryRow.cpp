#include "RegisterEntryRow.h"

#include "AppState.h"
#include "CategoryRepository.h"
#include "CategoryService.h"
#include "EntryChoices.h"
#include "RegisterDelegate.h"
#include "RegisterModel.h"
#include "RegisterTableView.h"
#include "TransactionActions.h"
#include "TransactionWriter.h"

#include <QMessageBox>
#include <QUuid>
#include <utility>

RegisterEntryRow::RegisterEntryRow(AppState *app, RegisterModel *model, RegisterTableView *view,
                                   RegisterDelegate *delegate, QWidget *screen)
    : QObject(screen)
    , m_app(app)
    , m_model(model)
    , m_view(view)
    , m_delegate(delegate)
    , m_screen(screen)
{
}

bool RegisterEntryRow::returnToRefusedEntry()
{
    const QModelIndex cell = m_delegate->refusedIndex();
    if (!cell.isValid())
        return false;
    const QString text = m_delegate->refusedText();
    const QString problem = m_delegate->refusedProblem();
    if (!m_view->isEditing() || m_view->currentIndex() != cell) {
        m_view->setFocus();
        m_view->editCell(cell.row(), cell.column());
        if (QWidget *editor = m_view->indexWidget(cell))
            RegisterDelegate::restoreText(editor, text);
    }
    emit statusMessage(problem, 6000);
    return true;
}

bool RegisterEntryRow::submit(const QString &accountId)
{
    if (m_submitting)
        return true;
    // The field still open counts, as when the user had moved on from it
    // (closing the window or picking another account in the middle of a row).
    if (!m_view->commitOpenEditor() || m_delegate->hasRefusal()) {
        returnToRefusedEntry();
        return false;
    }
    if (!m_model->hasPendingEdit())
        return true;
    m_submitting = true;
    Transaction t = m_model->pendingTransaction();
    adoptCreatedCategory(t);
    bool ok = true;
    bool inserted = false;
    if (m_model->pendingIsNew()) {
        // A row with nothing typed is dropped without a word.
        if (!TransactionActions::isBlank(t)) {
            // The row belongs to the account it was typed in, also when its
            // save failed once and the register has moved to another account.
            if (t.accountId.isEmpty())
                t.accountId = accountId;
            ok = m_app->transactionWriter()->insert(t);
            inserted = ok;
        }
    } else {
        if (!TransactionActions::confirmReconciledLegChange(m_app, m_model->pendingOriginal(), t, m_screen)) {
            m_submitting = false;
            emit dropped();
            return true;
        }
        ok = m_app->transactionWriter()->update(m_model->pendingOriginal(), t);
    }
    m_submitting = false;
    if (!ok) {
        QMessageBox::warning(
            m_screen, tr("Save Failed"),
            tr("The transaction could not be saved. Check the transfer account and try again."));
        return false;
    }
    if (inserted) {
        m_model->setEntryDate(t.date);
        emit statusMessage(tr("Transaction added"), 2000);
    }
    m_model->clearPendingEdit();
    emit saved(inserted);
    return true;
}

bool RegisterEntryRow::refused() const
{
    return m_delegate->hasRefusal();
}

QString RegisterEntryRow::createCategory(const QString &name, const Transaction &current)
{
    Category category;
    category.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    category.name = name;
    // A deposit's category is income; the row may get its amount later, see
    // adoptCreatedCategory.
    const Transaction row = m_model->hasPendingEdit() ? m_model->pendingTransaction() : current;
    category.categoryType = row.amount > 0 ? CategoryType::Income : CategoryType::Expense;
    category.createdAt = QDateTime::currentDateTimeUtc();
    category.updatedAt = category.createdAt;
    category.syncStatus = SyncStatus::Pending;
    if (!m_app->categoryService()->create(category))
        return QString();
    m_createdCategoryId = category.id;
    m_model->setCategoryPaths(EntryChoices::categoryPaths(m_app->categories()->findAll()));
    return QStringLiteral("c:") + category.id;
}

void RegisterEntryRow::adoptCreatedCategory(const Transaction &t)
{
    // A category made while typing a row whose amount came afterwards as a
    // deposit is an income category.
    const QString created = std::exchange(m_createdCategoryId, QString());
    if (created.isEmpty() || t.categoryId != created || t.amount <= 0)
        return;
    std::optional<Category> category = m_app->categories()->findById(created);
    if (category && category->categoryType == CategoryType::Expense) {
        category->categoryType = CategoryType::Income;
        category->updatedAt = QDateTime::currentDateTimeUtc();
        category->syncStatus = SyncStatus::Pending;
        m_app->categories()->update(*category);
    }
}
