// The two things about an X window that the Debian tools cannot do without a window manager:
//
//   xwindow grab ID|root    writes a PNG of the window (or of the whole screen) to standard output
//   xwindow close ID        asks the window to close, as its close box would
//   xwindow maximise ID     asks the window manager to maximise the window, as its maximise
//                           button, a double click on its title or a pager would
//
// ID is decimal or 0x-hexadecimal, as xdotool and xwininfo print it. The display is $DISPLAY.

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

int usage()
{
    std::fputs("usage: xwindow grab ID|root > shot.png\n       xwindow close ID\n       xwindow maximise ID\n",
               stderr);
    return 2;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

int grab(WId window)
{
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    QByteArray png;
    QBuffer buffer(&png);
    if (shot.isNull() || !shot.save(&buffer, "PNG"))
        return 1;
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(png) == png.size() ? 0 : 1;
}

// Sends the client message `type` about `window`, with up to four values, to `to`.
int sendMessage(xcb_connection_t *connection, xcb_window_t window, const char *type,
                std::initializer_list<uint32_t> values, xcb_window_t to, uint32_t mask)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(connection, type);
    std::copy(values.begin(), values.end(), event.data.data32);
    const xcb_void_cookie_t sent =
        xcb_send_event_checked(connection, 0, to, mask, reinterpret_cast<const char *>(&event));
    xcb_generic_error_t *error = xcb_request_check(connection, sent);
    std::free(error);
    return error ? 1 : 0;
}

// What a window manager sends when the user clicks the close box: the client message
// WM_PROTOCOLS carrying WM_DELETE_WINDOW. Qt answers it with a close event, as for a real click.
int requestClose(xcb_connection_t *connection, xcb_window_t window)
{
    return sendMessage(connection, window, "WM_PROTOCOLS", {atom(connection, "WM_DELETE_WINDOW"), XCB_CURRENT_TIME},
                       window, XCB_EVENT_MASK_NO_EVENT);
}

// The client message _NET_WM_STATE that adds both maximised states, sent to the root window,
// where the window manager listens for it.
int requestMaximise(xcb_connection_t *connection, xcb_window_t window)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Add, both states, asked by a pager or the user rather than by the program itself.
    return sendMessage(connection, window, "_NET_WM_STATE",
                       {1, atom(connection, "_NET_WM_STATE_MAXIMIZED_VERT"),
                        atom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ"), 2},
                       root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return usage();
    // Whatever the caller's environment says, this tool speaks to the X display.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QString command = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    auto *x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return usage();
    // Window 0 is the whole screen.
    bool ok = target == QLatin1String("root");
    const WId window = ok ? 0 : WId(target.toULongLong(&ok, 0));
    if (!ok)
        return usage();
    if (command == QLatin1String("grab"))
        return grab(window);
    if (command == QLatin1String("close"))
        return requestClose(x11->connection(), static_cast<xcb_window_t>(window));
    if (command == QLatin1String("maximise"))
        return requestMaximise(x11->connection(), static_cast<xcb_window_t>(window));
    return usage();
}
