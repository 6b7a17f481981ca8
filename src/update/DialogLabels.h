#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace BrioUpdate {

// A label that shows its text as written. Versions in these texts come from the
// update server and must never be read as markup (which could, among other
// things, pull in local images).
QLabel *plainLabel(const QString &text, QWidget *parent);

// The dialogs' heading: a plain label in its own font, bold and the given
// number of points larger.
QLabel *headingLabel(const QString &text, qreal pointsLarger, QWidget *parent);

} // namespace BrioUpdate
