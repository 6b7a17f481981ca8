#include "DataPaths.h"

#include "Environment.h"

#include <QDir>
#include <QStandardPaths>

namespace DataPaths {

QString dataDirectory()
{
    const QString directory = Environment::valueOr(
        "TALLYFERN_DATA_DIR", QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                  QLatin1String("/Tallowmere/Tallyfern"));
    QDir().mkpath(directory);
    return directory;
}

} // namespace DataPaths
