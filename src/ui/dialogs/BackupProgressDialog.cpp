#include "BackupProgressDialog.h"

#include <algorithm>
#include <climits>

namespace {

// Repainting more often than this only slows the work down.
constexpr qint64 kUpdateMs = 40;

} // namespace

BackupProgressDialog::BackupProgressDialog(const QString &label, QWidget *parent)
    : QProgressDialog(label, tr("Cancel"), 0, 0, parent)
{
    setObjectName(QStringLiteral("backupProgress"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumDuration(500);
    setAutoClose(false);
    setAutoReset(false);
    // Starts the clock by which the dialog decides when to appear.
    setValue(0);
}

BackupService::Progress BackupProgressDialog::callback()
{
    return [this](qint64 done, qint64 total) {
        if (m_sinceUpdate.isValid() && m_sinceUpdate.elapsed() < kUpdateMs && done < total)
            return !wasCanceled();
        m_sinceUpdate.start();
        // A book of more rows than the bar counts does not exist: the archive
        // is refused long before.
        const int maximum = int(std::clamp<qint64>(total, 0, INT_MAX));
        if (this->maximum() != maximum)
            setMaximum(maximum);
        // Modal and shown, this also handles the pending events.
        setValue(int(std::clamp<qint64>(done, 1, qMax(maximum, 1))));
        return !wasCanceled();
    };
}
