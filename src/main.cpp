#include "app/frmnagscreen.h"
#include "app/qtplatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPlatform qtPlatform;
    usePlatform(qtPlatform);
    frmNagScreen startup;
    // Start up inside the event loop, so that ending the process from the start-up sequence
    // (a second instance) ends the loop that is running.
    QMetaObject::invokeMethod(&startup, &frmNagScreen::Form_Load, Qt::QueuedConnection);
    return app.exec();
}
