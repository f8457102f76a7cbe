#pragma once

#include <QLabel>

// How screen readers meet the program's own controls, installed once QApplication exists:
// - every link (a LinkLabel, or a LinkCheckBox such as the exit screen's tick box) as a link
//   whose press action opens its page the way a click does;
// - a drop-down list named by its label, as a text box is, rather than by the item it shows,
//   with that item as its one line of text, which a screen reader says as the item changes;
// - a plain panel as a panel, inside its window rather than a window of its own, and of the
//   panels stacked one behind the other only the one in front;
// - a SpokenNotice (below) as a notification;
// - the program's windows as frames (the About window is a dialog already).
void installAccessibleInterfaces();

// A line that only a screen reader meets: it has no size, and says each text it is given as a
// notification, wherever the focus is. Texts that change beside the focus, which a screen
// reader would not say by itself, go through it. How a text reaches the screen reader differs
// between Linux and Windows; it is decided here and nowhere else.
class SpokenNotice : public QLabel
{
    Q_OBJECT

public:
    explicit SpokenNotice(QWidget *parent);
    void say(const QString &text);
    // Moves the focus to the control and has the text said with it, as the control's description.
    void sayWithFocus(QWidget *control, const QString &text);
};
