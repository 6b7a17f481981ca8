#include "LanguageSetting.h"

#include "SettingsKeys.h"

#include <QSettings>

namespace LanguageSetting {

QString stored()
{
    return QSettings().value(SettingsKeys::Language.name(), SettingsKeys::Language.defaultValue()).toString();
}

void store(const QString &code)
{
    QSettings().setValue(SettingsKeys::Language.name(), code);
}

} // namespace LanguageSetting
