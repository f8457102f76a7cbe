#include "xconnection.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// A reply of xcb, freed with free().
template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> own(Reply *reply)
{
    return {reply, &std::free};
}

// The reply to a request, null when it failed; the error is dropped, which xcb would otherwise
// keep in the event queue.
template <typename Reply, typename Cookie>
Owned<Reply> answer(Reply *(*reply)(xcb_connection_t *, Cookie, xcb_generic_error_t **), xcb_connection_t *connection,
                    Cookie cookie)
{
    xcb_generic_error_t *error = nullptr;
    Reply *got = reply(connection, cookie, &error);
    std::free(error);
    return own(got);
}

} // namespace

std::unique_ptr<XConnection> XConnection::open(const QString &display, const QByteArray &cookie)
{
    const QByteArray name = display.toLocal8Bit();
    QByteArray protocol("MIT-MAGIC-COOKIE-1");
    xcb_auth_info_t auth{int(protocol.size()), protocol.data(), int(cookie.size()),
                         const_cast<char *>(cookie.constData())};
    xcb_connection_t *connection =
        cookie.isEmpty() ? xcb_connect(name.isEmpty() ? nullptr : name.constData(), nullptr)
                         : xcb_connect_to_display_with_auth_info(name.constData(), &auth, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<XConnection>(new XConnection(connection));
}

XConnection::XConnection(xcb_connection_t *connection)
    : connection(connection), rootWindow(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root)
{
}

XConnection::~XConnection()
{
    xcb_disconnect(connection);
}

quint32 XConnection::atom(const char *name)
{
    const auto known = atomCache.constFind(name);
    if (known != atomCache.constEnd())
        return *known;
    const auto reply = answer(xcb_intern_atom_reply, connection,
                              xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name));
    if (!reply)
        return XCB_ATOM_NONE;
    atomCache.insert(name, reply->atom);
    return reply->atom;
}

QByteArray XConnection::property(quint32 window, quint32 name, quint32 *type)
{
    const auto reply = answer(xcb_get_property_reply, connection,
                              xcb_get_property(connection, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024));
    if (type)
        *type = reply ? reply->type : quint32(XCB_ATOM_NONE);
    if (!reply)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

QList<std::pair<quint32, QString>> XConnection::titledWindows()
{
    QList<std::pair<quint32, QString>> found;
    QList<quint32> pending{rootWindow};
    while (!pending.isEmpty()) {
        const quint32 window = pending.takeFirst();
        const auto tree = answer(xcb_query_tree_reply, connection, xcb_query_tree(connection, window));
        if (!tree)
            continue; // gone in between
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        // Every request of a level at once, then the replies: one round trip, not one a window.
        QList<xcb_get_window_attributes_cookie_t> asked;
        for (int i = 0; i < count; ++i)
            asked << xcb_get_window_attributes(connection, children[i]);
        QList<quint32> level;
        for (int i = 0; i < count; ++i) {
            const auto attributes = answer(xcb_get_window_attributes_reply, connection, asked[i]);
            if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
                level << children[i];
        }
        for (const quint32 child : level) {
            if (const QString name = title(child); !name.isEmpty())
                found.append({child, name});
        }
        // Children before the next level, as a search down the tree meets them.
        pending = level + pending;
    }
    return found;
}

QString XConnection::title(quint32 window)
{
    QByteArray name = property(window, atom("_NET_WM_NAME"));
    if (name.isEmpty())
        name = property(window, XCB_ATOM_WM_NAME);
    return QString::fromUtf8(name);
}

QRect XConnection::geometry(quint32 window)
{
    const auto size = answer(xcb_get_geometry_reply, connection, xcb_get_geometry(connection, window));
    const auto place = answer(xcb_translate_coordinates_reply, connection,
                              xcb_translate_coordinates(connection, window, rootWindow, 0, 0));
    if (!size || !place)
        return {};
    return {place->dst_x, place->dst_y, size->width, size->height};
}

QStringList XConnection::atoms(quint32 window, const char *name)
{
    quint32 type = 0;
    const QList<quint32> atoms = values(window, name, &type);
    QStringList names;
    for (const quint32 value : type == XCB_ATOM_ATOM ? atoms : QList<quint32>()) {
        if (const auto reply = answer(xcb_get_atom_name_reply, connection, xcb_get_atom_name(connection, value)))
            names << QString::fromLatin1(xcb_get_atom_name_name(reply.get()),
                                         xcb_get_atom_name_name_length(reply.get()));
    }
    return names;
}

QList<quint32> XConnection::numbers(quint32 window, const char *name)
{
    quint32 type = 0;
    const QList<quint32> found = values(window, name, &type);
    return type == XCB_ATOM_WINDOW || type == XCB_ATOM_CARDINAL ? found : QList<quint32>();
}

// A property of 32-bit values, and its type.
QList<quint32> XConnection::values(quint32 window, const char *name, quint32 *type)
{
    const QByteArray value = property(window, atom(name), type);
    QList<quint32> values(value.size() / qsizetype(sizeof(quint32)));
    if (!values.isEmpty())
        std::memcpy(values.data(), value.constData(), size_t(values.size()) * sizeof(quint32));
    return values;
}

void XConnection::watch(quint32 window)
{
    const uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection);
}

