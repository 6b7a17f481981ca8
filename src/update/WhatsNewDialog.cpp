#include "WhatsNewDialog.h"

#include "DialogLabels.h"
#include "ReleaseNotesView.h"
#include "UrlSafety.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace BrioUpdate {

WhatsNewDialog::WhatsNewDialog(const QString &markdown, const QString &notesVersion,
                               const QString &runningVersion, const QString &displayName, QWidget *parent,
                               const QUrl &downloadUrl)
    : QDialog(parent)
    , downloadUrl(downloadUrl)
{
    setWindowTitle(tr("What's New in %1 %2").arg(displayName, notesVersion));
    setModal(false);
    resize(520, 420);

    auto *layout = new QVBoxLayout(this);

    layout->addWidget(headingLabel(tr("What's new in %1 %2").arg(displayName, notesVersion), 2, this));

    notesView = new ReleaseNotesView(this);
    notesView->setMarkdown(markdown);
    layout->addWidget(notesView);

    auto *bottom = new QHBoxLayout;
    QLabel *running = plainLabel(tr("You are running version %1").arg(runningVersion), this);
    // Grey, in the nearest shade that reads (4.5:1) on a light or a dark window.
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    running->setStyleSheet(QStringLiteral("color: %1; font-size: 11px;").arg(dark ? "#898989" : "#707070"));
    bottom->addWidget(running);
    bottom->addStretch();

    auto *buttons = new QDialogButtonBox(this);
    // Offered only for an address the button will actually open.
    if (isWebUrl(downloadUrl)) {
        QPushButton *download =
            buttons->addButton(tr("Download %1").arg(notesVersion), QDialogButtonBox::AcceptRole);
        connect(download, &QPushButton::clicked, this, [this]() {
            openDownloadUrl(this->downloadUrl);
            accept();
        });
    }
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
}

} // namespace BrioUpdate
