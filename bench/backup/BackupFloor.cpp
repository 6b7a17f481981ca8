#include "BackupFloor.h"

#include "BackupTables.h"
#include "BenchCommon.h"
#include "RecordOrder.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>
#include <zlib.h>

namespace BackupFloor {

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE *)>;

File openFile(const QString &path, const char *mode)
{
    File file(fopen(path.toLocal8Bit().constData(), mode), &fclose);
    if (file)
        setvbuf(file.get(), nullptr, _IOFBF, 1 << 20);
    return file;
}

void put(std::string &out, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xff);
}

quint64 get(const unsigned char *in, int bytes)
{
    quint64 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | in[i];
    return value;
}

// JSON text as QJsonDocument's compact form writes it.
void appendJsonText(std::string &json, const unsigned char *text, int size)
{
    static const char hex[] = "0123456789abcdef";
    static const char *const named[32] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, "\\b",   "\\t",   "\\n",   nullptr, "\\f",   "\\r"};
    json += '"';
    for (int i = 0; i < size; ++i) {
        const unsigned char c = text[i];
        if (c == '"' || c == '\\') {
            json += '\\';
            json += char(c);
        } else if (c < 0x20) {
            if (named[c])
                json += named[c];
            else
                json.append("\\u00").append(1, hex[c >> 4]).append(1, hex[c & 15]);
        } else {
            json += char(c);
        }
    }
    json += '"';
}

// Writes deflated entries and their directory.
struct ArchiveWriter
{
    FILE *out = nullptr;
    z_stream zip{};
    std::string central;
    std::string header;
    std::vector<unsigned char> packed;
    quint64 offset = 0;
    quint64 count = 0;

    bool add(const std::string &name, const std::string &data)
    {
        deflateReset(&zip);
        packed.resize(deflateBound(&zip, uLong(data.size())));
        zip.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
        zip.avail_in = uInt(data.size());
        zip.next_out = packed.data();
        zip.avail_out = uInt(packed.size());
        if (deflate(&zip, Z_FINISH) != Z_STREAM_END)
            return false;
        const bool stored = zip.total_out >= data.size();
        const quint64 size = stored ? data.size() : zip.total_out;
        const quint32 crc =
            quint32(crc32(0, reinterpret_cast<const Bytef *>(data.data()), uInt(data.size())));
        const int method = stored ? 0 : 8;
        header.clear();
        put(header, 0x04034b50, 4);
        put(header, 20, 2);
        put(header, 0x0800, 2);
        put(header, quint64(method), 2);
        put(header, 0, 4); // time and date
        put(header, crc, 4);
        put(header, size, 4);
        put(header, data.size(), 4);
        put(header, name.size(), 2);
        put(header, 0, 2);
        header += name;
        fwrite(header.data(), 1, header.size(), out);
        fwrite(stored ? static_cast<const void *>(data.data()) : packed.data(), 1, size, out);
        put(central, 0x02014b50, 4);
        put(central, 20, 2);
        put(central, 20, 2);
        put(central, 0x0800, 2);
        put(central, quint64(method), 2);
        put(central, 0, 4);
        put(central, crc, 4);
        put(central, size, 4);
        put(central, data.size(), 4);
        put(central, name.size(), 2);
        put(central, 0, 12); // extra, comment, disk, attributes
        put(central, offset, 4);
        central += name;
        offset += header.size() + size;
        ++count;
        return true;
    }

    bool finish()
    {
        fwrite(central.data(), 1, central.size(), out);
        std::string end;
        if (count >= 0xFFFF) {
            put(end, 0x06064b50, 4);
            put(end, 44, 8);
            put(end, 45, 2);
            put(end, 45, 2);
            put(end, 0, 8);
            put(end, count, 8);
            put(end, count, 8);
            put(end, central.size(), 8);
            put(end, offset, 8);
            put(end, 0x07064b50, 4);
            put(end, 0, 4);
            put(end, offset + central.size(), 8);
            put(end, 1, 4);
        }
        const quint64 count16 = count >= 0xFFFF ? 0xFFFF : count;
        put(end, 0x06054b50, 4);
        put(end, 0, 4);
        put(end, count16, 2);
        put(end, count16, 2);
        put(end, central.size(), 4);
        put(end, offset, 4);
        put(end, 0, 2);
        return fwrite(end.data(), 1, end.size(), out) == end.size();
    }
};

