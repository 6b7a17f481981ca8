#include "LanguageSetting.h"

#include "SettingsKeys.h"

#include <QSettings>

namespace {
QString g_inUse = QStringLiteral("en");
} // namespace

namespace LanguageSetting {

QString stored()
{
    return QSettings().value(SettingsKeys::Language.name(), SettingsKeys::Language.defaultValue()).toString();
}

void store(const QString &code)
{
    QSettings().setValue(SettingsKeys::Language.name(), code);
}

QString inUse()
{
    return g_inUse;
}

void setInUse(const QString &code)
{
    g_inUse = code;
}

} // namespace LanguageSetting
