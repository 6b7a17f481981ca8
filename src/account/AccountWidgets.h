#pragma once

// Small building blocks shared by the account window's pages and the share dialog. Text that
// comes from the services is always shown as plain text, never interpreted as markup.

#include <QColor>
#include <QDateTime>
#include <QString>

class QFrame;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace BrioAccount {
class AccountList;
}

namespace BrioAccount::AccountWidgets {

// Time the service is given to settle before a list is read again after an action.
constexpr int RereadDelayMs = 500;

// "Active now", "%1m ago", "%1h ago", "%1d ago", then the local date; "Unknown" when invalid.
QString relativeTime(const QDateTime &time, const QDateTime &nowUtc);

// A label that shows its text as it is.
QLabel *plainLabel(const QString &text, QWidget *parent = nullptr);
// The label's font with the point size changed by delta, never below 7.
void resizeFont(QLabel *label, int delta);
void setFontWeight(QLabel *label, int weight);
// Text colour of all colour groups.
void setTextColour(QLabel *label, const QColor &colour);
// The light colour on a light application palette, else the dark one.
QColor themed(const QColor &light, const QColor &dark);
// The secondary colour: the application palette's placeholder colour, as text colour.
void setSecondaryColour(QLabel *label);
// Detail text: the secondary colour, one point smaller.
QLabel *secondaryLabel(const QString &text, QWidget *parent = nullptr);

// Section header: a title and, when given, a word-wrapped subtitle in the secondary colour.
QWidget *section(const QString &title, const QString &subtitle, QWidget *parent = nullptr);
QFrame *separator(QWidget *parent = nullptr);

// Gives a page its layout and title; the page's content follows at position 2.
QVBoxLayout *setUpPage(QWidget *page, const QString &title);
// Replaces the content at position 2 of a page with a new, empty container that takes the
// page's free height, for its list. The old one is hidden and deleted later: a question
// opened from one of its rows may still be running.
QVBoxLayout *replaceContent(QVBoxLayout *pageLayout, QWidget **content, int spacing);
// A row indented 12 pixels from the left.
QHBoxLayout *indentedRow(int top = 0, int bottom = 0);
// A list of the window's rows, indented like them, saying how many rows past the first
// thousand it leaves out.
AccountList *rowList(QWidget *parent, int top, int bottom, bool separators);

// Modal question with Yes and No (No the default), its text shown as plain text; true on Yes.
bool askYesNo(QWidget *parent, const QString &title, const QString &text);
// Modal information with an OK button, its text shown as plain text.
void inform(QWidget *parent, const QString &title, const QString &text);

} // namespace BrioAccount::AccountWidgets
