#include "AccountListDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

namespace BrioAccount {

namespace {

constexpr int AvatarSize = 36;
constexpr int Spacing = 10;
constexpr int LineSpacing = 2;
constexpr int FlatButtonSize = 28;

QFont titleFont(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    QFont font = option.font;
    font.setWeight(QFont::Weight(index.data(AccountListDelegate::TitleWeightRole).toInt()));
    return font;
}

QFont detailFont(const QStyleOptionViewItem &option)
{
    QFont font = option.font;
    font.setPointSize(qMax(7, font.pointSize() - 1));
    return font;
}

QFont badgeFont(const QStyleOptionViewItem &option)
{
    QFont font = option.font;
    font.setWeight(QFont::Medium);
    return font;
}

QFont flatButtonFont(const QStyleOptionViewItem &option)
{
    QFont font = option.font;
    font.setPointSize(font.pointSize() + 4);
    return font;
}

QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

QStyleOptionButton pushButtonOption(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    QStyleOptionButton button;
    button.initFrom(option.widget);
    button.text = index.data(AccountListDelegate::ButtonRole).toString();
    button.fontMetrics = QFontMetrics(option.font);
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    return button;
}

int textBlockHeight(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const int details = index.data(AccountListDelegate::DetailsRole).toStringList().size();
    return QFontMetrics(titleFont(option, index)).height() +
           details * (QFontMetrics(detailFont(option)).height() + LineSpacing);
}

} // namespace

AccountListDelegate::AccountListDelegate(const QMargins &rowMargins, bool separators, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_margins(rowMargins)
    , m_separators(separators)
{
}

QSize AccountListDelegate::buttonSize(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QString text = index.data(ButtonRole).toString();
    if (text.isEmpty())
        return QSize();
    if (index.data(FlatButtonRole).toBool())
        return QSize(FlatButtonSize, FlatButtonSize);
    const QStyleOptionButton button = pushButtonOption(option, index);
    const QSize content(button.fontMetrics.horizontalAdvance(text), button.fontMetrics.height());
    return styleOf(option)->sizeFromContents(QStyle::CT_PushButton, &button, content, option.widget);
}

QRect AccountListDelegate::buttonRect(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize size = buttonSize(option, index);
    if (!size.isValid())
        return QRect();
    const QRect inner = option.rect.marginsRemoved(m_margins);
    return QRect(QPoint(inner.right() - size.width() + 1, inner.center().y() - size.height() / 2), size);
}

QSize AccountListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool avatar = !index.data(InitialsRole).toString().isEmpty();
    const QSize button = buttonSize(option, index);
    int height = qMax(textBlockHeight(option, index), button.isValid() ? button.height() : 0);
    if (avatar)
        height = qMax(height, AvatarSize);
    int width = QFontMetrics(titleFont(option, index)).horizontalAdvance(index.data().toString());
    for (const QString &line : index.data(DetailsRole).toStringList())
        width = qMax(width, QFontMetrics(detailFont(option)).horizontalAdvance(line));
    if (avatar)
        width += AvatarSize + Spacing;
    if (const QString badge = index.data(BadgeRole).toString(); !badge.isEmpty())
        width += Spacing + QFontMetrics(badgeFont(option)).horizontalAdvance(badge);
    if (button.isValid())
        width += Spacing + button.width();
    return QSize(width + m_margins.left() + m_margins.right(),
                 height + m_margins.top() + m_margins.bottom() + (m_separators ? 1 : 0));
}

void AccountListDelegate::drawButton(QPainter *painter, const QStyleOptionViewItem &option,
                                     const QModelIndex &index, const QRect &rect) const
{
    QStyle *style = styleOf(option);
    const bool down = m_pressed == index;
    if (index.data(FlatButtonRole).toBool()) {
        QStyleOptionToolButton tool;
        tool.initFrom(option.widget);
        tool.rect = rect;
        tool.text = index.data(ButtonRole).toString();
        tool.font = flatButtonFont(option);
        tool.toolButtonStyle = Qt::ToolButtonTextOnly;
        tool.state = QStyle::State_Enabled | QStyle::State_AutoRaise |
                     (down ? QStyle::State_Sunken : QStyle::State_Raised);
        painter->setFont(tool.font);
        style->drawComplexControl(QStyle::CC_ToolButton, &tool, painter, option.widget);
    } else {
        painter->setFont(option.font);
        QStyleOptionButton button = pushButtonOption(option, index);
        button.rect = rect;
        if (down)
            button.state = (button.state & ~QStyle::State_Raised) | QStyle::State_Sunken;
        style->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
    }
}

void AccountListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyle *style = styleOf(option);
    QStyleOptionViewItem panel = option;
    initStyleOption(&panel, index);
    panel.text.clear();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, option.widget);

    painter->save();
    const QRect inner = option.rect.marginsRemoved(m_margins);
    int left = inner.left();
    if (const QString initials = index.data(InitialsRole).toString(); !initials.isEmpty()) {
        const QRect circle(left, inner.center().y() - AvatarSize / 2, AvatarSize, AvatarSize);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(index.data(AvatarColourRole).value<QColor>());
        painter->drawEllipse(circle);
        QFont font = option.font;
        font.setPointSize(qMax(8, AvatarSize / 3));
        font.setWeight(QFont::DemiBold);
        painter->setFont(font);
        painter->setPen(Qt::white);
        painter->drawText(circle, Qt::AlignCenter, initials);
        left += AvatarSize + Spacing;
    }

    int right = inner.right();
    const QRect buttonArea = buttonRect(option, index);
    if (buttonArea.isValid()) {
        drawButton(painter, option, index, buttonArea);
        right = buttonArea.left() - Spacing;
    }
    if (const QString badge = index.data(BadgeRole).toString(); !badge.isEmpty()) {
        painter->setFont(badgeFont(option));
        painter->setPen(index.data(BadgeColourRole).value<QColor>());
        const int width = painter->fontMetrics().horizontalAdvance(badge);
        painter->drawText(QRect(right - width + 1, inner.top(), width, inner.height()),
                          Qt::AlignVCenter | Qt::AlignRight, badge);
        right -= width + Spacing;
    }

    // The lines, as a block centred in the row; text from the services is never markup here.
    const QColor text = option.palette.color(QPalette::Text);
    const QColor secondary = QApplication::palette().color(QPalette::PlaceholderText);
    int top = inner.center().y() - textBlockHeight(option, index) / 2;
    const int width = qMax(0, right - left + 1);
    const auto drawLine = [&](const QFont &font, const QColor &colour, const QString &line) {
        const QFontMetrics metrics(font);
        painter->setFont(font);
        painter->setPen(colour);
        painter->drawText(QRect(left, top, width, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(line, Qt::ElideRight, width));
        top += metrics.height() + LineSpacing;
    };
    drawLine(titleFont(option, index), text, index.data().toString());
    for (const QString &line : index.data(DetailsRole).toStringList())
        drawLine(detailFont(option), secondary, line);

    if (m_separators) {
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    }
    painter->restore();
}

bool AccountListDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                      const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const bool onButton =
        mouse->button() == Qt::LeftButton && buttonRect(option, index).contains(mouse->position().toPoint());
    auto *view = qobject_cast<QAbstractItemView *>(const_cast<QWidget *>(option.widget));
    if (type != QEvent::MouseButtonRelease) {
        if (!onButton)
            return false;
        m_pressed = index;
        if (view)
            view->update(index);
        return true;
    }
    const bool clicked = onButton && m_pressed == index;
    if (m_pressed.isValid() && view)
        view->update(m_pressed);
    m_pressed = QPersistentModelIndex();
    if (clicked)
        emit buttonClicked(index);
    return clicked;
}

bool AccountListDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    const QString tip = index.data(ButtonToolTipRole).toString();
    if (event->type() == QEvent::ToolTip && !tip.isEmpty() &&
        buttonRect(option, index).contains(event->pos())) {
        QToolTip::showText(event->globalPos(), tip, view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace BrioAccount
