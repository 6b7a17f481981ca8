#include "BackupService.h"

#include "BackupRestorer.h"
#include "BackupTables.h"
#include "Database.h"
#include "DatabaseTransaction.h"
#include "SqlValues.h"
#include "SqliteRows.h"
#include "WriteFailure.h"
#include "WriteHold.h"
#include "ZipWriter.h"

#include <QBuffer>
#include <QDebug>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cerrno>
#include <charconv>

using namespace BackupTables;

namespace {

const QString kManifestName = QStringLiteral("manifest.json");
constexpr int kArchiveVersion = 1;
// Rows between two reports of progress.
constexpr qint64 kProgressStep = 256;

// Text as the database holds it, made valid UTF-8 the way QString would make
// it, so that the archive says what a QJsonDocument of the row would say.
QByteArrayView validText(QByteArrayView utf8, QByteArray &scratch)
{
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            if (utf8.isValidUtf8())
                return utf8;
            scratch = QString::fromUtf8(utf8).toUtf8();
            return scratch;
        }
    }
    return utf8;
}

// A JSON string exactly as QJsonDocument writes it in compact form.
void appendString(QByteArray &json, QByteArrayView utf8)
{
    static const char hex[] = "0123456789abcdef";
    json += '"';
    qsizetype plain = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        json.append(utf8.sliced(plain, i - plain));
        plain = i + 1;
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\b':
            json += "\\b";
            break;
        case '\f':
            json += "\\f";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            json += "\\u00";
            json += hex[c >> 4];
            json += hex[c & 0xf];
        }
    }
    json.append(utf8.sliced(plain));
    json += '"';
}

void appendInteger(QByteArray &json, qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    json.append(digits, end - digits);
}

// The id as one plain file name: percent-encoded as QUrl::toPercentEncoding
// does, so that any id makes one name inside its folder.
void appendFileName(QByteArray &name, QByteArrayView id)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const char ch : id) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '.' || c == '_' || c == '~') {
            name += ch;
        } else {
            name += '%';
            name += hex[c >> 4];
            name += hex[c & 0xf];
        }
    }
}

// One row as its JSON object, keys in order of their names as QJsonObject
// keeps them.
void rowJson(const Table &table, const SqliteRows &rows, QByteArray &json, QByteArray &scratch)
{
    json.resize(0);
    json += '{';
    for (const int column : table.keyOrder) {
        if (json.size() > 1)
            json += ',';
        json += '"';
        json += table.columns[column].name;
        json += "\":";
        switch (table.columns[column].kind) {
        case Kind::Integer:
            appendInteger(json, rows.integer(column));
            break;
        case Kind::Optional:
            if (rows.isNull(column)) {
                json += "null";
                break;
            }
            Q_FALLTHROUGH();
        case Kind::Id:
        case Kind::Text:
            appendString(json, validText(rows.utf8(column), scratch));
            break;
        }
    }
    json += '}';
}

qint64 rowCount(Database *database)
{
    qint64 total = 0;
    for (const Table &table : tables()) {
        SqliteRows rows(database->database(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(table.name), {});
        total += rows.next() ? rows.integer(0) : 0;
    }
    return total;
}

} // namespace

BackupService::BackupService(Database *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

void BackupService::setLimits(qint64 maxEntries, qint64 maxEntrySize)
{
    m_maxEntries = maxEntries;
    m_maxEntrySize = maxEntrySize;
}

BackupService::ExportResult BackupService::writeArchive(ZipWriter &writer, const Progress &progress) const
{
    // Reads inside one transaction see one snapshot. The sync and the
    // auto-post wait while the progress lets events through; anything else
    // written on this connection meanwhile is kept: the snapshot is ended
    // with a commit also when the export is not.
    const WriteHold::Scope hold(m_database->writeHold());
    DatabaseTransaction snapshot(m_database, "BackupService::exportBackup");
    const ExportResult result = writeRows(writer, progress);
    snapshot.commit();
    return result;
}

BackupService::ExportResult BackupService::writeRows(ZipWriter &writer, const Progress &progress) const
{
    const qint64 total = progress ? rowCount(m_database) : 0;
    qint64 done = 0;
    QByteArray json;
    QByteArray name;
    QByteArray scratch;
    for (const Table &table : tables()) {
        const QString sql = QStringLiteral("SELECT %1 FROM %2 ORDER BY id")
                                .arg(columnNames(table).join(QLatin1String(", ")), QLatin1String(table.name));
        const QByteArray folder = table.folder.toLatin1();
        SqliteRows rows(m_database->database(), sql, {});
        while (rows.next()) {
            rowJson(table, rows, json, scratch);
            name.resize(0);
            name += folder;
            appendFileName(name, validText(rows.utf8(0), scratch));
            name += ".json";
            if (!writer.addFile(name, json))
                return ExportResult::Failed;
            if (progress && ++done % kProgressStep == 0 && !progress(done, total))
                return ExportResult::Cancelled;
        }
        if (rows.failed()) {
            qWarning() << "BackupService::exportBackup failed:" << rows.lastError().text();
            return ExportResult::Failed;
        }
    }
    if (progress && !progress(done, total))
        return ExportResult::Cancelled;
    const QJsonObject manifest{{QStringLiteral("version"), kArchiveVersion},
                               {QStringLiteral("created_at"), SqlValues::nowText()}};
    if (!writer.addFile(kManifestName, QJsonDocument(manifest).toJson(QJsonDocument::Indented)))
        return ExportResult::Failed;
    return ExportResult::Written;
}

BackupService::ExportResult BackupService::exportBackup(const QString &path, const Progress &progress,
                                                        QString *problem) const
{
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(path);
    const auto failed = [&file, problem] {
        const int systemError = errno;
        qWarning() << "BackupService::exportBackup failed:" << file.errorString();
        if (problem)
            *problem = WriteFailure::reason(file, systemError);
        // Told first: cancelling puts its own error in place.
        file.cancelWriting();
        return ExportResult::Failed;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    ZipWriter writer(&file, QFileInfo(path).absolutePath());
    const ExportResult result = writeArchive(writer, progress);
    if (result == ExportResult::Failed && file.error() != QFileDevice::NoError)
        return failed();
    if (result != ExportResult::Written) {
        file.cancelWriting();
        return result;
    }
    if (!writer.close() || !file.commit())
        return failed();
    return ExportResult::Written;
}

QByteArray BackupService::createBackup() const
{
    ZipWriter writer;
    return writeArchive(writer, {}) == ExportResult::Written ? writer.finish() : QByteArray();
}

RestoreResult BackupService::restoreBackup(QIODevice *archive, RestoreMode mode,
                                           const Progress &progress) const
{
    // The sync and the auto-post wait: a cancel takes back the whole restore.
    const WriteHold::Scope hold(m_database->writeHold());
    BackupRestorer restorer(m_database, mode, progress);
    restorer.setLimits(m_maxEntries, m_maxEntrySize);
    return restorer.run(archive);
}

RestoreResult BackupService::restoreBackup(const QByteArray &archive, RestoreMode mode) const
{
    QBuffer buffer;
    buffer.setData(archive);
    buffer.open(QIODevice::ReadOnly);
    return restoreBackup(&buffer, mode);
}
