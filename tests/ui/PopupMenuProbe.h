#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStringList>
#include <QTimer>
#include <functional>

// Answers the next context menu a test opens: records its entries (without
// separators) and chooses the entry with the given text, or none when the
// text is empty. Call before the code that runs QMenu::exec().
class PopupMenuProbe : public QObject
{
public:
    explicit PopupMenuProbe(const QString &choose = QString())
        : m_choose(choose)
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this]() {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            m_timer.stop();
            m_shown = true;
            QAction *chosen = nullptr;
            for (QAction *action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                m_entries << action->text();
                if (action->text() == m_choose)
                    chosen = action;
            }
            menu->hide();
            if (chosen)
                chosen->trigger();
        });
        m_timer.start();
    }

    bool shown() const { return m_shown; }
    QStringList entries() const { return m_entries; }

private:
    QString m_choose;
    QTimer m_timer;
    QStringList m_entries;
    bool m_shown = false;
};
