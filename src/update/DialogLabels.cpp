#include "DialogLabels.h"

#include <QLabel>

namespace BrioUpdate {

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel *headingLabel(const QString &text, qreal pointsLarger, QWidget *parent)
{
    QLabel *label = plainLabel(text, parent);
    QFont font = label->font();
    font.setWeight(QFont::Bold);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + pointsLarger);
    label->setFont(font);
    return label;
}

} // namespace BrioUpdate
