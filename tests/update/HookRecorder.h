#pragma once

#include "StatusHooks.h"

#include <QStringList>
#include <memory>

// Status hooks that write what they were asked to show into one shared log, as
// lines "activity: <text>", "idle" and "message: <text> (<ms> ms)".
struct HookRecorder
{
    std::shared_ptr<QStringList> log = std::make_shared<QStringList>();

    BrioUpdate::StatusHooks hooks() const
    {
        const auto sink = log;
        return BrioUpdate::StatusHooks{
            [sink](const QString &text) { sink->append(QStringLiteral("activity: ") + text); },
            [sink]() { sink->append(QStringLiteral("idle")); },
            [sink](const QString &text, int timeoutMs) {
                sink->append(QStringLiteral("message: %1 (%2 ms)").arg(text).arg(timeoutMs));
            },
        };
    }

    QStringList events() const { return *log; }
};
