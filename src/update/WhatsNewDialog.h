#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

namespace BrioUpdate {

class ReleaseNotesView;

// The release notes of one version, not modal. With an http or https download address it also
// offers "Download <version>", for notes of a version newer than the running one.
class WhatsNewDialog : public QDialog
{
    Q_OBJECT

public:
    WhatsNewDialog(const QString &markdown, const QString &notesVersion, const QString &runningVersion,
                   const QString &displayName, QWidget *parent = nullptr, const QUrl &downloadUrl = QUrl());

private:
    ReleaseNotesView *notesView = nullptr;
    QUrl downloadUrl;
};

} // namespace BrioUpdate
