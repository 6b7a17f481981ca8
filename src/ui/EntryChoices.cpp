#include "EntryChoices.h"

#include "AccountRepository.h"
#include "AppState.h"
#include "CategoryRepository.h"
#include "TransferPrefix.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

namespace {

constexpr int NameRole = Qt::UserRole + 1;
const char *const PickedText = "entryPickedText";
const char *const PickedCode = "entryPickedCode";
const char *const Wired = "entryChoicesWired";

bool same(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// The field's row behind an entry of its completion list.
int completionRow(QCompleter *completer, const QModelIndex &index)
{
    const auto *proxy = qobject_cast<const QAbstractProxyModel *>(completer->completionModel());
    return proxy && index.isValid() ? proxy->mapToSource(index).row() : -1;
}

// Remembers the entry the user takes from the field's own list, so that its
// text stands for it even where the same words name another entry too.
class ListPicks : public QObject
{
public:
    explicit ListPicks(QComboBox *combo)
        : QObject(combo)
        , m_combo(combo)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Other events reach the list while the field is being destroyed,
        // when it is no longer a combo box to ask.
        if (event->type() != QEvent::MouseButtonRelease && event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        QAbstractItemView *view = m_combo->view();
        int row = -1;
        if (event->type() == QEvent::MouseButtonRelease && watched == view->viewport()) {
            row = view->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).row();
        } else if (event->type() == QEvent::KeyPress && watched == view) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                row = view->currentIndex().row();
        }
        if (row >= 0) {
            m_combo->setProperty(PickedText, m_combo->itemText(row));
            m_combo->setProperty(PickedCode, m_combo->itemData(row));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox *m_combo;
};

// Return or Tab on the completion list takes the highlighted entry, closes
// the list and hands the key to the list's owner, so one press both picks
// and moves on, and the focus stays in the register. With nothing
// highlighted the typed text stays as it is, read like any typed text.
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
        if (const int row = completionRow(m_completer, popup->currentIndex()); row >= 0)
            EntryChoices::pick(m_combo, row);
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
    choices.append({QCoreApplication::translate("EntryChoices", "(No category)"), QString(), QString()});
    if (!app)
        return choices;
    const QList<Category> categories = app->categories()->findAll();
    const QHash<QString, QString> paths = categoryPaths(categories);
    QList<Choice> sorted;
    sorted.reserve(categories.size());
    for (const Category &c : categories)
        sorted.append({paths.value(c.id), QStringLiteral("c:") + c.id, c.name});
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
                            QStringLiteral("t:") + a.id, a.name});
        }
    }
    return choices;
}

void fillCombo(QComboBox *combo, const QList<Choice> &choices, bool returnMovesOn)
{
    combo->clear();
    combo->setProperty(PickedText, QVariant());
    int widest = 0;
    const QFontMetrics metrics = combo->fontMetrics();
    for (const Choice &choice : choices) {
        combo->addItem(choice.label, choice.code);
        combo->setItemData(combo->count() - 1, choice.name, NameRole);
        widest = qMax(widest, metrics.horizontalAdvance(choice.label));
    }
    // The lists are as wide as their longest name, however narrow the field.
    const int listWidth = widest + 2 * combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    combo->view()->setMinimumWidth(listWidth);
    // Typing part of a name finds it, as in a long category list one expects.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // A field filled again keeps the filters and connections of its first filling.
    const bool wired = combo->property(Wired).toBool();
    combo->setProperty(Wired, true);
    if (QCompleter *completer = combo->completer()) {
        completer->setCompletionMode(QCompleter::PopupCompletion);
        completer->setFilterMode(Qt::MatchContains);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->popup()->setMinimumWidth(listWidth);
        if (wired)
            return;
        if (returnMovesOn)
            completer->popup()->installEventFilter(new PickOnReturn(combo, completer));
        QObject::connect(completer, qOverload<const QModelIndex &>(&QCompleter::activated), combo,
                         [combo, completer](const QModelIndex &index) {
                             if (const int row = completionRow(completer, index); row >= 0)
                                 pick(combo, row);
                         });
    }
    if (wired)
        return;
    auto *picks = new ListPicks(combo);
    combo->view()->installEventFilter(picks);
    combo->view()->viewport()->installEventFilter(picks);
}

