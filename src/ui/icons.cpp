#include "ui/icons.h"

#include <QIconEngine>
#include <QImageReader>
#include <QLabel>

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
    // Decoded once for every window that shows it, when the first one does: a desktop asks for
    // it as the main window comes up, a headless run never does. Never destroyed: a static icon
    // would be destroyed after the application object, too late for its pixmaps.
    static const QIcon *const icon = new QIcon(deferredIcon([] {
        QIcon images;
        for (const int size : applicationIconSizes)
            images.addPixmap(resourcePng(QStringLiteral(":/vexmora-%1.png").arg(size)));
        return images;
    }));
    return *icon;
}

void showIcon(QLabel *label, const QIcon &icon, QSize size)
{
    // The label's own ratio, not the application's: on a screen scaled by 3 the picture is drawn
    // from the 128-pixel image, made smaller, instead of the 32-pixel one made three times larger.
    label->setPixmap(icon.pixmap(size, label->devicePixelRatioF()));
}

namespace {

class DeferredIconEngine final : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make)
        : make(std::move(make))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    // `size` is in device pixels already, the scale applied: passing the scale on would apply it
    // twice. QIcon gives the result its device pixel ratio.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Asked at once by QWidget::setWindowIcon, before anything is drawn.
    bool isNull() override { return make ? false : made.isNull(); }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (make) {
            made = make();
            make = nullptr;
        }
        return made;
    }

    std::function<QIcon()> make; // empty once the icon is made
    QIcon made;
};

} // namespace

QIcon deferredIcon(std::function<QIcon()> make)
{
    return QIcon(new DeferredIconEngine(std::move(make)));
}
