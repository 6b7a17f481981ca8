#pragma once

#include <QLabel>

// A one-line plain-text label that never widens its window: a long text is cut
// with an ellipsis to the width it is given (in full in the tooltip), and text
// in a right-to-left script reads in its own direction while the label stays
// on the left.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    void clear();
    QString fullText() const { return m_fullText; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateShownText();

    QString m_fullText;
};
