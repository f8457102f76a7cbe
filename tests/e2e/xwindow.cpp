// The two things about an X window that the Debian tools cannot do without a window manager:
//
//   xwindow grab ID|root    writes a PNG of the window (or of the whole screen, every monitor) to
//                           standard output
//   xwindow tree root       prints every window, child under parent: id, map state, geometry, title
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
    std::fputs("usage: xwindow grab ID|root > shot.png\n       xwindow close ID\n       xwindow maximise ID\n"
               "       xwindow tree root\n",
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
    // The root window spans every monitor, but each monitor is a screen of its own to Qt, which
    // grabs only the screen asked: the primary one, at the origin, asked for all of them.
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect all = screen->virtualGeometry();
    const QPixmap shot = window ? screen->grabWindow(window)
                                : screen->grabWindow(0, all.x(), all.y(), all.width(), all.height());
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

QByteArray property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    QByteArray value;
    if (reply)
        value = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}

// What a failed test needs to tell a window that was never mapped from one mapped under another,
// or one the window manager never took in (not reparented into a frame).
void printTree(xcb_connection_t *connection, xcb_window_t window, int depth)
{
    static const char *const states[] = {"unmapped", "unviewable", "viewable"};
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (!attributes || !geometry) {
        std::free(attributes);
        std::free(geometry);
        return; // gone in between
    }
    QByteArray title = property(connection, window, atom(connection, "_NET_WM_NAME"));
    if (title.isEmpty())
        title = property(connection, window, XCB_ATOM_WM_NAME);
    std::printf("%*s0x%x %s%s %dx%d+%d+%d \"%s\"\n", depth * 2, "", window,
                states[std::min<int>(attributes->map_state, 2)], attributes->override_redirect ? " override" : "",
                geometry->width, geometry->height, geometry->x, geometry->y, title.constData());
    std::free(attributes);
    std::free(geometry);
    xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i)
        printTree(connection, children[i], depth + 1);
    std::free(tree);
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
    if (command == QLatin1String("tree")) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x11->connection())).data->root;
        printTree(x11->connection(), window ? static_cast<xcb_window_t>(window) : root, 0);
        return 0;
    }
    if (command == QLatin1String("close"))
        return requestClose(x11->connection(), static_cast<xcb_window_t>(window));
    if (command == QLatin1String("maximise"))
        return requestMaximise(x11->connection(), static_cast<xcb_window_t>(window));
    return usage();
}
