#pragma once

#include <QTextBrowser>

namespace BrioUpdate {

// Shows release notes written on the update server. The notes are not trusted:
// the view fetches nothing on its own (no images, local or remote), never
// navigates away from the notes, and hands only web and mailto links clicked by
// the user to the browser.
class ReleaseNotesView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ReleaseNotesView(QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    void onLinkClicked(const QUrl &link);
};

} // namespace BrioUpdate
