// Linked into an otherwise unchanged program: writes one line to standard output when the first
// top-level window has been exposed and its first frame painted, then ends the process at once.
//
//     exposed <CLOCK_MONOTONIC nanoseconds> <width>x<height> <window title>
//
// CLOCK_MONOTONIC is one clock for every process, so the driver, which read it just before it
// started this process, gets the start-up time without any clock of this process's own.

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

class ExposeProbe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Expose || !watched->isWindowType())
            return false;
        auto *window = static_cast<QWindow *>(watched);
        if (!window->isExposed())
            return false;
        // Let the window handle the expose first: that is where a widget window paints its first
        // frame and flushes it to the screen, with every font and image it needs.
        static_cast<QObject *>(window)->event(event);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long long nanoseconds = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
        std::printf("exposed %lld %dx%d %s\n", nanoseconds, window->width(), window->height(),
                    qUtf8Printable(window->title()));
        std::fflush(stdout);
        // The driver reads the peak memory from the ended process; nothing after the first frame
        // belongs to start-up.
        _exit(0);
    }
};

void installProbe()
{
    QCoreApplication *application = QCoreApplication::instance();
    application->installEventFilter(new ExposeProbe(application));
}

} // namespace

// Runs inside the QApplication constructor, before main() creates any window.
Q_COREAPP_STARTUP_FUNCTION(installProbe)
