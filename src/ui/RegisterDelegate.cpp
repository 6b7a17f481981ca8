#include "RegisterDelegate.h"

#include "Contrast.h"
#include "DateField.h"
#include "Money.h"
#include "RegisterModel.h"
#include "SmartAmountField.h"
#include "ThemeManager.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QStringListModel>

namespace {
constexpr int kPadding = 6;
const char *const CellProperty = "registerCell";
const char *const TypedProperty = "registerTyped";
} // namespace

RegisterDelegate::RegisterDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void RegisterDelegate::setPayeeSource(std::function<QStringList()> source)
{
    m_payeeSource = std::move(source);
    m_payeesLoaded = false;
}

void RegisterDelegate::setChoiceSource(std::function<QList<EntryChoices::Choice>()> source)
{
    m_choiceSource = std::move(source);
    m_choicesLoaded = false;
}

void RegisterDelegate::invalidateSources()
{
    m_payeesLoaded = false;
    m_choicesLoaded = false;
}

void RegisterDelegate::setCategoryCreator(std::function<QString(const QString &)> creator)
{
    m_categoryCreator = std::move(creator);
}

void RegisterDelegate::clearRefusal() const
{
    m_refusedIndex = QPersistentModelIndex();
    m_refusedText.clear();
    m_refusedProblem.clear();
}

QString RegisterDelegate::editorText(QWidget *editor)
{
    if (auto *field = qobject_cast<SmartAmountField *>(editor))
        return field->typedText();
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        return combo->currentText();
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        return line->text();
    return QString();
}

void RegisterDelegate::restoreText(QWidget *editor, const QString &text)
{
    if (auto *field = qobject_cast<SmartAmountField *>(editor)) {
        field->setTypedText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setEditText(text);
    } else if (auto *date = qobject_cast<DateField *>(editor)) {
        date->setText(text);
        date->updateMark();
    }
}

bool RegisterDelegate::isUnknownCategory(const QComboBox *combo)
{
    return EntryChoices::read(combo).kind == EntryChoices::Reading::Kind::Unknown;
}

QString RegisterDelegate::problemOf(QWidget *editor) const
{
    if (auto *field = qobject_cast<SmartAmountField *>(editor)) {
        field->updateMark();
        QString problem;
        return field->typedAmount(&problem) ? QString() : problem;
    }
    if (auto *date = qobject_cast<DateField *>(editor)) {
        date->updateMark();
        return date->problem();
    }
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const EntryChoices::Reading reading = EntryChoices::read(combo);
        if (reading.kind == EntryChoices::Reading::Kind::Unknown)
            return tr("There is no category \"%1\". Press Tab to create it.").arg(reading.typed);
        return EntryChoices::problem(reading);
    }
    return QString();
}

void RegisterDelegate::refuse(QWidget *editor, const QString &problem) const
{
    m_refusedIndex = editor->property(CellProperty).value<QPersistentModelIndex>();
    m_refusedText = editorText(editor);
    m_refusedProblem = problem;
    emit const_cast<RegisterDelegate *>(this)->entryRefused(problem);
}

