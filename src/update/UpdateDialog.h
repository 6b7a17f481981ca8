#pragma once

#include "Artifact.h"

#include <QDialog>
#include <QString>
#include <QUrl>

namespace BrioUpdate {

class ReleaseNotesView;

// Tells the user that a newer version exists, shows its release notes while they
// load, and sends the user to the download address in the browser. Modal.
class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    UpdateDialog(const Artifact &artifact, const QString &runningVersion, const QString &displayName,
                 QWidget *parent = nullptr);

public Q_SLOTS:
    void onDownloadClicked();
    void onNotesReady(const QString &markdown);

private:
    QUrl downloadUrl;
    ReleaseNotesView *notesView = nullptr;
};

} // namespace BrioUpdate
