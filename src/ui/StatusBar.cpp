#include "StatusBar.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

StatusBar::StatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(true);

    m_busy = new QProgressBar(this);
    m_busy->setRange(0, 0); // indeterminate
    m_busy->setTextVisible(false);
    m_busy->setFixedWidth(90);
    m_busy->setMaximumHeight(12);
    m_busy->hide();
    addWidget(m_busy);

    m_activityLabel = new QLabel(this);
    m_activityLabel->setTextFormat(Qt::PlainText);
    m_activityLabel->hide();
    addWidget(m_activityLabel);

    // Beside the text it cancels, the rest of the bar left free.
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("activityCancelButton"));
    m_cancelButton->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, [this]() {
        hideActivity();
        emit activityCancelled();
    });
    addWidget(m_cancelButton);
    addWidget(new QWidget(this), 1);

    m_pendingLabel = new QLabel(this);
    m_pendingLabel->setContentsMargins(8, 0, 8, 0);
    m_pendingLabel->hide();
    addPermanentWidget(m_pendingLabel);
}

void StatusBar::showActivity(const QString &text)
{
    clearMessage();
    m_activityLabel->setText(text);
    m_activityLabel->show();
    m_busy->show();
    m_cancelButton->hide();
}

void StatusBar::showCancellableActivity(const QString &text)
{
    showActivity(text);
    m_cancelButton->show();
}

void StatusBar::hideActivity()
{
    m_activityLabel->hide();
    m_busy->hide();
    m_cancelButton->hide();
}

void StatusBar::showTransientMessage(const QString &text, int timeoutMs)
{
    hideActivity();
    showMessage(text, timeoutMs);
}

void StatusBar::setPendingRecurringCount(int count)
{
    if (count <= 0) {
        m_pendingLabel->clear();
        m_pendingLabel->hide();
        return;
    }
    m_pendingLabel->setText(count == 1 ? tr("1 recurring transaction due")
                                       : tr("%1 recurring transactions due").arg(count));
    m_pendingLabel->show();
}

bool StatusBar::isActivityVisible() const
{
    return !m_activityLabel->isHidden();
}

QString StatusBar::activityText() const
{
    return m_activityLabel->text();
}

QString StatusBar::pendingText() const
{
    return m_pendingLabel->isHidden() ? QString() : m_pendingLabel->text();
}