QPoint XConnection::toldPosition(quint32 window)
{
    while (const auto event = own(xcb_poll_for_event(connection))) {
        if ((event->response_type & 0x7f) != XCB_CONFIGURE_NOTIFY)
            continue;
        const auto *configure = reinterpret_cast<const xcb_configure_notify_event_t *>(event.get());
        // One sent by a window manager (the top bit) is in root coordinates; one of the X server
        // is relative to the parent, which is a frame under a window manager.
        const bool sent = event->response_type & 0x80;
        const auto tree =
            answer(xcb_query_tree_reply, connection, xcb_query_tree(connection, configure->window));
        if (sent || (tree && tree->parent == rootWindow))
            told.insert(configure->window, QPoint(configure->x, configure->y));
    }
    return told.value(window);
}

quint32 XConnection::focus()
{
    const auto reply = answer(xcb_get_input_focus_reply, connection, xcb_get_input_focus(connection));
    quint32 window = reply ? reply->focus : 0;
    // The focus may rest on a frame of the window manager or on a window inside the program's
    // own: the one that counts is the program's top-level window, the one with a WM_CLASS.
    const xcb_atom_t wmClass = XCB_ATOM_WM_CLASS;
    while (window > XCB_INPUT_FOCUS_POINTER_ROOT && window != rootWindow && property(window, wmClass).isEmpty()) {
        const auto tree = answer(xcb_query_tree_reply, connection, xcb_query_tree(connection, window));
        if (!tree)
            return 0;
        window = tree->parent;
    }
    return window == rootWindow ? 0 : window;
}

QImage XConnection::image(quint32 window)
{
    // Taken from the root window at the window's place, as a screenshot sees it.
    QRect area = geometry(window ? window : rootWindow);
    area &= geometry(rootWindow);
    if (area.isEmpty())
        return {};
    const auto reply = answer(xcb_get_image_reply, connection,
                              xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, rootWindow, int16_t(area.x()),
                                            int16_t(area.y()), uint16_t(area.width()), uint16_t(area.height()), ~0u));
    // Xvfb's 24-bit screens keep a pixel in 32 bits, blue first: Qt's RGB32 on this machine.
    const int length = reply ? xcb_get_image_data_length(reply.get()) : 0;
    if (!reply || reply->depth != 24 || length != area.width() * area.height() * 4
        || xcb_get_setup(connection)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return {};
    return QImage(xcb_get_image_data(reply.get()), area.width(), area.height(), area.width() * 4,
                  QImage::Format_RGB32)
        .copy();
}

bool XConnection::sendMessage(quint32 window, const char *type, std::initializer_list<quint32> values, quint32 to,
                              quint32 mask)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(type);
    std::copy(values.begin(), values.end(), event.data.data32);
    const xcb_void_cookie_t sent =
        xcb_send_event_checked(connection, 0, to, mask, reinterpret_cast<const char *>(&event));
    const auto error = own(xcb_request_check(connection, sent));
    return !error;
}

bool XConnection::close(quint32 window)
{
    return sendMessage(window, "WM_PROTOCOLS", {atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME}, window,
                       XCB_EVENT_MASK_NO_EVENT);
}

bool XConnection::maximise(quint32 window)
{
    // Add (1) both states, asked by a pager or the user (2) rather than by the program itself;
    // sent to the root window, where the window manager listens.
    return sendMessage(window, "_NET_WM_STATE",
                       {1, atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ"), 2}, rootWindow,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
}

QByteArray XConnection::tree(quint32 window)
{
    QByteArray out;
    addTree(window, 0, out);
    return out;
}

// What a failed test needs to tell a window that was never mapped from one mapped under another,
// or one the window manager never took in (not reparented into a frame).
void XConnection::addTree(quint32 window, int depth, QByteArray &out)
{
    static const char *const states[] = {"unmapped", "unviewable", "viewable"};
    const auto attributes =
        answer(xcb_get_window_attributes_reply, connection, xcb_get_window_attributes(connection, window));
    const auto size = answer(xcb_get_geometry_reply, connection, xcb_get_geometry(connection, window));
    if (!attributes || !size)
        return; // gone in between
    out += QByteArray(depth * 2, ' ')
           + QStringLiteral("0x%1 %2%3 %4x%5+%6+%7 \"%8\"\n")
                 .arg(window, 0, 16)
                 .arg(QLatin1String(states[std::min<int>(attributes->map_state, 2)]),
                      attributes->override_redirect ? QStringLiteral(" override") : QString())
                 .arg(size->width)
                 .arg(size->height)
                 .arg(size->x)
                 .arg(size->y)
                 .arg(title(window))
                 .toUtf8();
    const auto children = answer(xcb_query_tree_reply, connection, xcb_query_tree(connection, window));
    if (!children)
        return;
    const xcb_window_t *each = xcb_query_tree_children(children.get());
    for (int i = 0; i < xcb_query_tree_children_length(children.get()); ++i)
        addTree(each[i], depth + 1, out);
}
