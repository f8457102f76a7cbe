#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>

class frmMain;
class frmNagScreen2;

// The start-up object: never on screen, alive from process start to the end. It runs the
// start-up sequence once and keeps what outlives it: the icon for the exit screen and the
// banner draw.
class frmNagScreen : public QObject
{
    Q_OBJECT

public:
    frmNagScreen();
    // Stores a first start's date if the process ends before the main window came up.
    ~frmNagScreen() override;

    // The start-up sequence: single-instance guard, seed, update reminder, main window, banner.
    void Form_Load();

    // Image 1 is the exit screen's icon.
    QList<QIcon> IMGIcon;
    // The last banner draw, 1 to 7; 0 until drawn.
    qint16 intCoBrandRandomNumber = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CoBrand_Randomize();
    void storeFirstStartDate();
    void ShowExitScreen();

    QPointer<frmMain> main;
    QPointer<frmNagScreen2> exitScreen;
    bool firstStartDatePending = false;
};
