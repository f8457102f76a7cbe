#pragma once

#include "atspibus.h"
#include "xconnection.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

class QProcess;

// A private X display and a private home for one test, so that tests run side by side and never
// meet each other's settings, locks or windows, nor the user's. A program started here finds a
// bare display without a window manager, its own HOME and XDG folders, and an xdg-open that only
// writes down the address it was handed. The session ends whatever it started, and should the
// test process die, the operating system ends them with it.
class XSession
{
public:
    struct Window
    {
        quint32 id = 0;
        QString title;
    };

    XSession();
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Starts the display; false, with the reason in error(), when it cannot. More than one
    // monitor: one X screen as wide as all of them, split into RandR monitors side by side, as a
    // desktop with two monitors has it.
    bool start(int monitors = 1);
    QString error() const { return failure; }
    // The size of each monitor.
    static QSize screenSize() { return {1024, 768}; }
    // Where monitor 0, 1, … lies on the X screen.
    static QRect monitor(int index) { return {QPoint(index * screenSize().width(), 0), screenSize()}; }
    // Starts a window manager by the name of its command (openbox, xfwm4, kwin_x11, mutter,
    // metacity, marco) and waits until it manages the display; those of the big desktops get a
    // session bus of their own. False, with the reason in error(), when it cannot.
    bool startWindowManager(const QString &name);
    // After a failed start: the manager ended by itself before it managed the display, as one
    // does that cannot run on a display like this one (no GPU, no desktop session), rather than
    // being missing or hanging.
    bool windowManagerCannotRun() const { return managerEnded; }
    // The accessibility bus, for the programs started afterwards, and its reading: see AtspiBus.
    bool startAccessibility();
    std::optional<QByteArray> atspi(const QStringList &arguments);
    bool listen(const QString &title);
    QStringList heard() { return bus.heard(); }

    QString home() const;
    QString configHome() const;
    // The program's environment: HOME, the XDG folders, TMPDIR and the display.
    QString variable(const QString &name) const { return environment.value(name); }
    void unsetVariable(const QString &name) { environment.remove(name); }
    // Where Qt keeps the program's settings store on this system.
    QString settingsFile() const;

    // Starts the built program on the display; its own output goes to the test's. Null when it
    // cannot be started.
    QProcess *startProgram();
    // The same with the program's clock set back by whole days, as if started on that day
    // (libfaketime; the rest of the session keeps the true time).
    QProcess *startProgramDaysAgo(int days);
    // Another X client on the display, such as xmessage.
    QProcess *startClient(const QStringList &command);

    // Viewable windows that have a title, top-level or not; under a window manager, the windows
    // it manages.
    QList<Window> visibleWindows();
    // The one viewable window with exactly this title, or 0 when there is none or more than one.
    quint32 window(const QString &title);
    QRect geometry(quint32 window);
    // The same with the window manager's frame, as _NET_FRAME_EXTENTS gives it.
    QRect frameGeometry(quint32 window);
    // Where the program was last told its window lies, from the window manager or the X server;
    // null until one came after watch(). A window manager moves the frame first and tells the
    // program after, so a test that acts as soon as the frame has moved may be faster than the
    // program's knowledge of its place.
    void watch(quint32 window) { display->watch(window); }
    QPoint toldPosition(quint32 window) { return display->toldPosition(window); }
    // The window that has the keyboard.
    quint32 focusedWindow();
    qint64 windowPid(quint32 window);
    // The atoms of the window's _NET_WM_STATE, e.g. "_NET_WM_STATE_ABOVE".
    QStringList windowState(quint32 window);
    // What the window manager lets the user do with the window (_NET_WM_ALLOWED_ACTIONS, e.g.
    // "_NET_WM_ACTION_MAXIMIZE_HORZ"); empty without a window manager.
    QStringList allowedActions(quint32 window);
    // The window manager's windows, bottom to top (_NET_CLIENT_LIST_STACKING).
    QList<quint32> stacking();
    // Asks the window manager to maximise the window, as a maximise button would.
    bool maximise(quint32 window);

    // Gives the window the keyboard, as clicking it would; then presses the keys (xdotool names:
    // "Tab", "alt+h", "Return") or types the text. Window 0: the keys go to whichever window
    // has the keyboard.
    bool keys(quint32 window, const QStringList &keys);
    bool type(quint32 window, const QString &text);
    // Makes the window the active one, as a click on it or on its task bar button would.
    bool activate(quint32 window);
    // Moves the window towards `to`, as the user would by its title bar; a window manager may
    // put the window or its frame there, or keep it on the monitor it knows.
    bool move(quint32 window, QPoint to);
    // A left click at a point of the window.
    bool click(quint32 window, QPoint at);
    // What the close box does: the window is asked to close.
    bool close(quint32 window);
    // The window as it is on screen; 0 is the whole screen, every monitor. A null image when it
    // cannot be had.
    QImage grab(quint32 window);
    // What a failed test leaves behind: the whole screen as `base`.png, and in `base`.txt every
    // window with its map state, the root window's properties and the window manager's log. The
    // program's own output is in the test's already. The files written.
    QStringList keepEvidence(const QString &base);

    // Every address the program handed to the browser, oldest first.
    QStringList openedAddresses() const;

private:
    QProcess *launch(const QStringList &command, const QProcessEnvironment &with);
    bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr,
             bool emptyIsFine = false);
    bool xdotool(const QStringList &arguments, QByteArray *output = nullptr, bool emptyIsFine = false);
    bool fail(const QString &reason);
    bool startSessionBus();
    bool makeHome();
    bool writeAuthority(const QString &path);
    QString browserLog() const;

    QTemporaryDir dir;
    QProcessEnvironment environment;
    QByteArray cookie;
    std::unique_ptr<QProcess> server;
    // Asks the display what a test waits for; xdotool only presses keys, clicks and moves windows.
    std::unique_ptr<XConnection> display;
    std::unique_ptr<QProcess> windowManager;
    QString windowManagerLog;
    AtspiBus bus{environment, dir};
    std::vector<std::unique_ptr<QProcess>> programs;
    QString failure;
    bool managerEnded = false;
};
