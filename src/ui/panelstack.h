#pragma once

#include <QWidget>

class QStackedLayout;

// Panels one behind the other, of which only the one in front shows and takes focus and keys:
// a QStackedLayout in a plain widget. QStackedWidget is the same layout in a QFrame, whose frame
// the panels never draw, and its own code is two blocks of QtWidgets (128 KiB) that nothing else
// the first frame shows runs.
class PanelStack : public QWidget
{
    Q_OBJECT

public:
    explicit PanelStack(QWidget *parent = nullptr);

    void addWidget(QWidget *panel);
    QWidget *currentWidget() const;
    void setCurrentWidget(QWidget *panel);

signals:
    void currentChanged(int index);

private:
    QStackedLayout *stack;
};
