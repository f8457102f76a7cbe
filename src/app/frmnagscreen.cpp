#include "app/frmnagscreen.h"

#include "app/endapplication.h"
#include "app/platform.h"
#include "app/updatereminder.h"
#include "ui/look.h"
#include "ui/main/frmmain.h"

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
    CheckUpdateReminder();
    main = new frmMain;
    main->show();
    CoBrand_Randomize();
}

void frmNagScreen::CoBrand_Randomize()
{
}
