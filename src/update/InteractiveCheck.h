#pragma once

#include "StatusHooks.h"
#include "UpdateConfig.h"

#include <QString>

class QWidget;

namespace BrioUpdate {

// The Help menu's "check for updates": one check, progress and outcome through
// the hooks, and the update dialog over parent when a newer version exists. It
// returns at once; a parent closed before the answer only suppresses the dialog.
// Dismissed versions are offered again here: the user asked.
void checkForUpdatesInteractive(const UpdateConfig &config, const QString &displayName, QWidget *parent,
                                const StatusHooks &hooks);

} // namespace BrioUpdate
