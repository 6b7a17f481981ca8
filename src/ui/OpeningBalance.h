#pragma once

#include <QString>
#include <QStringList>

// The payee of an account's opening-balance transaction. A row keeps the
// text of the language it was made in, so it is recognised by that text in
// any of the program's languages, not only the one shown now.
namespace OpeningBalance {

// `shown` (the text in the language shown, which new rows get) first, then the
// text of every translation the program carries and those earlier versions
// wrote.
QStringList payees(const QString &shown);

} // namespace OpeningBalance
