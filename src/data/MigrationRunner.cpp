#include "MigrationRunner.h"

#include "Database.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

const QLatin1String kMigrationFolder(":/sql/sql/migrations");

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Follows one statement's keywords far enough to know whether a ';' ends it:
// inside the body of CREATE [TEMP] TRIGGER, BEGIN/CASE open and END closes.
class StatementState
{
public:
    void word(const QString &upper, bool qualified)
    {
        if (m_words < 3)
            m_head.append(upper);
        ++m_words;
        if (qualified)
            return;
        if (!isTrigger())
            return;
        if (upper == QLatin1String("BEGIN") || (m_depth > 0 && upper == QLatin1String("CASE")))
            ++m_depth;
        else if (upper == QLatin1String("END") && m_depth > 0)
            --m_depth;
    }
    void content() { m_hasContent = true; }
    bool hasContent() const { return m_hasContent; }
    bool semicolonEnds() const { return m_depth == 0; }

private:
    bool isTrigger() const
    {
        if (m_head.size() < 2 || m_head[0] != QLatin1String("CREATE"))
            return false;
        if (m_head[1] == QLatin1String("TRIGGER"))
            return true;
        return m_head.size() >= 3 &&
               (m_head[1] == QLatin1String("TEMP") || m_head[1] == QLatin1String("TEMPORARY")) &&
               m_head[2] == QLatin1String("TRIGGER");
    }

    QStringList m_head;
    int m_words = 0;
    int m_depth = 0;
    bool m_hasContent = false;
};

} // namespace

MigrationRunner::MigrationRunner(Database *database, QObject *parent)
    : QObject(parent)
    , m_database(database)
{
}

QList<MigrationRunner::Script> MigrationRunner::builtInScripts()
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)_.*\\.sql$"));
    QList<Script> scripts;
    const QStringList files =
        QDir(kMigrationFolder).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const QRegularExpressionMatch match = pattern.match(file);
        if (!match.hasMatch())
            continue;
        QFile in(kMigrationFolder + QLatin1Char('/') + file);
        if (!in.open(QIODevice::ReadOnly)) {
            qWarning() << "MigrationRunner: cannot read" << in.fileName();
            continue;
        }
        scripts.append({match.captured(1).toInt(), file, QString::fromUtf8(in.readAll())});
    }
    return scripts;
}

bool MigrationRunner::migrate()
{
    const QList<Script> scripts = builtInScripts();
    if (scripts.isEmpty()) {
        m_lastError = QStringLiteral("no migration scripts found");
        qWarning() << "MigrationRunner::migrate failed:" << m_lastError;
        return false;
    }
    return migrate(scripts);
}

bool MigrationRunner::migrate(QList<Script> scripts)
{
    m_lastError.clear();
    if (!m_database || !m_database->isOpen()) {
        m_lastError = QStringLiteral("database is not open");
        return false;
    }
    std::stable_sort(scripts.begin(), scripts.end(),
                     [](const Script &a, const Script &b) { return a.version < b.version; });
    int current = schemaVersion();
    if (current < 0)
        return false;
    for (const Script &script : std::as_const(scripts)) {
        if (script.version <= current)
            continue;
        if (!apply(script)) {
            qWarning().noquote() << "MigrationRunner::migrate failed:" << script.name << m_lastError;
            return false;
        }
        current = script.version;
    }
    return true;
}

int MigrationRunner::schemaVersion() const
{
    if (!m_database || !m_database->isOpen())
        return -1;
    QSqlQuery query(m_database->database());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool MigrationRunner::apply(const Script &script)
{
    QSqlDatabase db = m_database->database();
    if (!db.transaction()) {
        m_lastError = db.lastError().text();
        return false;
    }
    bool ok = true;
    {
        QSqlQuery query(db);
        const QStringList statements = splitStatements(script.sql);
        for (const QString &statement : statements) {
            if (!query.exec(statement)) {
                m_lastError = query.lastError().text();
                ok = false;
                break;
            }
        }
        // PRAGMA takes no bound values; the number comes from the file name.
        if (ok && !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(script.version))) {
            m_lastError = query.lastError().text();
            ok = false;
        }
    }
    if (ok && db.commit())
        return true;
    if (ok)
        m_lastError = db.lastError().text();
    db.rollback();
    return false;
}

QStringList MigrationRunner::splitStatements(const QString &sql)
{
    QStringList statements;
    StatementState state;
    qsizetype start = 0;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    QChar previousSignificant;

    auto finish = [&](qsizetype end) {
        if (state.hasContent())
            statements.append(sql.mid(start, end - start).trimmed());
        state = StatementState();
        start = end;
        previousSignificant = QChar();
    };

    while (i < n) {
        const QChar c = sql[i];
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                ++i;
            continue;
        }
        if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype close = sql.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 ? n : close + 2;
            continue;
        }
        if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const QChar closing = c == u'[' ? QChar(u']') : c;
            ++i;
            while (i < n) {
                if (sql[i] == closing) {
                    // A doubled quote is an escaped quote, not the end.
                    if (closing != u']' && i + 1 < n && sql[i + 1] == closing) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            ++i;
            state.content();
            previousSignificant = closing;
            continue;
        }
        if (c == u';') {
            ++i;
            if (state.semicolonEnds())
                finish(i);
            else
                previousSignificant = c;
            continue;
        }
        if (isWordChar(c)) {
            const qsizetype wordStart = i;
            while (i < n && isWordChar(sql[i]))
                ++i;
            state.content();
            state.word(sql.mid(wordStart, i - wordStart).toUpper(), previousSignificant == u'.');
            previousSignificant = sql[i - 1];
            continue;
        }
        if (!c.isSpace()) {
            state.content();
            previousSignificant = c;
        }
        ++i;
    }
    finish(n);
    return statements;
}
