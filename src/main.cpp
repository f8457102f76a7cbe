#include "app/frmnagscreen.h"
#include "platform/qtplatform.h"
#include "ui/look.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Between the main window closing and the exit screen coming up no window is open, and the
    // process must live on: it ends only through EndApplication.
    app.setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new ApplicationStyle);
    QtPlatform qtPlatform;
    usePlatform(qtPlatform);
    frmNagScreen startup;
    // Start up inside the event loop, so that ending the process from the start-up sequence
    // (a second instance) ends the loop that is running.
    QMetaObject::invokeMethod(&startup, &frmNagScreen::Form_Load, Qt::QueuedConnection);
    return app.exec();
}
