#include "RegisterDelegate.h"

#include "DateField.h"
#include "Money.h"
#include "RegisterModel.h"
#include "SmartAmountField.h"
#include "ThemeManager.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPainter>
#include <QStringListModel>

namespace {
constexpr int kPadding = 6;
}

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

QWidget *RegisterDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
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
        const bool wholeUnits = model && Money::minorUnitFactor(model->currency()) == 1;
        field->setDecimals(wholeUnits ? 0 : 2);
        field->setRange(0, wholeUnits ? 9999999999.0 : 99999999.99);
        field->setFrame(false);
        field->setBlankZero(true);
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
        auto *field = static_cast<SmartAmountField *>(editor);
        field->interpretText();
        const Currency currency = registerModel ? registerModel->currency() : Currency::USD;
        const qint64 minor = Money::toMinorUnits(field->value(), currency).value_or(0);
        if (minor != index.data(Qt::EditRole).toLongLong())
            model->setData(index, minor);
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
    editor->setGeometry(rect);
}

void RegisterDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    const auto *model = qobject_cast<const RegisterModel *>(index.model());
    const bool blank = index.data(RegisterModel::BlankRowRole).toBool();
    const bool twoLine = model && model->twoLine();

    if (blank && index.data(Qt::DisplayRole).toString().isEmpty()) {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        // The blank row hints what to type where.
        QString hint;
        if (index.column() == RegisterModel::DateColumn)
            hint = DateField::format(index.data(Qt::EditRole).toDate());
        else if (index.column() == RegisterModel::PayeeColumn)
            hint = tr("New transaction…");
        else if (index.column() == RegisterModel::CategoryColumn)
            hint = tr("Category");
        if (!hint.isEmpty()) {
            painter->save();
            QFont font = opt.font;
            font.setItalic(true);
            painter->setFont(font);
            painter->setPen((opt.state & QStyle::State_Selected)
                                ? opt.palette.color(QPalette::HighlightedText)
                                : opt.palette.color(QPalette::PlaceholderText));
            const QRect text = opt.rect.adjusted(kPadding, 0, -kPadding, 0);
            const int lineHeight = opt.fontMetrics.height() + 8;
            painter->drawText(QRect(text.left(), text.top(), text.width(), qMin(text.height(), lineHeight)),
                              Qt::AlignLeft | Qt::AlignVCenter, hint);
            painter->restore();
        }
        return;
    }

    if (!twoLine || index.column() != RegisterModel::PayeeColumn) {
        // Cells draw their text with some air at both ends, so that money
        // columns do not run into the grid; in two-line mode they sit on the
        // first line, level with the payee.
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        QRect line = opt.rect.adjusted(kPadding, 0, -kPadding, 0);
        if (twoLine)
            line.setHeight(qMin(line.height(), opt.fontMetrics.height() + 8));
        painter->save();
        painter->setFont(opt.font);
        QColor pen = (opt.state & QStyle::State_Selected) ? opt.palette.color(QPalette::HighlightedText)
                                                          : opt.palette.color(QPalette::Text);
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if (!(opt.state & QStyle::State_Selected) && foreground.canConvert<QColor>())
            pen = foreground.value<QColor>();
        painter->setPen(pen);
        painter->drawText(line, int(opt.displayAlignment),
                          opt.fontMetrics.elidedText(text, Qt::ElideRight, line.width()));
        painter->restore();
        return;
    }

    // Two-line payee cell: the payee over a smaller, muted memo.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString payee = opt.text;
    const QString memo = index.data(RegisterModel::MemoRole).toString();
    opt.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const bool selected = opt.state & QStyle::State_Selected;
    const QRect area = opt.rect.adjusted(kPadding, 2, -kPadding, -2);
    const int half = area.height() / 2;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText)
                             : opt.palette.color(QPalette::Text));
    QRect first(area.left(), area.top(), area.width(), half);
    painter->drawText(first, Qt::AlignLeft | Qt::AlignVCenter,
                      opt.fontMetrics.elidedText(payee, Qt::ElideRight, first.width()));
    if (!memo.isEmpty()) {
        QFont small = ThemeManager::roleFont(2);
        painter->setFont(small);
        painter->setPen(selected ? opt.palette.color(QPalette::HighlightedText) : ThemeManager::mutedColor());
        QRect second(area.left(), area.top() + half, area.width(), area.height() - half);
        painter->drawText(second, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(small).elidedText(memo, Qt::ElideRight, second.width()));
    }
    painter->restore();
}
