#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QMargins>
#include <QPixmap>
#include <QProxyStyle>
#include <QRect>

#include <functional>
#include <optional>

class QLabel;
class QScreen;
class QWidget;

// The windows are laid out in twips, 1/1440 inch: 15 make one pixel at 96 dots per inch.
constexpr int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// Verdana where it is installed, else DejaVu Sans, which was drawn after the same model.
QFont verdana(qreal pointSize, bool bold = false);

// Runs `build` with `font` as the application font, then gives the desktop's font back. A
// QLineEdit lays its first, empty text out in the application font, before it takes the font of
// its panel: built with the panel's font in place, it never loads the desktop's font, which with
// a desktop's thousands of fonts costs two fontconfig searches for a font nothing here draws.
// Qt then keeps the desktop's font as the program's own choice and no longer follows the
// desktop when its font changes; from the first call on the program follows it itself.
void withApplicationFont(const QFont &font, const std::function<void()> &build);

void setTextColor(QWidget *widget, const QColor &color);
void setBackground(QWidget *widget, const QColor &color);

// A label that takes the size of its one-line text, keeping its top left corner.
void sizeToText(QLabel *label);

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
class FrameCentring
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

// A PNG image from the resources (":/name.png"); a null pixmap when it cannot be read. Faster
// than QPixmap(path), which makes Qt load all its image format plugins the first time.
QPixmap resourcePng(const QString &path);

// The program's icon, for every window and for the exit screen's picture, in the sizes a window
// manager, a task bar or a screen scaled up to 4 asks for; Qt picks the nearest. The 256-pixel
// image is for the desktop's icon theme only: Qt decodes every size of a window icon as the
// first window comes up, where 256 pixels cost some 300 KiB, and on X11 it never passes that
// size on to the window manager anyway.
inline constexpr int applicationIconSizes[] = {32, 48, 64, 128};
QIcon applicationIcon();

// Shows the icon in a label at `size` logical pixels, from the image that fits the label's
// screen best, so that it stays sharp on a scaled screen.
void showIcon(QLabel *label, const QIcon &icon, QSize size);

// An icon whose images `make` draws up only when the icon is first painted or measured: an
// icon a window never shows then costs nothing at start. Until then it counts as not null, so
// it suits images that are there for certain (resources, the style's own).
QIcon deferredIcon(std::function<QIcon()> make);

// The style the program runs with: the platform's own, except that the menu bar's overflow
// button gets its image only if it is ever shown. Qt reads that image with every menu bar it
// builds, and reading an image file the first time loads every image format plugin (GIF, ICO,
// JPEG and libjpeg, some 250 KiB); the window is too wide for its three menus ever to overflow.
class ApplicationStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
