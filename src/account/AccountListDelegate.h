#pragma once

#include <QMargins>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

namespace BrioAccount {

// Draws the rows of an AccountList from their roles and turns a click on a row's button into
// buttonClicked. Every row is painted, none is a widget.
class AccountListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum Role
    {
        TitleWeightRole = Qt::UserRole + 1,
        DetailsRole,
        BadgeRole,
        BadgeColourRole,
        ButtonRole,
        ButtonToolTipRole,
        FlatButtonRole,
        InitialsRole,
        AvatarColourRole,
    };

    AccountListDelegate(const QMargins &rowMargins, bool separators, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // Where the row's button lies within the row's rectangle; empty when it has none.
    QRect buttonRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

signals:
    void buttonClicked(const QModelIndex &index);

private:
    QSize buttonSize(const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void drawButton(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index,
                    const QRect &rect) const;

    QMargins m_margins;
    bool m_separators = false;
    QPersistentModelIndex m_pressed;
};

} // namespace BrioAccount
