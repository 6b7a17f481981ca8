#include "CentralScreens.h"

#include "AccountSidebar.h"
#include "RegisterScreen.h"
#include "WelcomePage.h"

#include <QEvent>
#include <QMainWindow>
#include <QSplitter>
#include <QStackedWidget>

CentralScreens::CentralScreens(QMainWindow *window, AppState *app)
    : QObject(window)
{
    m_stack = new QStackedWidget(window);
    m_welcome = new WelcomePage(m_stack);
    m_stack->addWidget(m_welcome);

    m_splitter = new QSplitter(Qt::Horizontal, m_stack);
    m_splitter->setChildrenCollapsible(false);
    m_sidebar = new AccountSidebar(app, m_splitter);
    m_sidebar->setAutoFillBackground(true);
    m_sidebar->setBackgroundRole(QPalette::Base);
    m_register = new RegisterScreen(app, m_splitter);
    m_splitter->addWidget(m_sidebar);
    m_splitter->addWidget(m_register);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({260, 1020});
    // The width the user gave the sidebar; a narrow window borrows from it.
    m_splitter->installEventFilter(this);
    connect(m_splitter, &QSplitter::splitterMoved, this,
            [this]() { m_sidebarWidth = m_splitter->sizes().value(0, m_sidebarWidth); });
    m_stack->addWidget(m_splitter);
    window->setCentralWidget(m_stack);
}

bool CentralScreens::isWelcomeShown() const
{
    return m_stack->currentWidget() == m_welcome;
}

void CentralScreens::setWelcomeShown(bool shown)
{
    m_stack->setCurrentWidget(shown ? static_cast<QWidget *>(m_welcome) : m_splitter);
}

QByteArray CentralScreens::splitterState() const
{
    return m_splitter->saveState();
}

void CentralScreens::restoreSplitterState(const QByteArray &state)
{
    if (state.isEmpty())
        return;
    m_splitter->restoreState(state);
    // Known at the first fit, once the restored sizes are laid out.
    m_sidebarWidth = -1;
}

bool CentralScreens::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_splitter && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        fitSidebar();
    return QObject::eventFilter(watched, event);
}

void CentralScreens::fitSidebar()
{
    // In a narrow window the register's amounts would leave the screen while
    // the sidebar kept its width: the sidebar gives up width first, down to a
    // readable minimum, and gets it back when the window grows again.
    const int total = m_splitter->width();
    const QList<int> sizes = m_splitter->sizes();
    // Before it is shown the splitter has no real width and its sizes mean nothing.
    if (!m_splitter->isVisible() || sizes.size() != 2)
        return;
    if (m_sidebarWidth < 0)
        m_sidebarWidth = sizes.at(0);
    const int sidebar = qBound(MinSidebarWidth, total - m_splitter->handleWidth() - RegisterMinWidth,
                               qMax(MinSidebarWidth, m_sidebarWidth));
    if (sizes.at(0) != sidebar)
        m_splitter->setSizes({sidebar, qMax(0, total - sidebar - m_splitter->handleWidth())});
}
