#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <memory>
#include <utility>

struct xcb_connection_t;

// A connection of the test's own to an X display. What a test asks of the display again and
// again while it waits (which windows show, their titles, places, properties and pixels) it asks
// here, a few requests each time, rather than by starting a tool for every question: on a busy
// machine those tools took more of the processors than the program under test.
class XConnection
{
public:
    // Null when the display cannot be reached. An empty display: $DISPLAY, with $XAUTHORITY;
    // an empty cookie: the one in $XAUTHORITY.
    static std::unique_ptr<XConnection> open(const QString &display = {}, const QByteArray &cookie = {});
    ~XConnection();
    XConnection(const XConnection &) = delete;
    XConnection &operator=(const XConnection &) = delete;

    quint32 root() const { return rootWindow; }

    // Every viewable window with a title, top-level or not, in the order of the window tree, with
    // its title.
    QList<std::pair<quint32, QString>> titledWindows();
    // A window's _NET_WM_NAME, or its WM_NAME when it has none; empty once the window is gone.
    QString title(quint32 window);
    // The window's place on the screen without any frame of a window manager; null once it is gone.
    QRect geometry(quint32 window);
    // The values of a property of type ATOM, as their names (_NET_WM_STATE, …).
    QStringList atoms(quint32 window, const char *name);
    // The values of a property of type WINDOW or CARDINAL (_NET_CLIENT_LIST, _NET_WM_PID, …).
    QList<quint32> numbers(quint32 window, const char *name);
    // Where the window was last told it lies, as the program hears it: from the window manager,
    // which moves the frame and then tells the window by a ConfigureNotify of its own, or from the
    // X server for a window without a frame. Null until one came after watch().
    void watch(quint32 window);
    QPoint toldPosition(quint32 window);
    // The window that has the keyboard: the top-level window the focus is in, not a frame.
    quint32 focus();
    // The window's pixels as the screen shows them (what lies on top of it included), clipped
    // to the screen; 0 is the whole screen, every monitor. A null image once the window is gone.
    QImage image(quint32 window);
    // What the close box does: the window is asked to close (WM_DELETE_WINDOW).
    bool close(quint32 window);
    // What a maximise button asks of the window manager (_NET_WM_STATE, both maximised states).
    bool maximise(quint32 window);
    // Every window under `window`, child under parent: id, map state, geometry and title.
    QByteArray tree(quint32 window);

private:
    explicit XConnection(xcb_connection_t *connection);
    quint32 atom(const char *name);
    QByteArray property(quint32 window, quint32 name, quint32 *type = nullptr);
    QList<quint32> values(quint32 window, const char *name, quint32 *type);
    bool sendMessage(quint32 window, const char *type, std::initializer_list<quint32> values, quint32 to,
                     quint32 mask);
    void addTree(quint32 window, int depth, QByteArray &out);

    xcb_connection_t *connection;
    quint32 rootWindow = 0;
    QHash<QByteArray, quint32> atomCache;
    QHash<quint32, QPoint> told;
};
