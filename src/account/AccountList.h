#pragma once

#include <QColor>
#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListView;
class QStandardItemModel;

namespace BrioAccount {

class AccountListDelegate;

// One row of a list the account window or the share dialog shows.
struct AccountListRow
{
    QString title;         // first line, as plain text
    int titleWeight = 500; // font weight of the first line
    QStringList details;   // further lines in the secondary colour, one point smaller
    QString badge;         // a word at the right, before the button ("Owner", "Current")
    QColor badgeColour;
    QString button; // text of the row's button; none when empty
    QString buttonToolTip;
    bool flatButton = false; // an auto-raised tool button with a larger font, as for "×"
    QString initials;        // a round avatar at the left; none when empty
    QColor avatarColour;
};

// A list of people, devices or sessions as a scrolling view on a model: however many rows a
// service sends, the window builds no widget per row and keeps its size. At most MaxRows are
// shown; a note under the list says how many more were left out.
class AccountList : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxRows = 1000;

    // `leftOutText` is the note for rows past MaxRows, %1 MaxRows and %2 the number left out;
    // `rowMargins` surround each row's content, and `separators` draws a line under each row.
    AccountList(const QString &leftOutText, const QMargins &rowMargins, bool separators,
                QWidget *parent = nullptr);

    // Shows the first MaxRows rows of a reply that listed `listed` records; callers build no
    // more rows than that.
    void setRows(const QList<AccountListRow> &rows, qsizetype listed);
    // The number of records of a reply that are shown.
    static qsizetype shownOf(qsizetype listed) { return qMin<qsizetype>(listed, MaxRows); }
    int rowCount() const;
    QListView *view() const { return m_view; }
    // Where a row's button is drawn, in the view's viewport; empty when the row has none.
    QRect buttonRect(int row) const;

signals:
    // Emitted from the event loop once the click is over, so that whatever the click opens
    // (a question, a request) may rebuild or remove this list.
    void buttonClicked(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What a row shows, to know it again after the rows were rebuilt.
    QString rowFingerprint(int row) const;
    QListView *m_view = nullptr;
    QStandardItemModel *m_model = nullptr;
    AccountListDelegate *m_delegate = nullptr;
    QLabel *m_leftOutNote = nullptr;
    QString m_leftOutText;
    quint64 m_generation = 0; // counts the calls of setRows
};

} // namespace BrioAccount