// The file name of a row: its folder, the id percent-encoded, ".json".
void appendName(std::string &name, const unsigned char *id, int size)
{
    static const char hex[] = "0123456789ABCDEF";
    for (int i = 0; i < size; ++i) {
        const unsigned char c = id[i];
        if (isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~')
            name += char(c);
        else
            name.append(1, '%').append(1, hex[c >> 4]).append(1, hex[c & 15]);
    }
    name += ".json";
}

bool exportTable(Bench::Raw &db, const BackupTables::Table &table, ArchiveWriter &writer)
{
    QStringList columns;
    for (const int column : table.keyOrder)
        columns << QLatin1String(table.columns[column].name);
    sqlite3_stmt *rows = db.statement(QStringLiteral("SELECT %1, id FROM %2 ORDER BY id")
                                          .arg(columns.join(QLatin1String(", ")), QLatin1String(table.name)));
    const int idColumn = int(columns.size());
    std::string json;
    std::string name;
    const std::string folder = table.folder.toStdString();
    int stepped = SQLITE_ROW;
    while (rows && (stepped = sqlite3_step(rows)) == SQLITE_ROW) {
        json.clear();
        json += '{';
        for (int c = 0; c < idColumn; ++c) {
            if (c > 0)
                json += ',';
            json.append(1, '"').append(table.columns[table.keyOrder[c]].name).append("\":");
            switch (sqlite3_column_type(rows, c)) {
            case SQLITE_INTEGER: {
                char digits[24];
                json.append(digits, std::to_chars(digits, digits + 24, sqlite3_column_int64(rows, c)).ptr);
                break;
            }
            case SQLITE_NULL:
                json += "null";
                break;
            default:
                appendJsonText(json, sqlite3_column_text(rows, c), sqlite3_column_bytes(rows, c));
            }
        }
        json += '}';
        name = folder;
        appendName(name, sqlite3_column_text(rows, idColumn), sqlite3_column_bytes(rows, idColumn));
        if (!writer.add(name, json))
            return false;
    }
    return rows && stepped == SQLITE_DONE;
}

} // namespace

