#include "AccountWidgets.h"

#include "AccountList.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QVBoxLayout>

namespace BrioAccount::AccountWidgets {

QString relativeTime(const QDateTime &time, const QDateTime &nowUtc)
{
    if (!time.isValid())
        return QStringLiteral("Unknown");
    const qint64 seconds = time.secsTo(nowUtc);
    if (seconds < 60)
        return QStringLiteral("Active now");
    if (seconds < 3600)
        return QStringLiteral("%1m ago").arg(seconds / 60);
    if (seconds < 86400)
        return QStringLiteral("%1h ago").arg(seconds / 3600);
    if (seconds < 604800)
        return QStringLiteral("%1d ago").arg(seconds / 86400);
    return time.toLocalTime().toString(QStringLiteral("MMM d, yyyy"));
}

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

void resizeFont(QLabel *label, int delta)
{
    QFont font = label->font();
    font.setPointSize(qMax(7, font.pointSize() + delta));
    label->setFont(font);
}

void setFontWeight(QLabel *label, int weight)
{
    QFont font = label->font();
    font.setWeight(QFont::Weight(weight));
    label->setFont(font);
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(colour));
    label->setPalette(palette);
}

QColor themed(const QColor &light, const QColor &dark)
{
    return QApplication::palette().color(QPalette::Window).lightness() < 128 ? dark : light;
}

void setSecondaryColour(QLabel *label)
{
    setTextColour(label, QApplication::palette().color(QPalette::PlaceholderText));
}

QLabel *secondaryLabel(const QString &text, QWidget *parent)
{
    QLabel *label = plainLabel(text, parent);
    setSecondaryColour(label);
    resizeFont(label, -1);
    return label;
}

QWidget *section(const QString &title, const QString &subtitle, QWidget *parent)
{
    auto *header = new QWidget(parent);
    auto *layout = new QVBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 8);
    QLabel *titleLabel = plainLabel(title, header);
    resizeFont(titleLabel, 1);
    setFontWeight(titleLabel, 500);
    layout->addWidget(titleLabel);
    if (!subtitle.isEmpty()) {
        QLabel *subtitleLabel = plainLabel(subtitle, header);
        subtitleLabel->setWordWrap(true);
        setSecondaryColour(subtitleLabel);
        resizeFont(subtitleLabel, -2);
        layout->addWidget(subtitleLabel);
    }
    return header;
}

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QVBoxLayout *setUpPage(QWidget *page, const QString &title)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(8);
    QLabel *titleLabel = plainLabel(title, page);
    resizeFont(titleLabel, 4);
    setFontWeight(titleLabel, 600);
    layout->addWidget(titleLabel);
    layout->addSpacing(12);
    return layout;
}

QVBoxLayout *replaceContent(QVBoxLayout *pageLayout, QWidget **content, int spacing)
{
    if (QWidget *old = *content) {
        pageLayout->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    auto *container = new QWidget(pageLayout->parentWidget());
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    pageLayout->insertWidget(2, container, 1);
    *content = container;
    return layout;
}

QHBoxLayout *indentedRow(int top, int bottom)
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(12, top, 0, bottom);
    return row;
}

AccountList *rowList(QWidget *parent, int top, int bottom, bool separators)
{
    return new AccountList(QStringLiteral("Showing the first %1; %2 more not shown."),
                           QMargins(12, top, 0, bottom), separators, parent);
}

bool askYesNo(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void inform(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace BrioAccount::AccountWidgets
