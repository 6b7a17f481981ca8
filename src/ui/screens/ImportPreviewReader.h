#pragma once

#include "ImportPreview.h"

#include <QList>
#include <QObject>
#include <memory>

class QThread;
class QTimer;

// Reads the preview of the chosen files: small files at once, larger ones on
// a thread of their own, so that the import window stays responsive. Only the
// latest reading is delivered; starting another, or cancelling, stops it.
class ImportPreviewReader : public QObject
{
    Q_OBJECT
public:
    // Files of fewer characters than this together are read at once: a
    // thread would cost more than it saves.
    static constexpr qint64 InlineChars = 256 * 1024;

    explicit ImportPreviewReader(QObject *parent = nullptr);
    // Stops every reading still running and waits for it.
    ~ImportPreviewReader() override;

    // The context is read from the database beforehand, on this thread.
    void start(const QList<ImportFile> &files, const CsvSettings &settings, const ImportContext &context);
    void cancel();
    bool isReading() const { return m_current != nullptr; }

signals:
    void progressChanged(int percent);
    // Emitted at once for small files, later for larger ones.
    void finished(const ImportPreview &preview);

private:
    struct Job
    {
        QList<ImportFile> files;
        CsvSettings settings;
        ImportContext context;
        ImportProgress progress;
        ImportPreview result;
    };

    void reportProgress();

    std::shared_ptr<Job> m_current;
    QList<std::pair<QThread *, std::shared_ptr<Job>>> m_running;
    QTimer *m_progressTimer = nullptr;
};
