#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// The quiet process-wide log format: debug and info dropped, warnings marked,
// everything else printed as it is. TALLYFERN_VERBOSE keeps Qt's own output.
namespace MessageOutput {

// The line written to standard error for a message, in the local 8-bit
// encoding; empty for messages that are dropped.
std::optional<QByteArray> formatLine(QtMsgType type, const QString &message);

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

// Installs `handler` unless TALLYFERN_VERBOSE is set to a non-empty value.
// Returns whether it did.
bool install();

} // namespace MessageOutput
