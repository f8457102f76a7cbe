#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <functional>

class QLabel;

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
