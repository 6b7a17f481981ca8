#include "DataPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace DataPaths {

QString dataDirectory()
{
    QString directory = qEnvironmentVariable("TALLYFERN_DATA_DIR");
    if (directory.isEmpty())
        directory = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                    QLatin1String("/Tallowmere/Tallyfern");
    QDir().mkpath(directory);
    return directory;
}

} // namespace DataPaths
