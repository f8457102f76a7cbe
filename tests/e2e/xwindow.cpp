// What the Debian tools cannot do with an X window without a window manager, for
// scripts/screenshots and for a look at a test's display by hand:
//
//   xwindow grab ID|root    writes a PNG of the window (or of the whole screen, every monitor) to
//                           standard output
//   xwindow tree ID|root    prints every window, child under parent: id, map state, geometry, title
//   xwindow close ID        asks the window to close, as its close box would
//   xwindow maximise ID     asks the window manager to maximise the window, as its maximise
//                           button, a double click on its title or a pager would
//
// ID is decimal or 0x-hexadecimal, as xdotool and xwininfo print it. The display is $DISPLAY.

#include "xconnection.h"

#include <QBuffer>
#include <QFile>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: xwindow grab ID|root > shot.png\n       xwindow tree ID|root\n       xwindow close ID\n"
               "       xwindow maximise ID\n",
               stderr);
    return 2;
}

bool write(const QByteArray &bytes)
{
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return usage();
    const QByteArray command(argv[1]);
    const QByteArray target(argv[2]);
    bool ok = target == "root";
    const quint32 window = ok ? 0 : target.toUInt(&ok, 0);
    if (!ok)
        return usage();
    const std::unique_ptr<XConnection> x = XConnection::open();
    if (!x) {
        std::fputs("xwindow: cannot reach the X display\n", stderr);
        return 1;
    }
    if (command == "grab") {
        QByteArray png;
        QBuffer buffer(&png);
        const QImage shot = x->image(window);
        return !shot.isNull() && shot.save(&buffer, "PNG") && write(png) ? 0 : 1;
    }
    if (command == "tree")
        return write(x->tree(window ? window : x->root())) ? 0 : 1;
    if (window == 0)
        return usage();
    if (command == "close")
        return x->close(window) ? 0 : 1;
    if (command == "maximise")
        return x->maximise(window) ? 0 : 1;
    return usage();
}
