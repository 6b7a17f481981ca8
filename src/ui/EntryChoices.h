#pragma once

#include "Account.h"
#include "Category.h"

#include <QHash>
#include <QList>
#include <QString>

class AppState;
class QComboBox;

// What a category list in the register and the transaction forms offers: no
// category, every live category by its path, and a transfer to each other live
// account of the same currency. Each choice carries a code: "" for none,
// "c:<category id>" or "t:<account id>".
namespace EntryChoices {

struct Choice
{
    QString label;
    QString code;
};

// "Parent > Child" for a category with a parent, else its name.
QHash<QString, QString> categoryPaths(const QList<Category> &categories);
QHash<QString, QString> accountNames(const QList<Account> &accounts);
// "Checking", "Credit Card", ...: an account type as the user reads it.
QString accountTypeLabel(AccountType type);

QList<Choice> categoryChoices(AppState *app, const QString &accountId, bool withTransfers);
// Fills an editable list whose typed text finds entries anywhere in their
// names. With `returnMovesOn`, Return on the completion list picks the entry
// and is passed on to the list itself (a register cell moves to the next one).
void fillCombo(QComboBox *combo, const QList<Choice> &choices, bool returnMovesOn = false);
// Selects the entry with the code; the first entry when none matches.
void selectCode(QComboBox *combo, const QString &code);
// As selectCode, but what is no longer offered (deleted since) stays what
// saving the row keeps: a transfer account is added under `label` and
// selected; a category counts as none, so "no category" is selected and
// carries it.
void selectKeepingCategory(QComboBox *combo, const QString &code, const QString &label);
// With no category selected, an empty field with "(No category)" as its hint.
void showNoCategoryAsEmpty(QComboBox *combo);
// The name a category is shown under, deleted or not; empty when there is none.
QString storedCategoryName(AppState *app, const QString &categoryId);
// The code of the entry whose label was typed or picked; for a part of a
// label, the first entry containing it; "" for an empty field.
QString currentCode(const QComboBox *combo);
QString codeOf(const QString &categoryId, const QString &transferAccountId);

} // namespace EntryChoices
