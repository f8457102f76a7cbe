#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QScreen;
class QWidget;

// Places a window in the middle of its screen's free area with the window manager's frame
// included, each time it is shown: first by the frame Qt expects, then again whenever the frame
// turns out otherwise, for a second after the window is on screen or until the user moves it.
void centreOnScreen(QWidget *window);

// Which of `areas` holds the larger part of `window`: its index, or -1 when none holds any of it.
qsizetype largestOverlap(const QRect &window, const QList<QRect> &areas);

// The screen the user works on with `window`: the monitor that holds the larger part of it, frame
// included; the primary one when none does.
QScreen *screenOf(const QWidget *window);

// Puts a window that centreOnScreen centres, not yet shown, in the middle of `screen`, where it
// is then shown. A window without an owner would otherwise open on the primary monitor.
void moveToScreen(QWidget *window, QScreen *screen);

// Keeps a window of fixed size out of the maximised state. Window managers on X11 offer no
// maximising to such a window, but the title bar that Qt draws itself on Wayland (Qt 6.4, where
// the compositor leaves the decoration to the program, as GNOME's and Weston do) has a
// maximise button whatever the window's size and flags, and the compositor honours it.
void keepUnmaximised(QWidget *window);

// Where a window of `size` goes, its own top left corner, so that with its `frame` it lies in
// the middle of `area`.
QPoint centredPosition(QSize size, const QMargins &frame, const QRect &area);

// What centreOnScreen decides each time it looks at a window on screen: a window manager may
// publish the frame after it has shown the window (KWin does), may move the window late or not
// at all, and the user may move it.
class CentringDecision
{
public:
    // The window's place and its frame as they stand now; where to move it, if anywhere.
    std::optional<QPoint> next(const QRect &window, const QMargins &frame, const QRect &area);
    // The window system reports the window moved, by whoever.
    void moved(QPoint to);
    // The user moved the window: it stays where they put it.
    bool finished() const { return done; }

private:
    std::optional<QMargins> reckoned; // the frame of the last move
    QPoint target;
    bool arrived = false;
    bool done = false;
};