void selectCode(QComboBox *combo, const QString &code)
{
    const int index = combo->findData(code);
    pick(combo, index >= 0 ? index : 0);
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

void pick(QComboBox *combo, int row)
{
    combo->setCurrentIndex(row);
    combo->setProperty(PickedText, combo->currentText());
    combo->setProperty(PickedCode, combo->itemData(row));
}

Reading read(const QComboBox *combo)
{
    Reading reading;
    const QString text = combo->currentText();
    reading.typed = text.trimmed();
    reading.label = text;
    if (!combo->isEditable()) {
        reading.code = combo->currentData().toString();
        return reading;
    }
    if (reading.typed.isEmpty())
        return reading;
    if (const QVariant picked = combo->property(PickedText); picked.isValid() && picked.toString() == text) {
        reading.code = combo->property(PickedCode).toString();
        return reading;
    }
    // After "Transfer:" in any language only an account's name is read.
    const qsizetype prefix = TransferPrefix::length(reading.typed);
    if (prefix > 0)
        reading.typed = reading.typed.mid(prefix).trimmed();
    QList<int> exact;
    QList<int> partial;
    for (int row = 0; row < combo->count(); ++row) {
        const bool transfer = combo->itemData(row).toString().startsWith(QLatin1String("t:"));
        if (prefix > 0 && !transfer)
            continue;
        const QString name = combo->itemData(row, NameRole).toString();
        const QString whole = prefix > 0 ? name : combo->itemText(row);
        if (same(whole, reading.typed) || (!name.isEmpty() && same(name, reading.typed)))
            exact.append(row);
        else if (!reading.typed.isEmpty() && whole.contains(reading.typed, Qt::CaseInsensitive))
            partial.append(row);
    }
    // An exact name beats any entry that only contains it.
    const QList<int> &found = exact.isEmpty() ? partial : exact;
    if (found.size() == 1) {
        reading.code = combo->itemData(found.constFirst()).toString();
        reading.label = combo->itemText(found.constFirst());
        return reading;
    }
    reading.label.clear();
    if (found.isEmpty()) {
        reading.kind = prefix > 0 ? Reading::Kind::UnknownAccount : Reading::Kind::Unknown;
        return reading;
    }
    reading.kind = Reading::Kind::Ambiguous;
    for (const int row : found)
        reading.candidates.append(combo->itemText(row));
    return reading;
}

QString problem(const Reading &reading)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("EntryChoices", text); };
    switch (reading.kind) {
    case Reading::Kind::Chosen:
        break;
    case Reading::Kind::Unknown:
        return tr("There is no category \"%1\".").arg(reading.typed);
    case Reading::Kind::UnknownAccount:
        return tr("No account \"%1\" can take this transfer: transfers go between accounts of one currency.")
            .arg(reading.typed);
    case Reading::Kind::Ambiguous:
        return tr("\"%1\" stands for more than one entry (%2): pick one from the list.")
            .arg(reading.typed, reading.candidates.join(QStringLiteral("; ")));
    }
    return QString();
}

void showChoice(QComboBox *combo)
{
    const Reading reading = read(combo);
    if (reading.kind != Reading::Kind::Chosen || !combo->isEditable())
        return;
    const int row = combo->findData(reading.code);
    if (reading.code.isEmpty())
        combo->setEditText(QString());
    else if (row >= 0 && combo->itemText(row) != combo->currentText())
        pick(combo, row);
}

void offerCandidates(QComboBox *combo)
{
    QCompleter *completer = combo->completer();
    if (!completer || read(combo).kind != Reading::Kind::Ambiguous)
        return;
    completer->setCompletionPrefix(combo->currentText().trimmed());
    completer->complete();
}

QString currentCode(const QComboBox *combo)
{
    const Reading reading = read(combo);
    return reading.kind == Reading::Kind::Chosen ? reading.code : QString();
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
