#include "MessageOutput.h"

#include <cstdio>

namespace MessageOutput {

std::optional<QByteArray> formatLine(QtMsgType type, const QString &message)
{
    switch (type) {
    case QtDebugMsg:
    case QtInfoMsg:
        return std::nullopt;
    case QtWarningMsg:
        return QByteArrayLiteral("WARN: ") + message.toLocal8Bit() + '\n';
    case QtCriticalMsg:
    case QtFatalMsg:
        break;
    }
    return message.toLocal8Bit() + '\n';
}

void handler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (const std::optional<QByteArray> line = formatLine(type, message)) {
        std::fwrite(line->constData(), 1, size_t(line->size()), stderr);
        std::fflush(stderr);
    }
}

bool install()
{
    if (!qEnvironmentVariableIsEmpty("TALLYFERN_VERBOSE"))
        return false;
    qInstallMessageHandler(handler);
    return true;
}

} // namespace MessageOutput
