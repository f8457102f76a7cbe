#pragma once

#include <QDate>
#include <QMessageBox>
#include <QString>

// What the program needs from the desktop it runs on. Nothing outside this layer talks to
// message boxes, the browser, the settings store, the clock, the random generator or the
// process directly, so that a test can put a recording fake in its place.
class Platform
{
public:
    virtual ~Platform() = default;

    // A modal message box titled "Vexmora"; returns the button the user chose.
    virtual QMessageBox::StandardButton message(const QString &text, QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton) = 0;
    // Hands the address to the default browser; returns at once and reports nothing.
    virtual void openInBrowser(const QString &address) = 0;
    // Whether the address is short enough for the system to hand it to the browser whole.
    virtual bool browserTakes(const QString &address) = 0;
    // Whether this program already runs for this user. The first caller takes the indicator
    // and holds it until the process ends.
    virtual bool previousInstanceRunning() = 0;
    // The per-user store, section "Settings"; an absent key reads as "".
    virtual QString setting(const QString &key) = 0;
    // false when the value could not be stored.
    virtual bool saveSetting(const QString &key, const QString &value) = 0;
    virtual QDate today() = 0;
    // Seeds the generator from the timer.
    virtual void seedRandom() = 0;
    // The next value r of the generator, 0 <= r < 1.
    virtual float nextRandom() = 0;
    // Ends the process: nothing runs after the current event handler.
    virtual void endProcess() = 0;
};

// The platform in use. main() installs the Qt one; a test installs a fake.
Platform &platform();
void usePlatform(Platform &p);

// Reports bad input the one way the program does: a message box with the stop icon and OK.
void stopMessage(const QString &text);

// Title of every message box.
inline constexpr char ApplicationTitle[] = "Vexmora";
