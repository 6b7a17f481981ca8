#include "RegisterCells.h"

#include "DateField.h"
#include "Money.h"
#include "RegisterModel.h"
#include "ThemeManager.h"

#include <QCoreApplication>
#include <QDate>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("RegisterCells", text);
}

} // namespace

namespace RegisterCells {

namespace {

QString amountText(const RegisterModel &model, const Transaction &t, qint64 units)
{
    return model.currencySymbolsShown() ? Money::format(units, model.currencyOf(t))
                                        : Money::formatPlain(units, model.currencyOf(t));
}

QVariant displayText(const RegisterModel &model, int column, const DisplayRow &shown)
{
    const Transaction &t = shown.transaction;
    switch (column) {
    case RegisterModel::DateColumn:
        return DateField::format(t.date);
    case RegisterModel::CheckColumn:
        return t.checkNumber;
    case RegisterModel::PayeeColumn:
        return t.payee;
    case RegisterModel::CategoryColumn:
        return model.categoryText(t, shown.categoryName);
    case RegisterModel::MemoColumn:
        return t.memo;
    case RegisterModel::PaymentColumn:
        return t.amount < 0 ? amountText(model, t, -t.amount) : QString();
    case RegisterModel::DepositColumn:
        return t.amount > 0 ? amountText(model, t, t.amount) : QString();
    case RegisterModel::ClearedColumn:
        return RegisterModel::clearedText(t);
    case RegisterModel::BalanceColumn:
        return shown.hasBalance ? Money::format(shown.balance, model.currencyOf(t)) : QString();
    default:
        return {};
    }
}

// The editor's value: "c:<category id>", "t:<account id>" or "" for the category.
QString categoryCode(const Transaction &t)
{
    if (!t.transferDestAccountId.isEmpty())
        return QStringLiteral("t:") + t.transferDestAccountId;
    if (!t.categoryId.isEmpty())
        return QStringLiteral("c:") + t.categoryId;
    return QString();
}

QVariant editValue(int column, const DisplayRow &shown)
{
    const Transaction &t = shown.transaction;
    switch (column) {
    case RegisterModel::DateColumn:
        return t.date.isValid() ? t.date : QDate::currentDate();
    case RegisterModel::CheckColumn:
        return t.checkNumber;
    case RegisterModel::PayeeColumn:
        return t.payee;
    case RegisterModel::CategoryColumn:
        return categoryCode(t);
    case RegisterModel::MemoColumn:
        return t.memo;
    case RegisterModel::PaymentColumn:
        return paymentOf(t);
    case RegisterModel::DepositColumn:
        return depositOf(t);
    case RegisterModel::ClearedColumn:
        return t.cleared;
    case RegisterModel::BalanceColumn:
        return shown.balance;
    default:
        return {};
    }
}

bool isNegative(int column, const DisplayRow &shown)
{
    if (column == RegisterModel::PaymentColumn)
        return shown.transaction.amount < 0;
    if (column == RegisterModel::BalanceColumn)
        return shown.hasBalance && shown.balance < 0;
    return false;
}

QVariant foreground(int column, const DisplayRow &shown)
{
    if (isNegative(column, shown))
        return ThemeManager::negativeColor();
    if (column == RegisterModel::ClearedColumn && shown.transaction.reconciled)
        return ThemeManager::mutedColor();
    return {};
}

QVariant toolTip(const RegisterModel &model, int column, const Transaction &t)
{
    if (column == RegisterModel::ClearedColumn)
        return t.reconciled ? tr("Reconciled") : (t.cleared ? tr("Cleared") : tr("Not cleared"));
    if (column == RegisterModel::PayeeColumn && model.twoLine() && !t.memo.isEmpty())
        return t.memo;
    return {};
}

} // namespace

QVariant alignment(int column)
{
    switch (column) {
    case RegisterModel::PaymentColumn:
    case RegisterModel::DepositColumn:
    case RegisterModel::BalanceColumn:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case RegisterModel::ClearedColumn:
    case RegisterModel::CheckColumn:
        return QVariant(Qt::AlignHCenter | Qt::AlignVCenter);
    default:
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QVariant data(const RegisterModel &model, int column, int role, const DisplayRow &shown)
{
    const Transaction &t = shown.transaction;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(model, column, shown);
    case Qt::EditRole:
        return editValue(column, shown);
    case RegisterModel::CategoryCodeRole:
        return categoryCode(t);
    case RegisterModel::MemoRole:
        return t.memo;
    case RegisterModel::TransactionIdRole:
        return t.id;
    case RegisterModel::NegativeRole:
        return isNegative(column, shown);
    case Qt::TextAlignmentRole:
        return alignment(column);
    case Qt::ForegroundRole:
        return foreground(column, shown);
    case Qt::ToolTipRole:
        return toolTip(model, column, t);
    default:
        return {};
    }
}

} // namespace RegisterCells
