#include "AccountList.h"

#include "AccountListDelegate.h"
#include "AccountWidgets.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>

namespace BrioAccount {

AccountList::AccountList(const QString &leftOutText, const QMargins &rowMargins, bool separators,
                         QWidget *parent)
    : QWidget(parent)
    , m_leftOutText(leftOutText)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    m_model = new QStandardItemModel(this);
    m_delegate = new AccountListDelegate(rowMargins, separators, this);
    m_view = new QListView(this);
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setSelectionMode(QAbstractItemView::NoSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setMouseTracking(true);
    // As tall as its rows while they fit, then scrolling: a short list leaves the page's room
    // below it free, a long one takes what the page has and no more.
    m_view->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    // The list draws on the page's own background, as the rows it replaces did.
    m_view->viewport()->setAutoFillBackground(false);
    m_view->installEventFilter(this);
    layout->addWidget(m_view, 1);

    m_leftOutNote = AccountWidgets::secondaryLabel(QString(), this);
    m_leftOutNote->setWordWrap(true);
    m_leftOutNote->hide();
    layout->addWidget(m_leftOutNote);

    // Whatever the click opens runs from the event loop, with no frame of the view's own
    // mouse handling below it that a rebuild could pull away.
    // A click on a row that new rows replaced meanwhile is dropped, unless the row at its place
    // still shows the same: replies that arrive one after the other rebuild a list while it
    // loads, and the person clicked is still the one shown there.
    connect(m_delegate, &AccountListDelegate::buttonClicked, this, [this](const QModelIndex &index) {
        const int row = index.row();
        const quint64 generation = m_generation;
        const QString shown = rowFingerprint(row);
        QTimer::singleShot(0, this, [this, row, generation, shown] {
            if (generation == m_generation || (row < rowCount() && rowFingerprint(row) == shown))
                emit buttonClicked(row);
        });
    });
}

void AccountList::setRows(const QList<AccountListRow> &rows, qsizetype listed)
{
    const qsizetype shown = qMin<qsizetype>(rows.size(), MaxRows);
    QList<QStandardItem *> items;
    items.reserve(shown);
    for (qsizetype i = 0; i < shown; ++i) {
        const AccountListRow &row = rows.at(i);
        auto *item = new QStandardItem(row.title);
        item->setEditable(false);
        item->setData(row.titleWeight, AccountListDelegate::TitleWeightRole);
        item->setData(row.details, AccountListDelegate::DetailsRole);
        item->setData(row.badge, AccountListDelegate::BadgeRole);
        item->setData(row.badgeColour, AccountListDelegate::BadgeColourRole);
        item->setData(row.button, AccountListDelegate::ButtonRole);
        item->setData(row.buttonToolTip, AccountListDelegate::ButtonToolTipRole);
        item->setData(row.flatButton, AccountListDelegate::FlatButtonRole);
        item->setData(row.initials, AccountListDelegate::InitialsRole);
        item->setData(row.avatarColour, AccountListDelegate::AvatarColourRole);
        items.append(item);
    }
    ++m_generation;
    m_model->clear();
    m_model->invisibleRootItem()->appendRows(items);
    const qsizetype leftOut = qMax<qsizetype>(listed, rows.size()) - shown;
    m_leftOutNote->setText(m_leftOutText.arg(MaxRows).arg(leftOut));
    m_leftOutNote->setVisible(leftOut > 0);
}

QString AccountList::rowFingerprint(int row) const
{
    const QModelIndex index = m_model->index(row, 0);
    return QStringList{index.data().toString(), index.data(AccountListDelegate::DetailsRole).toStringList().join(u'\n'),
                       index.data(AccountListDelegate::ButtonRole).toString()}
        .join(u'\t');
}

int AccountList::rowCount() const
{
    return m_model->rowCount();
}

QRect AccountList::buttonRect(int row) const
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return QRect();
    QStyleOptionViewItem option;
    option.initFrom(m_view);
    option.font = m_view->font();
    option.rect = m_view->visualRect(index);
    option.widget = m_view;
    return m_delegate->buttonRect(option, index);
}

bool AccountList::eventFilter(QObject *watched, QEvent *event)
{
    // The keyboard reaches a row's button as it reached the button widgets before: Space on
    // the current row.
    if (watched == m_view && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        const QModelIndex current = m_view->currentIndex();
        if (current.isValid() && !current.data(AccountListDelegate::ButtonRole).toString().isEmpty()) {
            emit m_delegate->buttonClicked(current);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace BrioAccount
