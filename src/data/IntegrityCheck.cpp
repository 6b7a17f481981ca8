#include "IntegrityCheck.h"

#include "Database.h"

#include <QAtomicInt>
#include <QDebug>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

IntegrityCheck::IntegrityCheck(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
{
}

IntegrityCheck::~IntegrityCheck()
{
    if (m_thread)
        m_thread->wait();
}

void IntegrityCheck::start()
{
    if (m_thread)
        return;
    // The result reaches this object through its event queue; the destructor
    // waits for the thread, so the thread never outlives it.
    m_thread = QThread::create([this] {
        const Result result = run(m_filePath);
        QMetaObject::invokeMethod(
            this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
    });
    m_thread->setParent(this);
    m_thread->start(QThread::LowPriority);
}

bool IntegrityCheck::isRunning() const
{
    return m_thread && m_thread->isRunning();
}

IntegrityCheck::Result IntegrityCheck::run(const QString &filePath)
{
    // A connection belongs to the thread that made it; its name is this one's alone.
    static QAtomicInt made;
    const QString name = QStringLiteral("integrity-check-%1").arg(made.fetchAndAddRelaxed(1));
    Result result = Result::NotRun;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(filePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            qWarning() << "IntegrityCheck::run could not open the file:" << db.lastError().text();
            result = Database::isDamage(db.lastError()) ? Result::Damaged : Result::NotRun;
        } else {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (query.exec(QStringLiteral("PRAGMA quick_check")) && query.next()) {
                // The check's own answer: "ok", or the damage it found.
                const QString answer = query.value(0).toString();
                result = answer == QLatin1String("ok") ? Result::Sound : Result::Damaged;
                if (result == Result::Damaged)
                    qWarning() << "IntegrityCheck::run found damage:" << answer;
            } else {
                // Stopped by damage, or by something else (the file busy,
                // memory) that says nothing about the file: checked another time.
                qWarning() << "IntegrityCheck::run failed:" << query.lastError().text();
                result = Database::isDamage(query.lastError()) ? Result::Damaged : Result::NotRun;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}
