#include "ui/links.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A press dragged off the label before release is no click, as with a button.
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

// The second press of a double-click was a click's start already; the release after it must
// not make a second click, so one double-click opens its page once.
void LinkLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    pressed = false;
    event->accept();
}

void LinkCheckBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    setDown(false);
    event->accept();
}
