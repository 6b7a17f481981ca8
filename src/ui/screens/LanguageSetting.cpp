#include "LanguageSetting.h"

#include <QSettings>

namespace {
const QString kKey = QStringLiteral("ui/language");
}

namespace LanguageSetting {

QString stored()
{
    return QSettings().value(kKey, QStringLiteral("system")).toString();
}

void store(const QString &code)
{
    QSettings().setValue(kKey, code);
}

} // namespace LanguageSetting
