#pragma once

// What every end-to-end test shares: the program's titles and looks, a private display afresh
// for each row, and the steps that bring the program to the window a row looks at.

#include "screentext.h"
#include "xsession.h"

#include <QApplication>
#include <QColor>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>

#include <memory>

class QProcess;

#ifndef VEXMORA_SITE
#error "VEXMORA_SITE must name the site the program was built for"
#endif

inline const QString MainTitle = QStringLiteral("Vexmora v1.15");
// Message boxes and the exit screen share the application's title.
inline const QString ApplicationTitle = QStringLiteral("Vexmora");

// How long a user would wait for a window before calling the program stuck; generous for a
// sanitizer build with the tests running side by side.
constexpr int WindowTimeout = 5000;
// The exit screen's ways out end the process at once.
constexpr int EndTimeout = 1000;

inline const QColor PanelPurple(51, 7, 141);
inline const QColor Yellow(255, 255, 0);
inline const QColor Orange(255, 180, 4);

// Each label as its panel draws it.
TextLook labelLook();
TextLook counterLook();
TextLook percentagesLook();
TextLook verdictLook();
// A message box's text, in the desktop's default font and colours.
TextLook messageLook();

QString pageAddress(const QString &key);

// The steps that may end a row are macros: a skip or a failure ends only the function it is in.

// The row's window manager, when it names one; none: a bare display. A manager of make desktops
// that cannot run here skips its row with the reason; openbox, which make test needs, must run.
#define START_WINDOW_MANAGER(name) \
    if (!(name).isEmpty() && !x->startWindowManager(name)) { \
        if (x->windowManagerCannotRun() && (name) != QLatin1String("openbox")) \
            QSKIP(qPrintable(x->error())); \
        QFAIL(qPrintable(x->error())); \
    }

// xfwm4 learns the monitors through GTK, which passes over a RandR monitor without an output of
// its own, and Xvfb has one output: it knows only the first monitor and keeps every window on it.
inline const char *const Xfwm4SeesOneMonitor =
    "xfwm4 sees one monitor on this display (GTK passes over the second, which has no output of its own)";

// The row's display: for two monitors a display afresh, split in two, which xfwm4's rows skip.
#define START_MONITORS(monitors, windowManager) \
    if ((monitors) > 1) { \
        if ((windowManager) == QLatin1String("xfwm4")) \
            QSKIP(Xfwm4SeesOneMonitor); \
        x = std::make_unique<XSession>(); \
        QVERIFY2(x->start(monitors), qPrintable(x->error())); \
    }

// The program started and its main window drawn, as startMainWindow does, into `program` and
// `window`, which it declares; the row ends here when the window does not come.
#define START_MAIN_WINDOW(program, window, ...) \
    QProcess *program = nullptr; \
    quint32 window = 0; \
    startMainWindow(program, window __VA_OPT__(, ) __VA_ARGS__); \
    if (QTest::currentTestFailed()) \
        return

// The same, on to the exit screen, as closeMainWindowToExitScreen does.
#define CLOSE_MAIN_WINDOW_TO_EXIT_SCREEN(program, exitScreen) \
    QProcess *program = nullptr; \
    quint32 exitScreen = 0; \
    closeMainWindowToExitScreen(program, exitScreen); \
    if (QTest::currentTestFailed()) \
        return

QPoint centre(const QRect &twips);

// The window managers that make desktops adds to the rows of a table that depend on the window
// manager: those named in VEXMORA_E2E_WINDOW_MANAGERS, separated by spaces, less those the table
// has rows for anyway.
QStringList moreWindowManagers(const QStringList &own = {});

// The base of each end-to-end test. QtTest runs every private slot as a test function, inherited
// ones too: what is shared here is a protected slot or an ordinary member.
class E2eTest : public QObject
{
    Q_OBJECT

protected slots:
    void init();
    void cleanup();

protected:
    QStringList titles();
    bool shows(quint32 window, const QString &text, const TextLook &look);
    // The top left corner of the main window's panels, and of its client area, in window
    // coordinates: found where the panels' colour begins, since the menu bar above may take any
    // height. -1 as y when the panels are not there.
    QPoint panelOrigin(quint32 mainWindow);
    QPoint clientOrigin(quint32 mainWindow);
    // The window's frame centred on the monitor, give or take the odd pixel of halving.
    bool centred(quint32 window, int monitor = 0);
    // The window manager offers no way to maximise the window, and asked all the same, leaves it
    // as it is.
    bool staysUnmaximised(quint32 window);
    // The program's main window, drawn; on a display of two monitors the user then moves it to
    // `monitor`, off that monitor's centre.
    void startMainWindow(QProcess *&program, quint32 &window, int monitor = 0);
    void closeMainWindowToExitScreen(QProcess *&program, quint32 &exitScreen);

    std::unique_ptr<XSession> x;
};

template <typename Test>
int runEndToEnd(int argc, char *argv[])
{
    // The test draws its reference text off screen, whatever display its caller has; only the
    // program under test meets an X display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
