#pragma once

#include <QLabel>

// Why a form refuses OK, under its fields: plain text in the negative colour,
// hidden while there is nothing to refuse.
class FormErrorLabel : public QLabel
{
    Q_OBJECT
public:
    explicit FormErrorLabel(QWidget *parent);

    // Shows the reason and puts the cursor into the field; with no field,
    // hides the label and returns false.
    bool refuse(QWidget *field, const QString &problem);
};
