#pragma once

#include "Account.h"
#include "Category.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

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
    // A category's own name without its parent, an account's name for a
    // transfer: typed alone, it names the choice as well as the label does.
    QString name;
};

// What the text of a category field stands for. Text picked from the list
// stands for what was picked; typed text for the one choice whose label,
// name or transfer account it is exactly, or else the one choice containing
// it. Anything else is read as nothing and kept from being saved.
struct Reading
{
    enum class Kind
    {
        Chosen,
        Unknown,
        UnknownAccount,
        Ambiguous
    };
    Kind kind = Kind::Chosen;
    QString code;
    // What the field shows for the choice: its whole label, parent and all.
    QString label;
    // The text as typed, trimmed; after a transfer prefix, the account named.
    QString typed;
    QStringList candidates;
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
// Selects the entry with the code (as picked); the first entry when none matches.
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
Reading read(const QComboBox *combo);
// Why the reading cannot be saved, for the user; empty for a choice.
QString problem(const Reading &reading);
// Shows the label of the choice the typed text stands for, so that the field
// shows what saving stores.
void showChoice(QComboBox *combo);
// Opens the list on the entries the typed text could stand for.
void offerCandidates(QComboBox *combo);
// Selects the entry at `row` as picked by the user: its text stands for it
// even where the same words name another entry too.
void pick(QComboBox *combo, int row);
// The code of what the field stands for; "" for none and for text that
// stands for nothing or for more than one entry (see read).
QString currentCode(const QComboBox *combo);
QString codeOf(const QString &categoryId, const QString &transferAccountId);

} // namespace EntryChoices
