#include "RegisterFilter.h"

#include "DateText.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

bool RegisterFilter::matches(const RegisterRow &row, const QString &categoryText,
                             const QStringList &splitTexts) const
{
    const Transaction &t = row.transaction;
    if (dateFrom.isValid() && t.date < dateFrom)
        return false;
    if (dateTo.isValid() && t.date > dateTo)
        return false;
    // Reconciled rows count as cleared: they were cleared before they were reconciled.
    if (cleared && (t.cleared || t.reconciled) != *cleared)
        return false;
    if (text.isEmpty())
        return true;
    const auto found = [this](const QString &field) { return field.contains(text, Qt::CaseInsensitive); };
    return found(t.payee) || found(t.memo) || found(t.checkNumber) || found(categoryText) ||
           std::any_of(splitTexts.begin(), splitTexts.end(), found);
}

QString RegisterFilter::description() const
{
    const auto tr = [](const char *s) { return QCoreApplication::translate("RegisterFilter", s); };
    QStringList parts;
    if (!text.isEmpty())
        parts << tr("containing \"%1\"").arg(text);
    const QString format = DateText::registerFormat();
    if (dateFrom.isValid() && dateTo.isValid())
        parts << tr("from %1 to %2").arg(dateFrom.toString(format), dateTo.toString(format));
    else if (dateFrom.isValid())
        parts << tr("from %1").arg(dateFrom.toString(format));
    else if (dateTo.isValid())
        parts << tr("through %1").arg(dateTo.toString(format));
    if (cleared)
        parts << (*cleared ? tr("cleared") : tr("not cleared"));
    return parts.join(QStringLiteral(", "));
}
