#pragma once

#include "StatusHooks.h"
#include "UpdateConfig.h"

#include <QString>

class QWidget;

namespace BrioUpdate {

// Start-up after an upgrade: shows the running version's release notes over
// parent when the server has them; otherwise nothing at all.
void showWhatsNewAfterUpgrade(const UpdateConfig &config, const QString &displayName, QWidget *parent);

// The Help menu's "What's New": the running version's notes, or else the notes
// of a newer version found by an update check (with its download offered), or
// else a status message that there are none.
void showWhatsNew(const UpdateConfig &config, const QString &displayName, QWidget *parent,
                  const StatusHooks &hooks);

} // namespace BrioUpdate
