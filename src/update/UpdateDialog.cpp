#include "UpdateDialog.h"

#include "DialogLabels.h"
#include "ReleaseNotesFetcher.h"
#include "ReleaseNotesView.h"
#include "UrlSafety.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace BrioUpdate {

UpdateDialog::UpdateDialog(const Artifact &artifact, const QString &runningVersion,
                           const QString &displayName, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Update available"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);

    layout->addWidget(headingLabel(tr("A new version of %1 is available.").arg(displayName), 1, this));
    layout->addWidget(plainLabel(
        tr("You have version %1. The latest version is %2.").arg(runningVersion, artifact.version), this));

    // Notes only from a web address: the manifest could name a local file.
    if (isWebUrl(artifact.releaseNotesUrl)) {
        notesView = new ReleaseNotesView(this);
        notesView->setPlaceholderText(tr("Loading release notes…"));
        notesView->setMinimumHeight(150);
        layout->addWidget(notesView);

        auto *fetcher =
            new ReleaseNotesFetcher(artifact.releaseNotesUrl, QStringLiteral("update-dialog"), this);
        connect(fetcher, &ReleaseNotesFetcher::notesReady, this, &UpdateDialog::onNotesReady);
        connect(fetcher, &ReleaseNotesFetcher::notesUnavailable, this, [this]() {
            notesView->setMarkdown(tr("*Release notes are not available for this version.*"));
        });
        fetcher->fetch();
    }

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *download = buttons->addButton(tr("Download"), QDialogButtonBox::AcceptRole);
    download->setDefault(true);
    if (!artifact.mandatory)
        buttons->addButton(tr("Later"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &UpdateDialog::onDownloadClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    downloadUrl = artifact.url;

    if (notesView)
        resize(520, 420);
}

void UpdateDialog::onDownloadClicked()
{
    openDownloadUrl(downloadUrl);
    accept();
}

void UpdateDialog::onNotesReady(const QString &markdown)
{
    if (notesView)
        notesView->setMarkdown(markdown);
}

} // namespace BrioUpdate
