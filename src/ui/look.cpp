#include "ui/look.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QWindow>
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

namespace {

void moveToCentre(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect free = (window->screen() ? window->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    // A window's position is its frame's top left corner.
    window->move(free.x() + (free.width() - frame.width()) / 2, free.y() + (free.height() - frame.height()) / 2);
}

// Until a window is on screen Qt only guesses its frame, from none at all to another window's;
// the window manager puts the frame round the window before mapping it, so when the window is
// first exposed, its frame is the real one.
class Centring : public QObject
{
public:
    explicit Centring(QWidget *window)
        : QObject(window)
        , window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window && event->type() == QEvent::Show) {
            moveToCentre(window);
            exposed = false;
            if (QWindow *handle = window->windowHandle(); handle && handle != watchedHandle) {
                handle->installEventFilter(this);
                watchedHandle = handle;
            }
        } else if (watched == watchedHandle && event->type() == QEvent::Expose && !exposed
                   && watchedHandle->isExposed()) {
            exposed = true;
            moveToCentre(window);
        }
        return false;
    }

private:
    QWidget *window;
    QPointer<QWindow> watchedHandle;
    bool exposed = false;
};

} // namespace

void centreOnScreen(QWidget *window)
{
    moveToCentre(window);
    new Centring(window);
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
    // Decoded once for every window that shows it, when the first one does: a desktop asks for
    // it as the main window comes up, a headless run never does. Never destroyed: a static icon
    // would be destroyed after the application object, too late for its pixmaps.
    static const QIcon *const icon = new QIcon(deferredIcon([] {
        QIcon images;
        images.addPixmap(resourcePng(QStringLiteral(":/vexmora-32.png")));
        images.addPixmap(resourcePng(QStringLiteral(":/vexmora-64.png")));
        return images;
    }));
    return *icon;
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
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
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

QIcon ApplicationStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                     const QWidget *widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option is gone by the time the icon is drawn; the style and the widget may be, too.
    const QPointer<QStyle> style = baseStyle();
    const QPointer<const QWidget> owner = widget;
    return deferredIcon([style, owner, standardIcon] {
        return style ? style->standardIcon(standardIcon, nullptr, owner) : QIcon();
    });
}
