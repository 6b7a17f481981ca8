#pragma once

#include "BackupService.h"

#include <QElapsedTimer>
#include <QProgressDialog>

// The progress of a backup export or restore: a bar of rows done of rows in
// all, and Cancel. The work runs on the GUI thread; each report lets the
// windows repaint and this dialog take a click on Cancel, while its modality
// keeps every other window from input until the work ends. It appears only
// when the work takes longer than half a second.
class BackupProgressDialog : public QProgressDialog
{
    Q_OBJECT

public:
    BackupProgressDialog(const QString &label, QWidget *parent);

    // What the backup service reports through: false once cancelled.
    BackupService::Progress callback();

private:
    QElapsedTimer m_sinceUpdate;
};
