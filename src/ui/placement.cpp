#include "ui/placement.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

QPoint centredPosition(QSize size, const QMargins &frame, const QRect &area)
{
    const QSize outer = size.grownBy(frame);
    return area.topLeft()
           + QPoint((area.width() - outer.width()) / 2 + frame.left(), (area.height() - outer.height()) / 2 + frame.top());
}

std::optional<QPoint> CentringDecision::next(const QRect &window, const QMargins &frame, const QRect &area)
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

void CentringDecision::moved(QPoint to)
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
class FrameWatcher : public QObject
{
public:
    explicit FrameWatcher(QWidget *window)
        : QObject(window)
        , window(window)
    {
        window->installEventFilter(this);
        looks.setInterval(LookEvery);
        connect(&looks, &QTimer::timeout, this, &FrameWatcher::look);
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
            decision = CentringDecision();
            until.setRemainingTime(LookFor);
            looks.start();
            look();
        } else if (watched == watchedHandle && event->type() == QEvent::Move && looks.isActive()) {
            // A window manager that adds the frame may push the window aside to make room: the
            // frame is looked at first, so that this is not taken for the user's move.
            look();
            decision.moved(static_cast<QMoveEvent *>(event)->pos());
        }
        return false;
    }

private:
    static constexpr int LookEvery = 25; // ms
    static constexpr int LookFor = 1000; // ms after the window is first on screen

    void look()
    {
        if (!watchedHandle || until.hasExpired() || decision.finished()) {
            looks.stop();
            return;
        }
        if (const std::optional<QPoint> to =
                decision.next(watchedHandle->geometry(), watchedHandle->frameMargins(), freeArea(window)))
            watchedHandle->setPosition(*to);
    }

    QWidget *window;
    QPointer<QWindow> watchedHandle;
    bool exposed = false;
    CentringDecision decision;
    QTimer looks;
    QDeadlineTimer until;
};

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
    new FrameWatcher(window);
}

void moveToScreen(QWidget *window, QScreen *screen)
{
    moveToCentre(window, screen->availableGeometry());
}
