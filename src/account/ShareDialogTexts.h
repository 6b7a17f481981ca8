#pragma once

#include <QString>

namespace BrioAccount {

// The texts the caller gives the share dialog. An empty field takes the dialog's own default
// where it has one (noted below); the others stay empty.
struct ShareDialogTexts
{
    QString windowTitle;        // no default
    QString heading;            // above everything; no label when empty
    QString explanation;        // under the heading; no label when empty
    QString sharedSectionTitle; // "People with access"
    QString addSectionTitle;    // "Add people"
    QString notSharedText;      // "Not shared with anyone yet."
    QString noGroupText;        // a sentence of the dialog's own
    QString allHaveAccessText;  // "All group members already have access"
    QString shareButtonText;    // "Share"
    QString removeTooltip;      // "Remove access"
    QString closeButtonText;    // "Close"
    QString shareRole;          // sent with every share, never shown; no default
    QString shareFailedTitle;   // not shown by the dialog
    QString removeFailedTitle;  // not shown by the dialog
    QString removeConfirmTitle; // "Remove access?"
    QString removeConfirmText;  // "%1 will no longer have access. Continue?", %1 the person's name
};

} // namespace BrioAccount
