#include "EntryChoices.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CategoryRepository.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>

namespace {

// Return or Tab on the completion list takes the highlighted entry (or the
// first one), closes the list and hands the key to the list's owner, so one
// press both picks and moves on, and the focus stays in the register.
class PickOnReturn : public QObject
{
public:
    PickOnReturn(QComboBox *combo, QCompleter *completer)
        : QObject(combo)
        , m_combo(combo)
        , m_completer(completer)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        if (key != Qt::Key_Return && key != Qt::Key_Enter && !tab)
            return QObject::eventFilter(watched, event);
        QAbstractItemView *popup = m_completer->popup();
        QModelIndex chosen = popup->currentIndex();
        if (!chosen.isValid())
            chosen = m_completer->completionModel()->index(0, 0);
        if (chosen.isValid())
            m_combo->setEditText(chosen.data().toString());
        popup->hide();
        // Tab goes to the list itself: its line would move the focus out of the cell.
        QObject *target = m_combo->lineEdit() && !tab ? static_cast<QObject *>(m_combo->lineEdit()) : m_combo;
        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Backtab ? Qt::KeyboardModifiers(Qt::ShiftModifier) : Qt::NoModifier;
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers));
        return true;
    }

private:
    QComboBox *m_combo;
    QCompleter *m_completer;
};

} // namespace

namespace EntryChoices {

QHash<QString, QString> categoryPaths(const QList<Category> &categories)
{
    QHash<QString, QString> names;
    names.reserve(categories.size());
    for (const Category &c : categories)
        names.insert(c.id, c.name);
    QHash<QString, QString> paths;
    paths.reserve(categories.size());
    for (const Category &c : categories) {
        const QString parent = c.parentId.isEmpty() ? QString() : names.value(c.parentId);
        paths.insert(c.id, parent.isEmpty() ? c.name : parent + QStringLiteral(" > ") + c.name);
    }
    return paths;
}

QHash<QString, QString> accountNames(const QList<Account> &accounts)
{
    QHash<QString, QString> names;
    for (const Account &a : accounts)
        names.insert(a.id, a.name);
    return names;
}

QString accountTypeLabel(AccountType type)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("EntryChoices", text); };
    switch (type) {
    case AccountType::Checking:
        return tr("Checking");
    case AccountType::Savings:
        return tr("Savings");
    case AccountType::CreditCard:
        return tr("Credit Card");
    case AccountType::Cash:
        return tr("Cash");
    case AccountType::Investment:
        return tr("Investment");
    case AccountType::Other:
        break;
    }
    return tr("Other");
}

QList<Choice> categoryChoices(AppState *app, const QString &accountId, bool withTransfers)
{
    QList<Choice> choices;
    choices.append({QCoreApplication::translate("EntryChoices", "(No category)"), QString()});
    if (!app)
        return choices;
    const QList<Category> categories = app->categories()->findAll();
    const QHash<QString, QString> paths = categoryPaths(categories);
    QList<Choice> sorted;
    sorted.reserve(categories.size());
    for (const Category &c : categories)
        sorted.append({paths.value(c.id), QStringLiteral("c:") + c.id});
    std::sort(sorted.begin(), sorted.end(), [](const Choice &a, const Choice &b) {
        return QString::localeAwareCompare(a.label, b.label) < 0;
    });
    choices.append(sorted);
    if (withTransfers) {
        const QList<Account> accounts = app->accounts()->findAll();
        std::optional<Currency> currency;
        for (const Account &a : accounts) {
            if (a.id == accountId)
                currency = a.currency;
        }
        for (const Account &a : accounts) {
            // Money moves between accounts only within one currency: the two
            // legs carry the same amount.
            if (a.id == accountId || (currency && a.currency != *currency))
                continue;
            choices.append({QCoreApplication::translate("EntryChoices", "Transfer: %1").arg(a.name),
                            QStringLiteral("t:") + a.id});
        }
    }
    return choices;
}

void fillCombo(QComboBox *combo, const QList<Choice> &choices, bool returnMovesOn)
{
    combo->clear();
    int widest = 0;
    const QFontMetrics metrics = combo->fontMetrics();
    for (const Choice &choice : choices) {
        combo->addItem(choice.label, choice.code);
        widest = qMax(widest, metrics.horizontalAdvance(choice.label));
    }
    // The lists are as wide as their longest name, however narrow the field.
    const int listWidth = widest + 2 * combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    combo->view()->setMinimumWidth(listWidth);
    // Typing part of a name finds it, as in a long category list one expects.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (QCompleter *completer = combo->completer()) {
        completer->setCompletionMode(QCompleter::PopupCompletion);
        completer->setFilterMode(Qt::MatchContains);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->popup()->setMinimumWidth(listWidth);
        if (returnMovesOn)
            completer->popup()->installEventFilter(new PickOnReturn(combo, completer));
    }
}

void selectCode(QComboBox *combo, const QString &code)
{
    const int index = combo->findData(code);
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

void selectKeepingCategory(QComboBox *combo, const QString &code, const QString &label)
{
    if (combo->findData(code) < 0) {
        const int none = combo->findData(QString());
        if (code.startsWith(QLatin1String("c:")) && none >= 0)
            combo->setItemData(none, code);
        else if (code.startsWith(QLatin1String("t:")) && !label.isEmpty())
            combo->addItem(label, code);
    }
    selectCode(combo, code);
}

void showNoCategoryAsEmpty(QComboBox *combo)
{
    // "(No category)" stays as the field's hint, so that a name typed
    // replaces it rather than adding to it.
    QLineEdit *line = combo->lineEdit();
    if (!line || combo->count() == 0)
        return;
    if (!currentCode(combo).isEmpty()) {
        // A category deleted since shows as "(No category)" and carries its
        // id: selected, so that a name typed replaces the text all the same.
        line->selectAll();
        return;
    }
    line->setPlaceholderText(combo->itemText(0));
    combo->setEditText(QString());
}

QString storedCategoryName(AppState *app, const QString &categoryId)
{
    if (!app || categoryId.isEmpty())
        return QString();
    const std::optional<Category> category = app->categories()->findById(categoryId);
    return category ? category->name : QString();
}

QString currentCode(const QComboBox *combo)
{
    if (combo->isEditable() && combo->currentText().trimmed().isEmpty())
        return QString();
    const int typed = combo->findText(combo->currentText(), Qt::MatchFixedString);
    if (typed >= 0)
        return combo->itemData(typed).toString();
    const int partial = combo->findText(combo->currentText().trimmed(), Qt::MatchContains);
    if (partial >= 0)
        return combo->itemData(partial).toString();
    return combo->currentData().toString();
}

QString codeOf(const QString &categoryId, const QString &transferAccountId)
{
    if (!transferAccountId.isEmpty())
        return QStringLiteral("t:") + transferAccountId;
    if (!categoryId.isEmpty())
        return QStringLiteral("c:") + categoryId;
    return QString();
}

} // namespace EntryChoices
