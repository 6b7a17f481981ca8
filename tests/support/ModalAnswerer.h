#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

// Answers modal dialogs in widget tests as they open. Queue one handler per
// dialog the code under test is expected to open; each modal widget that
// becomes active takes the next handler. A modal that opens with no handler
// left is rejected (so a test never hangs) and recorded in unexpected().
class ModalAnswerer : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(QWidget *modal)>;

    explicit ModalAnswerer(QObject *parent = nullptr);

    void expect(Handler handler);
    // Clicks the button of the next message box and records its text.
    void expectMessageBox(QMessageBox::StandardButton button);

    // Fills the next dialog of type T, then accepts (or rejects) it.
    template <typename T> void expectDialog(std::function<void(T *)> fill, bool accept = true)
    {
        expect([this, fill, accept](QWidget *modal) {
            auto *dialog = qobject_cast<T *>(modal);
            if (!dialog) {
                m_unexpected << modal->metaObject()->className();
                reject(modal);
                return;
            }
            if (fill)
                fill(dialog);
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
    }

    int pendingHandlers() const { return int(m_queue.size()); }
    QStringList messages() const { return m_messages; }
    QStringList unexpected() const { return m_unexpected; }

private:
    void poll();
    static void reject(QWidget *modal);

    QTimer m_timer;
    QList<Handler> m_queue;
    QPointer<QWidget> m_lastHandled;
    QStringList m_messages;
    QStringList m_unexpected;
};
