#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QProxyStyle>
#include <QRect>

#include <functional>

class QLabel;
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

void setTextColor(QWidget *widget, const QColor &color);
void setBackground(QWidget *widget, const QColor &color);

// A label that takes the size of its one-line text, keeping its top left corner.
void sizeToText(QLabel *label);

// Places a window in the middle of its screen's free area with the window manager's frame
// included, each time it is shown: first by the frame Qt expects, then once more when the window
// is on screen and its real frame is known.
void centreOnScreen(QWidget *window);

// A PNG image from the resources (":/name.png"); a null pixmap when it cannot be read. Faster
// than QPixmap(path), which makes Qt load all its image format plugins the first time.
QPixmap resourcePng(const QString &path);

// The program's icon, for every window and for the exit screen's picture.
QIcon applicationIcon();

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
