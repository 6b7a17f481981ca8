#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

class QLabel;

// A label in a box of its own, for a figure that changes with every edit (a
// balance in a heading). A label lays out the window around it again at every
// new text; in the box, a text that takes the room of the one it was measured
// with (the same font, only other digits, the same width) leaves the layout as
// it is, and any other change is passed on to it.
class FigureLabelBox : public QWidget
{
public:
    explicit FigureLabelBox(QWidget *parent = nullptr);

    QLabel *label() const { return m_label; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The label's text and font as the layout last measured them.
    void noteMeasured() const;
    bool takesMeasuredRoom() const;

    QLabel *m_label = nullptr;
    mutable QString m_measuredText;
    mutable QFont m_measuredFont;
    mutable bool m_measured = false;
};
