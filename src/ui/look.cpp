#include "ui/look.h"

#include <QFontDatabase>
#include <QImageReader>
#include <QLabel>
#include <QPalette>
#include <QStringList>

QFont verdana(qreal pointSize, bool bold)
{
    // Decided once, not left to each font request: asked for a family that is not installed,
    // fontconfig runs its fallback search (the slowest step of loading a font) for every size and
    // weight, and that search, not the second family of a list, picks the font drawn.
    static const QString family =
        QFontDatabase::families().contains(QStringLiteral("Verdana"), Qt::CaseInsensitive)
            ? QStringLiteral("Verdana")
            : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void sizeToText(QLabel *label)
{
    label->setWordWrap(false);
    label->resize(label->sizeHint());
}

QPixmap resourcePng(const QString &path)
{
    // Told the format and forbidden to guess, the reader goes straight to Qt's own PNG decoder.
    // Guessing would first load every image format plugin and ask each whether it reads PNG.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon applicationIcon()
{
    // Decoded once for every window that shows it. Never destroyed: a static icon would be
    // destroyed after the application object, too late for its pixmaps.
    static const QIcon *const icon = [] {
        auto *images = new QIcon;
        images->addPixmap(resourcePng(QStringLiteral(":/vexmora-32.png")));
        images->addPixmap(resourcePng(QStringLiteral(":/vexmora-64.png")));
        return images;
    }();
    return *icon;
}
