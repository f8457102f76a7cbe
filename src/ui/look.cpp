#include "ui/look.h"

#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QLabel>
#include <QMoveEvent>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QTimer>
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

namespace {

// What Qt does on a change of the desktop's theme for an application font nobody set: it takes
// the desktop's font afresh. Qt has already read the new theme when its windows hear of it.
class DesktopFontFollower : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ThemeChange) {
            const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
            if (QGuiApplication::font() != desktop)
                QGuiApplication::setFont(desktop);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void withApplicationFont(const QFont &font, const std::function<void()> &build)
{
    static const QObject *const follower = [] {
        auto *filter = new DesktopFontFollower(qApp);
        qApp->installEventFilter(filter);
        return filter;
    }();
    Q_UNUSED(follower);
    // QGuiApplication's, not QApplication's: the latter would also drop the theme's fonts for
    // message boxes, menus and the like, and tell every widget of the change twice.
    const QFont desktop = QGuiApplication::font();
    QGuiApplication::setFont(font);
    build();
    QGuiApplication::setFont(desktop);
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

QPoint centredPosition(QSize size, const QMargins &frame, const QRect &area)
{
    const QSize outer = size.grownBy(frame);
    return area.topLeft()
           + QPoint((area.width() - outer.width()) / 2 + frame.left(), (area.height() - outer.height()) / 2 + frame.top());
}

std::optional<QPoint> FrameCentring::next(const QRect &window, const QMargins &frame, const QRect &area)
{
    if (done)
        return std::nullopt;
    if (reckoned == frame)
        return std::nullopt;
    reckoned = frame;
    target = centredPosition(window.size(), frame, area);
    arrived = window.topLeft() == target;
    return arrived ? std::nullopt : std::optional<QPoint>(target);
}

void FrameCentring::moved(QPoint to)
{
    // A window manager takes a while to carry out a move, and reports where it put the window
    // before; once the window has been where it was sent, moving away is the user's doing.
    if (to == target)
        arrived = true;
    else if (arrived)
        done = true;
}

qsizetype largestOverlap(const QRect &window, const QList<QRect> &areas)
{
    qsizetype best = -1;
    qint64 bestArea = 0;
    for (qsizetype i = 0; i < areas.size(); ++i) {
        const QRect common = window.intersected(areas.at(i));
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

QScreen *screenOf(const QWidget *window)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<QRect> monitors;
    for (const QScreen *screen : screens)
        monitors << screen->geometry();
    const qsizetype holding = largestOverlap(window->frameGeometry(), monitors);
    return holding < 0 ? QGuiApplication::primaryScreen() : screens.at(holding);
}

namespace {

QRect freeArea(const QWidget *window)
{
    return (window->screen() ? window->screen() : QGuiApplication::primaryScreen())->availableGeometry();
}

void moveToCentre(QWidget *window, const QRect &free)
{
    const QRect frame = window->frameGeometry();
    // A window's position is its frame's top left corner.
    window->move(free.x() + (free.width() - frame.width()) / 2, free.y() + (free.height() - frame.height()) / 2);
}

// On the screen it is on; until it is shown, Qt takes that from where it lies, which is how
// moveToScreen puts it on another.
void moveToCentre(QWidget *window)
{
    moveToCentre(window, freeArea(window));
}

// Until a window is on screen Qt only guesses its frame, from none at all to another window's.
// Most window managers put the frame round the window before they show it, but KWin publishes
// it (_NET_FRAME_EXTENTS) only after the window's first exposure, and Qt then says nothing: it
// merely reads the frame afresh when next asked. So the frame is asked for now and then, for a
// while; a window manager that never publishes one costs a few idle looks.
class Centring : public QObject
{
public:
    explicit Centring(QWidget *window)
        : QObject(window)
        , window(window)
    {
        window->installEventFilter(this);
        looks.setInterval(LookEvery);
        connect(&looks, &QTimer::timeout, this, &Centring::look);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window && event->type() == QEvent::Show) {
            moveToCentre(window);
            exposed = false;
            looks.stop();
            if (QWindow *handle = window->windowHandle(); handle && handle != watchedHandle) {
                handle->installEventFilter(this);
                watchedHandle = handle;
            }
        } else if (watched == watchedHandle && event->type() == QEvent::Expose && !exposed
                   && watchedHandle->isExposed()) {
            exposed = true;
            centring = FrameCentring();
            until.setRemainingTime(LookFor);
            looks.start();
            look();
        } else if (watched == watchedHandle && event->type() == QEvent::Move && looks.isActive()) {
            // A window manager that adds the frame may push the window aside to make room: the
            // frame is looked at first, so that this is not taken for the user's move.
            look();
            centring.moved(static_cast<QMoveEvent *>(event)->pos());
        }
        return false;
    }

private:
    static constexpr int LookEvery = 25; // ms
    static constexpr int LookFor = 1000; // ms after the window is first on screen

    void look()
    {
        if (!watchedHandle || until.hasExpired() || centring.finished()) {
            looks.stop();
            return;
        }
        if (const std::optional<QPoint> to =
                centring.next(watchedHandle->geometry(), watchedHandle->frameMargins(), freeArea(window)))
            watchedHandle->setPosition(*to);
    }

    QWidget *window;
    QPointer<QWindow> watchedHandle;
    bool exposed = false;
    FrameCentring centring;
    QTimer looks;
    QDeadlineTimer until;
};

} // namespace

namespace {

class Unmaximising : public QObject
{
public:
    explicit Unmaximising(QWidget *window)
        : QObject(window)
        , window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window && event->type() == QEvent::WindowStateChange
            && window->windowState().testFlag(Qt::WindowMaximized))
            window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
        return false;
    }

private:
    QWidget *window;
};

} // namespace

void keepUnmaximised(QWidget *window)
{
    new Unmaximising(window);
}

void centreOnScreen(QWidget *window)
{
    moveToCentre(window);
    new Centring(window);
}

void moveToScreen(QWidget *window, QScreen *screen)
{
    moveToCentre(window, screen->availableGeometry());
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
