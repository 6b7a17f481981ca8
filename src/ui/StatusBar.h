#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;
class QPushButton;

// The main window's status bar: a busy indicator with an activity text for
// long-running work, timed messages, and the count of recurring transactions
// that are due.
class StatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget *parent = nullptr);

    void showActivity(const QString &text);
    // As showActivity, with a Cancel button beside the text that hides the
    // activity and emits activityCancelled.
    void showCancellableActivity(const QString &text);
    void hideActivity();
    void showTransientMessage(const QString &text, int timeoutMs);

    void setPendingRecurringCount(int count);
    bool isActivityVisible() const;
    QString activityText() const;
    QString pendingText() const;
    QPushButton *cancelButton() const { return m_cancelButton; }

signals:
    void activityCancelled();

private:
    QLabel *m_activityLabel = nullptr;
    QProgressBar *m_busy = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QLabel *m_pendingLabel = nullptr;
};
