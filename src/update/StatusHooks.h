#pragma once

#include <QString>
#include <functional>

namespace BrioUpdate {

// How the Help-menu flows report progress in the caller's status bar. Any hook
// may be empty and is then skipped. The flows keep their own copy, so hooks must
// stay safe to call after the window that made them has gone (guard it).
struct StatusHooks
{
    std::function<void(const QString &text)> showActivity;
    std::function<void()> hideActivity;
    std::function<void(const QString &text, int timeoutMs)> showMessage;

    void activity(const QString &text) const
    {
        if (showActivity)
            showActivity(text);
    }
    void idle() const
    {
        if (hideActivity)
            hideActivity();
    }
    void message(const QString &text, int timeoutMs) const
    {
        if (showMessage)
            showMessage(text, timeoutMs);
    }
};

} // namespace BrioUpdate
