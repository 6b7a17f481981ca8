#pragma once

#include <QLoggingCategory>

namespace BrioUpdate {

// The update checker's own category, "brioupdate.client".
Q_DECLARE_LOGGING_CATEGORY(lcClient)

} // namespace BrioUpdate
