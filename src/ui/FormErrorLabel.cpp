#include "FormErrorLabel.h"

#include "ThemeManager.h"

FormErrorLabel::FormErrorLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("errorLabel"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setStyleSheet(ThemeManager::textColorStyleSheet(ThemeManager::negativeColor()));
    hide();
}

bool FormErrorLabel::refuse(QWidget *field, const QString &problem)
{
    if (!field) {
        hide();
        return false;
    }
    setText(problem);
    show();
    field->setFocus();
    return true;
}
