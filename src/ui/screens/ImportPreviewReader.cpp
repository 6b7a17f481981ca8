#include "ImportPreviewReader.h"

#include "ImportReading.h"

#include <QThread>
#include <QTimer>

ImportPreviewReader::ImportPreviewReader(QObject *parent)
    : QObject(parent)
    , m_progressTimer(new QTimer(this))
{
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, &ImportPreviewReader::reportProgress);
}

ImportPreviewReader::~ImportPreviewReader()
{
    for (const auto &[thread, job] : std::as_const(m_running))
        job->progress.cancelled = true;
    for (const auto &[thread, job] : std::as_const(m_running)) {
        thread->wait();
        delete thread;
    }
}

void ImportPreviewReader::start(const QList<ImportFile> &files, const CsvSettings &settings,
                                const ImportContext &context)
{
    cancel();
    auto job = std::make_shared<Job>();
    job->files = files;
    job->settings = settings;
    job->context = context;
    qint64 chars = 0;
    for (const ImportFile &file : files)
        chars += file.text.size();
    if (chars < InlineChars) {
        job->result = ImportReading::preview(job->files, job->settings, job->context);
        emit finished(job->result);
        return;
    }

    m_current = job;
    // The thread reads only the job's own copies; the preview comes back
    // through the finished signal, on this object's thread.
    QThread *thread = QThread::create([job]() {
        job->result = ImportReading::preview(job->files, job->settings, job->context, &job->progress);
    });
    m_running.append({thread, job});
    connect(thread, &QThread::finished, this, [this, thread, job]() {
        m_running.removeIf([thread](const auto &running) { return running.first == thread; });
        thread->deleteLater();
        if (job != m_current)
            return;
        m_current.reset();
        m_progressTimer->stop();
        emit progressChanged(100);
        emit finished(std::exchange(job->result, ImportPreview()));
    });
    emit progressChanged(0);
    m_progressTimer->start();
    thread->start();
}

void ImportPreviewReader::cancel()
{
    if (!m_current)
        return;
    m_current->progress.cancelled = true;
    m_current.reset();
    m_progressTimer->stop();
}

void ImportPreviewReader::reportProgress()
{
    if (!m_current)
        return;
    const qint64 total = m_current->progress.total.load();
    const qint64 done = m_current->progress.done.load(std::memory_order_relaxed);
    // Full only once the rows are delivered.
    emit progressChanged(total > 0 ? int(std::min<qint64>(done * 100 / total, 99)) : 0);
}
