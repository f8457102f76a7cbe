#pragma once

#include <QProxyStyle>

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