bool RegisterDelegate::askToCreateCategory(QComboBox *combo)
{
    const QString name = combo->currentText().trimmed();
    m_asking = true;
    const auto answer =
        QMessageBox::question(combo->window(), tr("New Category"), tr("Create category \"%1\"?").arg(name),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    m_asking = false;
    if (answer != QMessageBox::Yes || !m_categoryCreator) {
        combo->setFocus();
        if (QLineEdit *line = combo->lineEdit())
            line->selectAll();
        return false;
    }
    const QString code = m_categoryCreator(name);
    if (code.isEmpty()) {
        emit entryRefused(tr("The category \"%1\" could not be created.").arg(name));
        combo->setFocus();
        return false;
    }
    invalidateSources();
    combo->addItem(name, code);
    EntryChoices::pick(combo, combo->count() - 1);
    combo->setFocus();
    return true;
}

bool RegisterDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (!editor || !editor->property(CellProperty).isValid())
        return QStyledItemDelegate::eventFilter(object, event);
    // The question about a new category takes the focus for a moment: the
    // editor stays open under it.
    if (m_asking && event->type() == QEvent::FocusOut)
        return true;

    if (event->type() == QEvent::KeyPress) {
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        const int key = keyEvent->key();
        if (key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Return && key != Qt::Key_Enter)
            return QStyledItemDelegate::eventFilter(object, event);
        // Ctrl+Tab leaves the register: the view commits the field and moves on.
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (keyEvent->modifiers() & Qt::ControlModifier))
            return false;
        auto *combo = qobject_cast<QComboBox *>(editor);
        if (combo && isUnknownCategory(combo)) {
            if (!askToCreateCategory(combo))
                return true;
        }
        // Text that cannot be saved keeps the editor open on the field; a
        // name that fits several entries lists them to pick from.
        if (const QString problem = problemOf(editor); !problem.isEmpty()) {
            refuse(editor, problem);
            if (combo)
                EntryChoices::offerCandidates(combo);
            return true;
        }
        if (m_refusedIndex == editor->property(CellProperty).value<QPersistentModelIndex>())
            clearRefusal();
        return QStyledItemDelegate::eventFilter(object, event);
    }

    if (event->type() == QEvent::FocusOut) {
        // The window losing the focus for a moment (a suggestion list closing,
        // another window) leaves the editor open: only the user moves on.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        // Focus moving inside the editor (its list, its calendar) is no leaving.
        for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            if (w == editor)
                return QStyledItemDelegate::eventFilter(object, event);
        }
        if (const QString problem = problemOf(editor); !problem.isEmpty()) {
            // Closed without committing, so that the field's last good value
            // is not written over the typed text; the row waits for it.
            refuse(editor, problem);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

QStringListModel *RegisterDelegate::payeeModel() const
{
    if (!m_payees)
        m_payees = new QStringListModel(const_cast<RegisterDelegate *>(this));
    if (!m_payeesLoaded) {
        m_payees->setStringList(m_payeeSource ? m_payeeSource() : QStringList());
        m_payeesLoaded = true;
    }
    return m_payees;
}

const QList<EntryChoices::Choice> &RegisterDelegate::choices() const
{
    if (!m_choicesLoaded) {
        m_choices = m_choiceSource ? m_choiceSource() : QList<EntryChoices::Choice>();
        m_choicesLoaded = true;
    }
    return m_choices;
}

QWidget *RegisterDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    QWidget *editor = createCellEditor(parent, option, index);
    if (editor)
        editor->setProperty(CellProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    return editor;
}

QWidget *RegisterDelegate::createCellEditor(QWidget *parent, const QStyleOptionViewItem &,
                                            const QModelIndex &index) const
{
    const auto *model = qobject_cast<const RegisterModel *>(index.model());
    switch (index.column()) {
    case RegisterModel::DateColumn:
        return new DateField(parent);
    case RegisterModel::PayeeColumn: {
        auto *edit = new QLineEdit(parent);
        auto *completer = new QCompleter(payeeModel(), edit);
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setCompletionMode(QCompleter::InlineCompletion);
        edit->setCompleter(completer);
        return edit;
    }
    case RegisterModel::CategoryColumn: {
        auto *combo = new QComboBox(parent);
        EntryChoices::fillCombo(combo, choices(), true);
        return combo;
    }
    case RegisterModel::PaymentColumn:
    case RegisterModel::DepositColumn: {
        auto *field = new SmartAmountField(parent);
        // Negative amounts are taken: a minus sign moves the amount to the other column.
        field->setCurrency(model ? model->currency() : Currency::USD, true);
        field->setFrame(false);
        field->setBlankZero(true);
        // A row holds a payment or a deposit: the first key typed in one
        // empties the other in sight, rather than replacing it unseen on saving.
        const QPersistentModelIndex other = index.siblingAtColumn(
            index.column() == RegisterModel::PaymentColumn ? RegisterModel::DepositColumn
                                                           : RegisterModel::PaymentColumn);
        connect(field, &SmartAmountField::textTyped, field, [field, other]() {
            field->setProperty(TypedProperty, true);
            if (other.isValid() && other.data(Qt::EditRole).toLongLong() != 0)
                const_cast<QAbstractItemModel *>(other.model())->setData(other, qint64(0));
        });
        return field;
    }
    case RegisterModel::CheckColumn: {
        auto *edit = new QLineEdit(parent);
        edit->setMaxLength(20);
        edit->setAlignment(Qt::AlignHCenter);
        return edit;
    }
    case RegisterModel::MemoColumn:
        return new QLineEdit(parent);
    default:
        return nullptr;
    }
}

void RegisterDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const RegisterModel *>(index.model());
    const QVariant value = index.data(Qt::EditRole);
    switch (index.column()) {
    case RegisterModel::DateColumn:
        static_cast<DateField *>(editor)->setDate(value.toDate());
        break;
    case RegisterModel::CategoryColumn: {
        auto *combo = static_cast<QComboBox *>(editor);
        // A category deleted since, or a transfer to an account deleted since,
        // stays what the row holds.
        EntryChoices::selectKeepingCategory(combo, value.toString(), index.data(Qt::DisplayRole).toString());
        // An empty field for no category, and a selected one otherwise, so
        // that typing a name replaces what is there.
        if (value.toString().isEmpty())
            combo->setEditText(QString());
        if (QLineEdit *line = combo->lineEdit())
            line->selectAll();
        break;
    }
    case RegisterModel::PaymentColumn:
    case RegisterModel::DepositColumn: {
        auto *field = static_cast<SmartAmountField *>(editor);
        // The row repainting as the other amount empties leaves the keys typed here.
        if (field->property(TypedProperty).toBool())
            break;
        const Currency currency = model ? model->currency() : Currency::USD;
        field->setValue(Money::toUnits(value.toLongLong(), currency));
        break;
    }
    default:
        if (auto *edit = qobject_cast<QLineEdit *>(editor))
            edit->setText(value.toString());
        break;
    }
}

void RegisterDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                    const QModelIndex &index) const
{
    const auto *registerModel = qobject_cast<const RegisterModel *>(model);
    // Nothing unreadable reaches the row: the row waits until it is mended.
    if (const QString problem = problemOf(editor); !problem.isEmpty()) {
        refuse(editor, problem);
        return;
    }
    if (m_refusedIndex == QPersistentModelIndex(index))
        clearRefusal();
    switch (index.column()) {
    case RegisterModel::DateColumn: {
        const QDate date = static_cast<DateField *>(editor)->date();
        if (date != index.data(Qt::EditRole).toDate() || registerModel->isBlankRow(index.row()))
            model->setData(index, date);
        break;
    }
    case RegisterModel::CategoryColumn: {
        const QString code = EntryChoices::currentCode(static_cast<QComboBox *>(editor));
        if (code != index.data(Qt::EditRole).toString())
            model->setData(index, code);
        break;
    }
    case RegisterModel::PaymentColumn:
    case RegisterModel::DepositColumn: {
        const qint64 minor = static_cast<SmartAmountField *>(editor)->typedAmount().value_or(0);
        if (minor < 0) {
            // "-50" typed as a payment is a deposit of 50, and the other way round.
            const int other = index.column() == RegisterModel::PaymentColumn ? RegisterModel::DepositColumn
                                                                             : RegisterModel::PaymentColumn;
            model->setData(index.siblingAtColumn(other), -minor);
        } else if (minor != index.data(Qt::EditRole).toLongLong()) {
            model->setData(index, minor);
        }
        break;
    }
    default:
        if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
            if (edit->text().trimmed() != index.data(Qt::EditRole).toString())
                model->setData(index, edit->text());
        }
        break;
    }
}

void RegisterDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                            const QModelIndex &) const
{
    // In two-line mode the editor takes the first line only, at a normal height.
    QRect rect = option.rect;
    const int natural = qMax(editor->sizeHint().height(), option.fontMetrics.height() + 8);
    if (rect.height() > natural * 3 / 2)
        rect.setHeight(natural);
    // A narrow column does not cut the date: the editor takes the width of
    // its widest date and the calendar button.
    if (qobject_cast<DateField *>(editor)) {
        const int needed = editor->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                           editor->style()->pixelMetric(QStyle::PM_SmallIconSize) + 3 * kPadding + 4;
        rect.setWidth(qMax(rect.width(), needed));
    }
    editor->setGeometry(rect);
}

void RegisterDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const auto *model = qobject_cast<const RegisterModel *>(index.model());
    const bool blank =
        model ? model->isBlankRow(index.row()) : index.data(RegisterModel::BlankRowRole).toBool();
    const bool twoLine = model && model->twoLine();

    if (blank && index.data(Qt::DisplayRole).toString().isEmpty())
        paintEntryHint(painter, option, index);
    else if (!twoLine || index.column() != RegisterModel::PayeeColumn)
        paintOneLine(painter, option, index, twoLine);
    else
        paintPayeeAndMemo(painter, option, index);
}

void RegisterDelegate::paintEntryHint(QPainter *painter, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    CellPainter::drawBackground(painter, opt);
    // The blank row hints what to type where.
    QString hint;
    if (index.column() == RegisterModel::DateColumn)
        hint = DateField::format(index.data(Qt::EditRole).toDate());
    else if (index.column() == RegisterModel::PayeeColumn)
        hint = tr("New transaction…");
    else if (index.column() == RegisterModel::CategoryColumn)
        hint = tr("Category");
    if (hint.isEmpty())
        return;
    painter->save();
    QFont font = opt.font;
    font.setItalic(true);
    painter->setFont(font);
    painter->setPen((opt.state & QStyle::State_Selected) ? opt.palette.color(QPalette::HighlightedText)
                                                         : opt.palette.color(QPalette::PlaceholderText));
    const QRect text = opt.rect.adjusted(kPadding, 0, -kPadding, 0);
    const int lineHeight = opt.fontMetrics.height() + 8;
    painter->drawText(QRect(text.left(), text.top(), text.width(), qMin(text.height(), lineHeight)),
                      Qt::AlignLeft | Qt::AlignVCenter, hint);
    painter->restore();
}

void RegisterDelegate::paintOneLine(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index, bool twoLine) const
{
    // Cells draw their text with some air at both ends, so that money
    // columns do not run into the grid; in two-line mode they sit on the
    // first line, level with the payee.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    CellPainter::drawBackground(painter, opt);
    QRect line = opt.rect.adjusted(kPadding, 0, -kPadding, 0);
    if (twoLine)
        line.setHeight(qMin(line.height(), opt.fontMetrics.height() + 8));
    // The style option's text colour already holds the cell's foreground.
    const QPen oldPen = painter->pen();
    const QFont oldFont = painter->font();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color((opt.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                           : QPalette::Text));
    m_cells.drawText(painter, line, int(opt.displayAlignment), text, opt.fontMetrics);
    painter->setPen(oldPen);
    painter->setFont(oldFont);
}

void RegisterDelegate::paintPayeeAndMemo(QPainter *painter, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    // The payee over a smaller, muted memo.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString payee = opt.text;
    const QString memo = index.data(RegisterModel::MemoRole).toString();
    opt.text.clear();
    CellPainter::drawBackground(painter, opt);
    const bool selected = opt.state & QStyle::State_Selected;
    const QRect area = opt.rect.adjusted(kPadding, 2, -kPadding, -2);
    const int half = area.height() / 2;
    const QPen oldPen = painter->pen();
    const QFont oldFont = painter->font();
    painter->setFont(opt.font);
    painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText)
                             : opt.palette.color(QPalette::Text));
    QRect first(area.left(), area.top(), area.width(), half);
    m_cells.drawText(painter, first, Qt::AlignLeft | Qt::AlignVCenter, payee, opt.fontMetrics);
    if (!memo.isEmpty()) {
        // One point under the payee and muted, but readable on either row colour.
        QFont small = opt.font;
        if (small.pointSizeF() > 0)
            small.setPointSizeF(qMax(8.0, small.pointSizeF() - 1));
        painter->setFont(small);
        const QColor muted =
            Contrast::readable(ThemeManager::mutedColor(), {opt.palette.color(QPalette::Base),
                                                            opt.palette.color(QPalette::AlternateBase)});
        painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText) : muted);
        QRect second(area.left(), area.top() + half, area.width(), area.height() - half);
        m_cells.drawText(painter, second, Qt::AlignLeft | Qt::AlignVCenter, memo, QFontMetrics(small));
    }
    painter->setPen(oldPen);
    painter->setFont(oldFont);
}
