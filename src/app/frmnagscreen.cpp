#include "app/frmnagscreen.h"

#include "app/cobrand.h"
#include "app/endapplication.h"
#include "app/updatereminder.h"
#include "platform/platform.h"
#include "ui/exit/frmnagscreen2.h"
#include "ui/icons.h"
#include "ui/main/frmmain.h"
#include "ui/placement.h"

#include <QWindow>

frmNagScreen::frmNagScreen()
    : IMGIcon{applicationIcon()}
{
    setObjectName(QStringLiteral("frmNagScreen"));
}

void frmNagScreen::Form_Load()
{
    if (platform().previousInstanceRunning()) {
        platform().message(QStringLiteral("Application is already running"), QMessageBox::Information,
                           QMessageBox::Ok, QMessageBox::Ok);
        EndApplication();
        return;
    }
    platform().seedRandom();
    // Without a stored date the reminder asks nothing and only stores today's: that waits until
    // the main window's first frame is on screen, so that the store's disk flushes (several
    // milliseconds on a disk) do not hold it up.
    firstStartDatePending = !reminderDateStored();
    if (!firstStartDatePending)
        CheckUpdateReminder();
    main = new frmMain;
    // The exit screen takes the main window's place; its icon is ours, so we put it up.
    connect(main, &frmMain::unloading, this, &frmNagScreen::ShowExitScreen);
    main->show();
    if (firstStartDatePending && main->windowHandle())
        main->windowHandle()->installEventFilter(this);
    CoBrand_Randomize();
}

frmNagScreen::~frmNagScreen()
{
    storeFirstStartDate();
}

bool frmNagScreen::eventFilter(QObject *watched, QEvent *event)
{
    // The window paints its first frame as it handles this event; the date comes after it.
    if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &frmNagScreen::storeFirstStartDate, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void frmNagScreen::storeFirstStartDate()
{
    if (!firstStartDatePending)
        return;
    firstStartDatePending = false;
    CheckUpdateReminder();
}

void frmNagScreen::CoBrand_Randomize()
{
    intCoBrandRandomNumber = coBrandNumber(platform().nextRandom());
    if (!main)
        return;
    switch (intCoBrandRandomNumber) {
    case 2:
    case 4:
    case 6:
        main->bringToFront(frmMain::Offer::FullBranding);
        break;
    case 1:
    case 3:
    case 5:
        main->bringToFront(frmMain::Offer::CoBranding);
        break;
    default: // 7 keeps the order the window was built with
        break;
    }
}

void frmNagScreen::ShowExitScreen()
{
    // Once only, and never while the process is ending: then the main window closes for good.
    if (exitScreen || ApplicationEnding())
        return;
    exitScreen = new frmNagScreen2(IMGIcon.value(0));
    // Where the user last worked: the main window is still there, closing.
    if (main)
        moveToScreen(exitScreen, screenOf(main));
    // However the exit screen closes, the process ends.
    connect(exitScreen, &frmNagScreen2::unloading, this, &EndApplication);
    exitScreen->show();
}
