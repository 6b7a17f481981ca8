#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

void ModalAnswerer::expect(Handler handler)
{
    m_queue.append(std::move(handler));
}

void ModalAnswerer::expectMessageBox(QMessageBox::StandardButton button)
{
    expect([this, button](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            m_unexpected << modal->metaObject()->className();
            reject(modal);
            return;
        }
        m_messages << box->text();
        if (QAbstractButton *target = box->button(button))
            target->click();
        else
            reject(modal);
    });
}

void ModalAnswerer::reject(QWidget *modal)
{
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->reject();
    else
        modal->close();
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_lastHandled)
        return;
    m_lastHandled = modal;
    if (m_queue.isEmpty()) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        m_unexpected << (box ? box->text() : QString::fromLatin1(modal->metaObject()->className()));
        reject(modal);
        return;
    }
    // Answered from a queued call, not from inside the timer: a handler that
    // opens a nested modal (a warning on OK) needs the timer free to answer it.
    const Handler handler = m_queue.takeFirst();
    QPointer<QWidget> target(modal);
    QMetaObject::invokeMethod(
        this,
        [handler, target]() {
            if (target)
                handler(target);
        },
        Qt::QueuedConnection);
}