bool exportArchive(const QString &databasePath, const QString &archivePath)
{
    Bench::Raw db(databasePath, SQLITE_OPEN_READONLY);
    File out = openFile(archivePath, "wb");
    if (!db.isOpen() || !out)
        return false;
    ArchiveWriter writer;
    writer.out = out.get();
    if (deflateInit2(&writer.zip, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return false;
    bool ok = db.exec("BEGIN");
    for (const BackupTables::Table &table : BackupTables::tables())
        ok = ok && exportTable(db, table, writer);
    ok = ok &&
         writer.add("manifest.json",
                    "{\n    \"created_at\": \"2026-01-01T00:00:00Z\",\n    \"version\": 1\n}\n") &&
         writer.finish() && db.exec("COMMIT");
    deflateEnd(&writer.zip);
    return ok && fflush(out.get()) == 0;
}

namespace {

// One value of a flat JSON row.
struct JsonValue
{
    std::string key;
    int type = SQLITE_NULL;
    qint64 integer = 0;
    std::string text;
};

bool readJsonString(const char *&p, const char *end, std::string &out)
{
    out.clear();
    if (p == end || *p++ != '"')
        return false;
    while (p < end && *p != '"') {
        if (*p != '\\') {
            out += *p++;
            continue;
        }
        if (++p == end)
            return false;
        const char c = *p++;
        switch (c) {
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'u':
            if (end - p < 4)
                return false;
            out += char(std::stoi(std::string(p, 4), nullptr, 16)); // only \u00XX is written
            p += 4;
            break;
        default:
            out += c;
        }
    }
    return p++ < end;
}

bool parseRow(const char *p, const char *end, std::vector<JsonValue> &values)
{
    size_t count = 0;
    if (p == end || *p++ != '{')
        return false;
    while (p < end && *p != '}') {
        if (count == values.size())
            values.emplace_back();
        JsonValue &value = values[count++];
        if (!readJsonString(p, end, value.key) || p == end || *p++ != ':' || p == end)
            return false;
        if (*p == '"') {
            value.type = SQLITE_TEXT;
            if (!readJsonString(p, end, value.text))
                return false;
        } else if (*p == 'n') {
            value.type = SQLITE_NULL;
            p += 4;
        } else if (*p == 't' || *p == 'f') {
            value.type = SQLITE_INTEGER;
            value.integer = *p == 't';
            p += *p == 't' ? 4 : 5;
        } else {
            value.type = SQLITE_INTEGER;
            p = std::from_chars(p, end, value.integer).ptr;
        }
        if (p < end && *p == ',')
            ++p;
    }
    values.resize(count);
    return true;
}

int tableOf(const std::string &name)
{
    for (size_t t = 0; t < BackupTables::Count; ++t) {
        const QByteArray folder = BackupTables::tables()[t].folder.toLatin1();
        if (name.compare(0, size_t(folder.size()), folder.constData()) == 0)
            return int(t);
    }
    return -1;
}

sqlite3_stmt *insertFor(Bench::Raw &db, int table, const std::vector<JsonValue> &values)
{
    QStringList columns;
    QStringList marks;
    for (const JsonValue &value : values) {
        columns << QString::fromStdString(value.key);
        marks << QStringLiteral("?");
    }
    return db.statement(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(QLatin1String(BackupTables::tables()[size_t(table)].name),
                                 columns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
}

bool insertRow(Bench::Raw &db, int table, const std::vector<JsonValue> &values,
               std::vector<sqlite3_stmt *> &statements)
{
    sqlite3_stmt *&statement = statements[size_t(table)];
    if (!statement)
        statement = insertFor(db, table, values);
    if (!statement)
        return false;
    for (size_t i = 0; i < values.size(); ++i) {
        const int index = int(i) + 1;
        if (values[i].type == SQLITE_TEXT)
            sqlite3_bind_text(statement, index, values[i].text.data(), int(values[i].text.size()),
                              SQLITE_STATIC);
        else if (values[i].type == SQLITE_INTEGER)
            sqlite3_bind_int64(statement, index, values[i].integer);
        else
            sqlite3_bind_null(statement, index);
    }
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    if (!done)
        fprintf(stderr, "floor insert failed: %s\n", sqlite3_errmsg(db.handle()));
    sqlite3_reset(statement);
    return done;
}

QString textOf(const std::vector<JsonValue> &values, const char *key)
{
    for (const JsonValue &value : values) {
        if (value.key == key)
            return value.type == SQLITE_TEXT ? QString::fromStdString(value.text) : QString();
    }
    return QString();
}

// A subcategory names its parent, whose id may sort after its own: the
// categories are held until their folder ends and written parents first, as
// the program writes them.
bool insertCategories(Bench::Raw &db, int table, QList<std::vector<JsonValue>> &rows,
                      std::vector<sqlite3_stmt *> &statements)
{
    const QList<std::vector<JsonValue>> ordered = RecordOrder::parentsFirst(
        std::move(rows), [](const std::vector<JsonValue> &row) { return textOf(row, "id"); },
        [](const std::vector<JsonValue> &row) { return textOf(row, "parent_id"); });
    rows.clear();
    for (const std::vector<JsonValue> &row : ordered) {
        if (!insertRow(db, table, row, statements))
            return false;
    }
    return true;
}

} // namespace

bool restoreArchive(const QString &archivePath, const QString &databasePath)
{
    Bench::Raw db(databasePath);
    File in = openFile(archivePath, "rb");
    // The settings the program's connection works with.
    if (!db.isOpen() || !in || !db.exec("PRAGMA foreign_keys = ON") ||
        !db.exec("PRAGMA cache_size = -8192") || !db.exec("PRAGMA temp_store = MEMORY") || !db.exec("BEGIN"))
        return false;
    z_stream zip{};
    if (inflateInit2(&zip, -MAX_WBITS) != Z_OK)
        return false;
    unsigned char header[30];
    std::string name;
    std::vector<char> packed;
    std::vector<char> data;
    std::vector<JsonValue> values;
    std::vector<sqlite3_stmt *> statements(BackupTables::Count, nullptr);
    const int categories = tableOf("categories/");
    QList<std::vector<JsonValue>> heldCategories;
    bool ok = true;
    while (ok && fread(header, 1, 30, in.get()) == 30 && get(header, 4) == 0x04034b50) {
        const quint64 size = get(header + 18, 4);
        const quint64 unpacked = get(header + 22, 4);
        name.resize(get(header + 26, 2));
        packed.resize(size);
        data.resize(unpacked);
        ok = fread(name.data(), 1, name.size(), in.get()) == name.size() &&
             fseek(in.get(), long(get(header + 28, 2)), SEEK_CUR) == 0 &&
             fread(packed.data(), 1, size, in.get()) == size;
        if (ok && get(header + 8, 2) == 8) {
            inflateReset(&zip);
            zip.next_in = reinterpret_cast<Bytef *>(packed.data());
            zip.avail_in = uInt(size);
            zip.next_out = reinterpret_cast<Bytef *>(data.data());
            zip.avail_out = uInt(unpacked);
            ok = inflate(&zip, Z_FINISH) == Z_STREAM_END;
        } else if (ok) {
            data = packed;
        }
        ok = ok && quint32(crc32(0, reinterpret_cast<const Bytef *>(data.data()), uInt(unpacked))) ==
                       quint32(get(header + 14, 4));
        const int table = tableOf(name);
        if (ok && table != categories && !heldCategories.isEmpty())
            ok = insertCategories(db, categories, heldCategories, statements);
        if (ok && table >= 0)
            ok = parseRow(data.data(), data.data() + data.size(), values) &&
                 (table == categories ? (heldCategories.append(values), true)
                                      : insertRow(db, table, values, statements));
    }
    inflateEnd(&zip);
    return ok && (heldCategories.isEmpty() || insertCategories(db, categories, heldCategories, statements)) &&
           db.exec("COMMIT");
}

qint64 entriesDigest(const QString &archivePath)
{
    File in = openFile(archivePath, "rb");
    unsigned char tail[42];
    // The archives compared here carry no comment: the end record is last,
    // the Zip64 locator (when there is one) right before it.
    if (!in || fseek(in.get(), -42, SEEK_END) != 0 || fread(tail, 1, 42, in.get()) != 42)
        return -1;
    quint64 count = get(tail + 20 + 10, 2);
    quint64 offset = get(tail + 20 + 16, 4);
    if (get(tail, 4) == 0x07064b50) {
        unsigned char zip64[56];
        if (fseek(in.get(), long(get(tail + 8, 8)), SEEK_SET) != 0 || fread(zip64, 1, 56, in.get()) != 56)
            return -1;
        count = get(zip64 + 32, 8);
        offset = get(zip64 + 48, 8);
    }
    if (fseek(in.get(), long(offset), SEEK_SET) != 0)
        return -1;
    quint64 digest = 1469598103934665603ULL;
    unsigned char header[46];
    std::string name;
    for (quint64 i = 0; i < count; ++i) {
        if (fread(header, 1, 46, in.get()) != 46)
            return -1;
        name.resize(get(header + 28, 2));
        if (fread(name.data(), 1, name.size(), in.get()) != name.size() ||
            fseek(in.get(), long(get(header + 30, 2) + get(header + 32, 2)), SEEK_CUR) != 0)
            return -1;
        if (name == "manifest.json")
            continue;
        for (const char c :
             name + std::to_string(get(header + 16, 4)) + '/' + std::to_string(get(header + 24, 4)))
            digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return qint64(digest >> 1);
}

} // namespace BackupFloor
