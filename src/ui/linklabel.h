#pragma once

#include <QLabel>

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
