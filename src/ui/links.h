#pragma once

#include <QCheckBox>
#include <QLabel>

// The two controls that work as links: a click opens a page, and one double-click opens it
// once. Each is a class of its own, so that screen readers meet it as a link.

// A label that works as a link: pointing-hand pointer, and a click when the left button is
// pressed and released over it. It never takes the focus, as a Windows label never does.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool pressed = false;
};

// A tick box that works as a link, as the exit screen's does, rather than as something to tick.
class LinkCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
