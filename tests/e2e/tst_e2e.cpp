// The built program as a user meets it: started on a private X display, driven with real key
// presses and clicks through xdotool, and judged by the windows it maps, the pixels it draws and
// the addresses it hands to the browser.

#include "screentext.h"
#include "xsession.h"

#include "quiz/modmalefemaletest.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <QtDebug>

#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#ifndef VEXMORA_SITE
#error "VEXMORA_SITE must name the site the program was built for"
#endif

namespace {

const QString MainTitle = QStringLiteral("Vexmora v1.15");
// Message boxes and the exit screen share the application's title.
const QString ApplicationTitle = QStringLiteral("Vexmora");

// How long a user would wait for a window before calling the program stuck; generous for a
// sanitizer build with the tests running side by side.
constexpr int WindowTimeout = 5000;
// The exit screen's ways out end the process at once.
constexpr int EndTimeout = 1000;

const QColor PanelPurple(51, 7, 141);
const QColor Yellow(255, 255, 0);
const QColor Orange(255, 180, 4);

// Each label as its panel draws it.
TextLook labelLook() { return {verdana(8.25, true), Orange, PanelPurple}; }
TextLook counterLook() { return {verdana(8.25, true), Yellow, PanelPurple}; }
TextLook percentagesLook() { return {verdana(9, true), Yellow, PanelPurple}; }
TextLook verdictLook() { return {verdana(9, true), Orange, PanelPurple}; }
// A message box's text, in the desktop's default font and colours.
TextLook messageLook()
{
    const QPalette palette = QApplication::palette();
    return {QApplication::font(), palette.color(QPalette::WindowText), palette.color(QPalette::Window)};
}

QString pageAddress(const QString &key)
{
    return QStringLiteral(VEXMORA_SITE "/vexmora-test/ssd.php?page=") + key;
}

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
const char *const Xfwm4SeesOneMonitor =
    "xfwm4 sees one monitor on this display (GTK passes over the second, which has no output of its own)";

// The row's display: for two monitors a display afresh, split in two, which xfwm4's rows skip.
#define START_MONITORS(monitors, windowManager) \
    if ((monitors) > 1) { \
        if ((windowManager) == QLatin1String("xfwm4")) \
            QSKIP(Xfwm4SeesOneMonitor); \
        x = std::make_unique<XSession>(); \
        QVERIFY2(x->start(monitors), qPrintable(x->error())); \
    }

QPoint centre(const QRect &twips)
{
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height()).center();
}

// The window managers that make desktops adds to the rows of a table that depend on the window
// manager: those named in VEXMORA_E2E_WINDOW_MANAGERS, separated by spaces, less those the table
// has rows for anyway.
QStringList moreWindowManagers(const QStringList &own = {})
{
    QStringList managers;
    for (const QString &name : qEnvironmentVariable("VEXMORA_E2E_WINDOW_MANAGERS").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!own.contains(name))
            managers << name;
    return managers;
}

} // namespace

class tst_e2e : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartShowsMainWindowAndAsksNothing_data();
    void firstStartShowsMainWindowAndAsksNothing();
    void secondStartIsTurnedAway_data();
    void secondStartIsTurnedAway();
    void startsAgainAfterFirstIsKilled();
    void damagedSettingsStillShowMainWindow_data();
    void damagedSettingsStillShowMainWindow();
    void wholeTestWithKeysAndClicks_data();
    void wholeTestWithKeysAndClicks();

    // Waiting for features in the making: each says what it waits for.
    // Every function here is also named in CMakeLists.txt, which runs it as a test of its own.
    void updateReminderAsksBeforeMainWindow_data();
    void updateReminderAsksBeforeMainWindow();
    void menuAndBannerOpenTheirPages_data();
    void menuAndBannerOpenTheirPages();
    void referAFriendSendsWhatWasTyped_data();
    void referAFriendSendsWhatWasTyped();
    void closingMainWindowShowsExitScreenOnTop_data();
    void closingMainWindowShowsExitScreenOnTop();
    void exitScreenEndsProcess_data();
    void exitScreenEndsProcess();
    void aboutCentredWithItsFrame_data();
    void aboutCentredWithItsFrame();
    void screenReaderReadsAndPresses_data();
    void screenReaderReadsAndPresses();

private:
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

void tst_e2e::init()
{
    x = std::make_unique<XSession>();
    QVERIFY2(x->start(), qPrintable(x->error()));
}

void tst_e2e::cleanup()
{
    if (QTest::currentTestFailed() && x) {
        // What the screen and the window manager showed when the test failed, beside its output.
        QString name = QStringLiteral("e2e-%1").arg(QString::fromLatin1(QTest::currentTestFunction()));
        if (QTest::currentDataTag())
            name += QLatin1Char('-') + QString::fromLatin1(QTest::currentDataTag());
        name.replace(QLatin1Char(' '), QLatin1Char('_'));
        for (const QString &path : x->keepEvidence(QDir::current().absoluteFilePath(name)))
            qInfo("kept at the failure: %s", qPrintable(path));
    }
    x.reset();
}

QStringList tst_e2e::titles()
{
    QStringList names;
    for (const XSession::Window &window : x->visibleWindows())
        names << window.title;
    names.sort();
    return names;
}

bool tst_e2e::shows(quint32 window, const QString &text, const TextLook &look)
{
    return findText(x->grab(window), text, look).has_value();
}

QPoint tst_e2e::panelOrigin(quint32 mainWindow)
{
    return {0, firstRowOfColour(x->grab(mainWindow), 0, PanelPurple)};
}

QPoint tst_e2e::clientOrigin(quint32 mainWindow)
{
    const QPoint panels = panelOrigin(mainWindow);
    return panels.y() < 0 ? panels : panels - QPoint(0, twipsToPixels(550));
}

bool tst_e2e::centred(quint32 window, int monitor)
{
    const QRect frame = x->frameGeometry(window);
    const QRect screen = XSession::monitor(monitor);
    const QPoint offset = frame.topLeft() * 2 + QPoint(frame.width(), frame.height()) - screen.topLeft() * 2
                          - QPoint(screen.width(), screen.height());
    if (std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1)
        return true;
    qWarning() << "frame" << frame << "on a monitor at" << screen;
    return false;
}

bool tst_e2e::staysUnmaximised(quint32 window)
{
    const QStringList actions = x->allowedActions(window);
    if (actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ"))
        || actions.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE_VERT"))) {
        qWarning() << "the window manager offers" << actions;
        return false;
    }
    const QRect frame = x->frameGeometry(window);
    if (!x->maximise(window))
        return false;
    // A window manager that declines says nothing; one that maximises does so at once.
    QTest::qWait(300);
    const QStringList state = x->windowState(window);
    if (state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ"))
        || state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")) || x->frameGeometry(window) != frame) {
        qWarning() << "asked to maximise, the window went from" << frame << "to" << x->frameGeometry(window) << state;
        return false;
    }
    return true;
}

// Starts the program and waits for its main window, drawn: the details panel in front.
void tst_e2e::startMainWindow(QProcess *&program, quint32 &window, int monitor)
{
    program = x->startProgram();
    QVERIFY(program);
    QTRY_VERIFY_WITH_TIMEOUT((window = x->window(MainTitle)) != 0, WindowTimeout);
    QCOMPARE(x->windowPid(window), program->processId());
    QTRY_VERIFY(shows(window, QStringLiteral("Enter Name"), labelLook()));
    if (monitor == 0)
        return;
    // Off the monitor's centre: a window centred over it, as an owned dialog is, is then not
    // centred on the monitor.
    QVERIFY(x->move(window, XSession::monitor(monitor).topLeft() + QPoint(40, 60)));
    QTRY_VERIFY_WITH_TIMEOUT(XSession::monitor(monitor).contains(x->frameGeometry(window)), WindowTimeout);
}

void tst_e2e::closeMainWindowToExitScreen(QProcess *&program, quint32 &exitScreen)
{
    quint32 mainWindow = 0;
    startMainWindow(program, mainWindow);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(x->close(mainWindow));
    QTRY_COMPARE_WITH_TIMEOUT(titles(), QStringList{ApplicationTitle}, WindowTimeout);
    exitScreen = x->window(ApplicationTitle);
    QCOMPARE(x->windowPid(exitScreen), program->processId());
}

void tst_e2e::firstStartShowsMainWindowAndAsksNothing_data()
{
    QTest::addColumn<QString>("windowManager"); // none: a bare display
    QTest::newRow("bare display") << QString();
    for (const QString &manager : moreWindowManagers())
        QTest::newRow(qPrintable(manager)) << manager;
}

void tst_e2e::firstStartShowsMainWindowAndAsksNothing()
{
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    QProcess *program = nullptr;
    quint32 window = 0;
    startMainWindow(program, window);
    if (QTest::currentTestFailed())
        return;
    // The window is drawn, so the start-up sequence has mapped whatever it meant to show.
    QCOMPARE(titles(), QStringList{MainTitle});
    QCOMPARE(program->state(), QProcess::Running);
    QVERIFY(x->openedAddresses().isEmpty());
    // Its size is fixed: a minimise button and no maximise button.
    if (!windowManager.isEmpty()) {
        QVERIFY(x->allowedActions(window).contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")));
        QVERIFY(staysUnmaximised(window));
    }
}

void tst_e2e::secondStartIsTurnedAway_data()
{
    QTest::addColumn<bool>("click");
    // Files another local user left where a lock once lived: they must keep out no one.
    QTest::addColumn<QStringList>("othersFiles");
    QTest::addColumn<bool>("runtimeFolder");
    QTest::addColumn<QString>("windowManager");
    QTest::newRow("Return") << false << QStringList() << true << QString();
    QTest::newRow("click on OK") << true << QStringList() << true << QString();
    QTest::newRow("no runtime folder, another user's lock and runtime folder in the temp folder")
        << false << QStringList{QStringLiteral("TMPDIR/vexmora.lock"), QStringLiteral("TMPDIR/runtime-root/")}
        << false << QString();
    QTest::newRow("another user's stale lock in the runtime folder")
        << false << QStringList{QStringLiteral("XDG_RUNTIME_DIR/vexmora.lock")} << true << QString();
    for (const QString &manager : moreWindowManagers())
        QTest::addRow("Return, %s", qPrintable(manager)) << false << QStringList() << true << manager;
}

void tst_e2e::secondStartIsTurnedAway()
{
    QFETCH(bool, click);
    QFETCH(QStringList, othersFiles);
    QFETCH(bool, runtimeFolder);
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    if (!othersFiles.isEmpty() && ::geteuid() != 0)
        QSKIP("needs root, to leave files of a second user (uid 65534) in this user's way");
    if (!runtimeFolder)
        x->unsetVariable(QStringLiteral("XDG_RUNTIME_DIR")); // as under sudo -u and cron
    for (const QString &entry : othersFiles) {
        const int slash = int(entry.indexOf(QLatin1Char('/')));
        const QString path = x->variable(entry.left(slash)) + entry.mid(slash);
        if (path.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        const QByteArray native = QFile::encodeName(QDir::cleanPath(path));
        QCOMPARE(::chmod(native.constData(), 0700), 0);
        QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
    }
    QProcess *first = nullptr;
    quint32 mainWindow = 0;
    startMainWindow(first, mainWindow);
    if (QTest::currentTestFailed())
        return;
    // Whether the keyboard comes back to it after the second copy's message is the window
    // manager's choice (mutter's varies): it is compared with the keyboard, as a click gives it.
    if (!windowManager.isEmpty())
        QVERIFY(x->activate(mainWindow));
    const QRect place = x->geometry(mainWindow);
    const QImage look = x->grab(mainWindow);

    QProcess *second = x->startProgram();
    QVERIFY(second);
    quint32 box = 0;
    QTRY_VERIFY_WITH_TIMEOUT((box = x->window(ApplicationTitle)) != 0, WindowTimeout);
    QCOMPARE(x->windowPid(box), second->processId());
    QTRY_VERIFY(shows(box, QStringLiteral("Application is already running"), messageLook()));
    QCOMPARE(titles(), QStringList({ApplicationTitle, MainTitle}));

    if (click) {
        const std::optional<QRect> ok = findText(x->grab(box), QStringLiteral("OK"), messageLook());
        QVERIFY(ok);
        QVERIFY(x->click(box, ok->center()));
    } else {
        QVERIFY(x->keys(box, {QStringLiteral("Return")}));
    }
    QVERIFY(second->waitForFinished(WindowTimeout));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);

    // The server drops a finished client's windows as soon as it notices the client gone.
    QTRY_COMPARE(titles(), QStringList{MainTitle});
    QCOMPARE(x->window(MainTitle), mainWindow);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(x->geometry(mainWindow), place);
    if (!windowManager.isEmpty())
        QVERIFY(x->activate(mainWindow));
    QTRY_COMPARE(x->grab(mainWindow), look);
}

void tst_e2e::startsAgainAfterFirstIsKilled()
{
    QProcess *first = nullptr;
    quint32 window = 0;
    startMainWindow(first, window);
    if (QTest::currentTestFailed())
        return;
    first->kill(); // SIGKILL: the program cannot tidy up after itself
    QVERIFY(first->waitForFinished(WindowTimeout));
    QTRY_VERIFY(titles().isEmpty());

    QProcess *again = nullptr;
    startMainWindow(again, window);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(titles(), QStringList{MainTitle});
}

void tst_e2e::damagedSettingsStillShowMainWindow_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("damage");

    QByteArray noise(4096, Qt::Uninitialized);
    QRandomGenerator(1234).fillRange(reinterpret_cast<quint32 *>(noise.data()), int(noise.size() / 4));
    QTest::newRow("random bytes") << noise << QString();
    QTest::newRow("date that is no date") << QByteArray("[Settings]\nDuration=not a date at all\n") << QString();
    QTest::newRow("date out of range") << QByteArray("[Settings]\nDuration=99/99/99999\n") << QString();
    QTest::newRow("stored value of no known type")
        << QByteArray("[Settings]\nDuration=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tNoSuchType\\0\\x1)\n") << QString();
    QTest::newRow("key without section") << QByteArray("Duration=\\x01\\xff\n[Settings\n=\n") << QString();
    // Folders and files where the other belongs defeat writing even for root, who ignores the
    // read-only bits of the last row.
    QTest::newRow("store folder is a file") << QByteArray() << QStringLiteral("folder is a file");
    QTest::newRow("store file is a folder") << QByteArray() << QStringLiteral("file is a folder");
    QTest::newRow("read-only store") << QByteArray("[Settings]\n") << QStringLiteral("read-only");
}

void tst_e2e::damagedSettingsStillShowMainWindow()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, damage);
    const QString file = x->settingsFile();
    const QString folder = QFileInfo(file).path();
    if (damage == QLatin1String("folder is a file")) {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else if (damage == QLatin1String("file is a folder")) {
        QVERIFY(QDir().mkpath(file));
    } else {
        QVERIFY(QDir().mkpath(folder));
        QFile store(file);
        QVERIFY(store.open(QIODevice::WriteOnly));
        QCOMPARE(store.write(content), content.size());
    }
    if (damage == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }

    QProcess *program = nullptr;
    quint32 window = 0;
    startMainWindow(program, window);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(titles(), QStringList{MainTitle});
    QCOMPARE(program->state(), QProcess::Running);
}

void tst_e2e::wholeTestWithKeysAndClicks_data()
{
    // One character per question: 1 for the first option, 2 for the second. The first options
    // of the bank carry 8 masculine answers.
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("percentages");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("first options throughout")
        << "11111111111111111111" << "Your thinking is 40% Masculine and 60% Feminine"
        << "You have Feminine Thinking";
    QTest::newRow("balanced") << "22212111111111111111" << "Your thinking is 50% Masculine and 50% Feminine"
                              << "You have a Balanced Masculine and Feminine Thinking";
    QTest::newRow("one past balanced") << "22212211111111111111" << "Your thinking is 55% Masculine and 45% Feminine"
                                       << "You have Masculine Thinking";
    QTest::newRow("masculine throughout")
        << "21212221212211221221" << "Your thinking is 100% Masculine and 0% Feminine" << "You have Masculine Thinking";
    QTest::newRow("feminine throughout")
        << "12121112121122112112" << "Your thinking is 0% Masculine and 100% Feminine" << "You have Feminine Thinking";
}

void tst_e2e::wholeTestWithKeysAndClicks()
{
    QFETCH(QString, answers);
    QFETCH(QString, percentages);
    QFETCH(QString, verdict);
    QProcess *program = nullptr;
    quint32 window = 0;
    startMainWindow(program, window);
    if (QTest::currentTestFailed())
        return;
    const QPoint panel = panelOrigin(window);
    QVERIFY(panel.y() >= 0);
    // Option buttons take a click anywhere in their box; this one lands on the circle.
    const QPoint secondOption = panel + twipsRect(3157, 1800, 2100, 250).topLeft() + QPoint(8, 8);
    const QPoint firstOption = panel + twipsRect(3157, 1440, 2100, 250).topLeft() + QPoint(8, 8);
    const QPoint next = panel + centre({7080, 2640, 975, 375});

    // The focus starts in the name; the gender list moves to "Female" with the arrow key.
    QVERIFY(x->type(window, QStringLiteral("Ann")));
    QVERIFY(x->keys(window, {QStringLiteral("Tab"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("Tab"),
                             QStringLiteral("Down"), QStringLiteral("Tab"), QStringLiteral("Return")}));
    QTRY_VERIFY(shows(window, QStringLiteral("Question 1 of 20"), counterLook()));

    // Every way of answering takes turns: the second option by a click on it, or by a click on
    // the first and the arrow key; Next by a click, or from the keyboard with Return or Space.
    // No waiting between answers: the server hands the program every key and click in the
    // order sent, and the panels stay where they are, so each lands where a user's would.
    int secondChoices = 0;
    for (int question = 0; question < answers.size(); ++question) {
        if (answers.at(question) == QLatin1Char('2')) {
            const bool byArrow = secondChoices++ % 2 == 1;
            if (byArrow) {
                QVERIFY(x->click(window, firstOption));
                QVERIFY(x->keys(window, {QStringLiteral("Down")}));
            } else {
                QVERIFY(x->click(window, secondOption));
            }
            const QString press = byArrow ? QStringLiteral("space") : QStringLiteral("Return");
            QVERIFY(x->keys(window, {QStringLiteral("Tab"), press}));
        } else {
            QVERIFY(x->click(window, next));
        }
    }
    QTRY_VERIFY(shows(window, percentages, percentagesLook()));
    QVERIFY(shows(window, verdict, verdictLook()));
    QCOMPARE(titles(), QStringList{MainTitle});
}

void tst_e2e::updateReminderAsksBeforeMainWindow_data()
{
    // The reminder date is stored by the program itself, on a start with its clock set back.
    QTest::addColumn<int>("daysAgo");
    QTest::addColumn<QStringList>("answer"); // keys; none when no question is due
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("14 days: no question") << 14 << QStringList() << QStringList();
    QTest::newRow("15 days, Yes by Return") << 15 << QStringList{QStringLiteral("Return")}
                                            << QStringList{pageAddress(QStringLiteral("download-web-page"))};
    QTest::newRow("15 days, No by Alt+N") << 15 << QStringList{QStringLiteral("alt+n")} << QStringList();
}

void tst_e2e::updateReminderAsksBeforeMainWindow()
{
    QFETCH(int, daysAgo);
    QFETCH(QStringList, answer);
    QFETCH(QStringList, opened);

    // A first start that many days ago stores that day, in whatever form the program keeps it.
    QProcess *earlier = x->startProgramDaysAgo(daysAgo);
    QVERIFY(earlier);
    QTRY_VERIFY_WITH_TIMEOUT(x->window(MainTitle) != 0, WindowTimeout);
    QCOMPARE(titles(), QStringList{MainTitle});
    earlier->kill();
    QVERIFY(earlier->waitForFinished(WindowTimeout));
    QTRY_VERIFY(titles().isEmpty());

    QProcess *program = x->startProgram();
    QVERIFY(program);
    if (!answer.isEmpty()) {
        quint32 box = 0;
        QTRY_VERIFY_WITH_TIMEOUT((box = x->window(ApplicationTitle)) != 0, WindowTimeout);
        QCOMPARE(x->windowPid(box), program->processId());
        // Two lines: the carriage return between them breaks the line on screen too.
        QTRY_VERIFY(shows(box, QStringLiteral("There maybe an update to this software available"), messageLook()));
        QVERIFY(shows(box, QStringLiteral("Do you want to check for an update?"), messageLook()));
        // The question comes before the main window.
        QCOMPARE(titles(), QStringList{ApplicationTitle});
        QVERIFY(x->keys(box, answer));
    }
    quint32 mainWindow = 0;
    QTRY_VERIFY_WITH_TIMEOUT((mainWindow = x->window(MainTitle)) != 0, WindowTimeout);
    QTRY_VERIFY(shows(mainWindow, QStringLiteral("Enter Name"), labelLook()));
    QCOMPARE(titles(), QStringList{MainTitle});
    QTRY_COMPARE(x->openedAddresses(), opened);
}

void tst_e2e::menuAndBannerOpenTheirPages_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QRect>("clickOn"); // in twips of the client area, when there are no keys
    QTest::addColumn<QString>("page");
    QTest::newRow("Help, Online Help") << QStringList{QStringLiteral("alt+h"), QStringLiteral("o")} << QRect()
                                       << QStringLiteral("help-web-page");
    QTest::newRow("Help, Visit Us Online") << QStringList{QStringLiteral("alt+h"), QStringLiteral("v")} << QRect()
                                           << QStringLiteral("home-page");
    QTest::newRow("Help, Check for Software Update") << QStringList{QStringLiteral("alt+h"), QStringLiteral("c")}
                                                     << QRect() << QStringLiteral("download-web-page");
    QTest::newRow("Donate") << QStringList{QStringLiteral("alt+d")} << QRect() << QStringLiteral("donate");
    QTest::newRow("forum banner") << QStringList() << QRect(360, 90, 7695, 450) << QStringLiteral("home-page");
}

void tst_e2e::menuAndBannerOpenTheirPages()
{
    QFETCH(QStringList, keys);
    QFETCH(QRect, clickOn);
    QFETCH(QString, page);
    QProcess *program = nullptr;
    quint32 window = 0;
    startMainWindow(program, window);
    if (QTest::currentTestFailed())
        return;
    if (keys.isEmpty()) {
        const QPoint client = clientOrigin(window);
        QVERIFY(client.y() >= 0);
        QVERIFY(x->click(window, client + centre(clickOn)));
    } else {
        QVERIFY(x->keys(window, keys));
    }
    QTRY_COMPARE(x->openedAddresses(), QStringList{pageAddress(page)});
    // The page opens beside the program, which carries on as it was.
    QTRY_COMPARE(titles(), QStringList{MainTitle});
    QVERIFY(shows(window, QStringLiteral("Enter Name"), labelLook()));
}

void tst_e2e::referAFriendSendsWhatWasTyped_data()
{
    QTest::addColumn<bool>("byKeys"); // Tab from the opening focus and Alt+N, else clicks
    QTest::addColumn<QString>("windowManager");
    QTest::newRow("clicks") << false << QString();
    QTest::newRow("keys from the opening focus") << true << QString();
    QTest::newRow("keys from the opening focus, openbox") << true << QStringLiteral("openbox");
}

void tst_e2e::referAFriendSendsWhatWasTyped()
{
    QFETCH(bool, byKeys);
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    QProcess *program = nullptr;
    quint32 exitScreen = 0;
    closeMainWindowToExitScreen(program, exitScreen);
    if (QTest::currentTestFailed())
        return;

    // Characters that mean something in an address, as a user may well type them.
    const QString name = QStringLiteral("Ann & Lee=100%");
    const QString email = QStringLiteral("ann+quiz@example.org");
    const QString friendName = QStringLiteral("Bob #1 ?");
    const QString friendEmail = QStringLiteral("bob@example.net");
    // The boxes lie in the frame "Refer A Friend" at 120, 3240; a click empties a box's prompt.
    const QPoint frame = twipsRect(120, 3240, 0, 0).topLeft();
    const struct
    {
        QRect box;
        QString text;
    } entries[] = {{{85, 360, 3375, 285}, name},
                   {{3600, 360, 3375, 285}, email},
                   {{85, 720, 3375, 285}, friendName},
                   {{3600, 720, 3375, 285}, friendEmail}};
    if (byKeys) {
        // Straight away, to whichever window has the keyboard: the exit screen, on "E&xit". The
        // tab order runs Exit, the tick box, name, Refer A Friend Now, email, friend's email,
        // friend's name.
        QVERIFY(x->keys(0, {QStringLiteral("Tab"), QStringLiteral("Tab")}));
        QVERIFY(x->type(0, name));
        QVERIFY(x->keys(0, {QStringLiteral("Tab"), QStringLiteral("Tab")}));
        QVERIFY(x->type(0, email));
        QVERIFY(x->keys(0, {QStringLiteral("Tab")}));
        QVERIFY(x->type(0, friendEmail));
        QVERIFY(x->keys(0, {QStringLiteral("Tab")}));
        QVERIFY(x->type(0, friendName));
        QVERIFY(x->keys(0, {QStringLiteral("alt+n")}));
    } else {
        for (const auto &entry : entries) {
            QVERIFY(x->click(exitScreen, frame + centre(entry.box)));
            QVERIFY(x->type(exitScreen, entry.text));
        }
        QVERIFY(x->click(exitScreen, frame + centre({1920, 1080, 3375, 285})));
    }

    QTRY_COMPARE(x->openedAddresses().size(), 1);
    const QUrl sent(x->openedAddresses().constFirst());
    QCOMPARE(sent.adjusted(QUrl::RemoveQuery).toString(), QStringLiteral(VEXMORA_SITE "/vexmora-test/ssd.php"));
    const QList<std::pair<QString, QString>> expected{
        {QStringLiteral("page"), QStringLiteral("vxms-refer-a-friend")},
        {QStringLiteral("taf1"), name},
        {QStringLiteral("taf2"), email},
        // The message box is out of sight, so it still holds its opening text.
        {QStringLiteral("taf3"), QStringLiteral("Your Message\r\n")},
        {QStringLiteral("taf4"), friendName},
        {QStringLiteral("taf5"), friendEmail},
        {QStringLiteral("taf6"), QStringLiteral(VEXMORA_SITE "/vexmora-test/")}};
    QCOMPARE(QUrlQuery(sent).queryItems(QUrl::FullyDecoded), expected);
    // The screen stays, on top, for another referral.
    QCOMPARE(titles(), QStringList{ApplicationTitle});
    QCOMPARE(program->state(), QProcess::Running);
}

void tst_e2e::closingMainWindowShowsExitScreenOnTop_data()
{
    QTest::addColumn<QStringList>("keys"); // none: the close box
    QTest::addColumn<QString>("windowManager");
    QTest::addColumn<int>("monitors"); // two: the main window moved to the second first
    const QStringList fileExit{QStringLiteral("alt+f"), QStringLiteral("x")};
    const QString openbox = QStringLiteral("openbox");
    QTest::newRow("close box") << QStringList() << QString() << 1;
    QTest::newRow("File, Exit") << fileExit << QString() << 1;
    QTest::newRow("close box, openbox") << QStringList() << openbox << 1;
    QTest::newRow("File, Exit, openbox") << fileExit << openbox << 1;
    QTest::newRow("close box, two monitors") << QStringList() << QString() << 2;
    QTest::newRow("close box, two monitors, openbox") << QStringList() << openbox << 2;
    for (const QString &manager : moreWindowManagers({openbox})) {
        QTest::addRow("close box, %s", qPrintable(manager)) << QStringList() << manager << 1;
        QTest::addRow("close box, two monitors, %s", qPrintable(manager)) << QStringList() << manager << 2;
    }
}

void tst_e2e::closingMainWindowShowsExitScreenOnTop()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, windowManager);
    QFETCH(int, monitors);
    START_MONITORS(monitors, windowManager);
    START_WINDOW_MANAGER(windowManager);
    QProcess *program = nullptr;
    quint32 window = 0;
    const int monitor = monitors - 1;
    startMainWindow(program, window, monitor);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(keys.isEmpty() ? x->close(window) : x->keys(window, keys));

    QTRY_COMPARE_WITH_TIMEOUT(titles(), QStringList{ApplicationTitle}, WindowTimeout);
    const quint32 exitScreen = x->window(ApplicationTitle);
    QCOMPARE(x->windowPid(exitScreen), program->processId());
    QVERIFY(x->windowState(exitScreen).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
    // It comes up with the keyboard, in the middle of the main window's monitor with its frame.
    QTRY_COMPARE(x->focusedWindow(), exitScreen);
    QTRY_VERIFY(centred(exitScreen, monitor));
    // The process lives on with the exit screen: it must not end on its own.
    QVERIFY(!program->waitForFinished(300));
    if (monitor > 0) {
        // A space typed into the e-mail box: its message box comes up on the same monitor.
        QVERIFY(x->keys(exitScreen, {QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                                     QStringLiteral("Tab"), QStringLiteral("space")}));
        const auto messageBox = [&] {
            for (const XSession::Window &shown : x->visibleWindows())
                if (shown.title == ApplicationTitle && shown.id != exitScreen)
                    return shown.id;
            return quint32(0);
        };
        quint32 box = 0;
        QTRY_VERIFY_WITH_TIMEOUT((box = messageBox()) != 0, WindowTimeout);
        QTRY_VERIFY(shows(box, QStringLiteral("Email Address Cannot Contain Space"), messageLook()));
        const QRect boxFrame = x->frameGeometry(box);
        QVERIFY2(XSession::monitor(monitor).contains(boxFrame),
                 qPrintable(QStringLiteral("the message box at %1,%2").arg(boxFrame.x()).arg(boxFrame.y())));
        QVERIFY(x->keys(box, {QStringLiteral("Return")}));
        QTRY_COMPARE(titles(), QStringList{ApplicationTitle});
    }
    if (windowManager.isEmpty())
        return;
    QVERIFY(staysUnmaximised(exitScreen));
    // A window raised after it, as the browser is by the screen's links, stays below it.
    const QString otherTitle = QStringLiteral("Raised after the exit screen");
    const QPoint otherAt = XSession::monitor(monitor).topLeft() + QPoint(212, 184);
    QVERIFY(x->startClient({QStringLiteral("xmessage"), QStringLiteral("-title"), otherTitle, QStringLiteral("-geometry"),
                            QStringLiteral("600x400+%1+%2").arg(otherAt.x()).arg(otherAt.y()), otherTitle}));
    quint32 other = 0;
    QTRY_VERIFY_WITH_TIMEOUT((other = x->window(otherTitle)) != 0, WindowTimeout);
    QVERIFY(x->activate(other));
    QTest::qWait(300); // for the window manager to restack
    const QList<quint32> stack = x->stacking();
    QVERIFY(stack.contains(other));
    QVERIFY2(stack.indexOf(exitScreen) > stack.indexOf(other), qPrintable(QStringLiteral("%1 below %2").arg(exitScreen).arg(other)));
}

void tst_e2e::exitScreenEndsProcess_data()
{
    // The keys go straight away to whichever window has the keyboard: the exit screen, with the
    // focus on "E&xit".
    QTest::addColumn<QStringList>("keys"); // none: see click
    QTest::addColumn<bool>("click");        // on Exit; neither keys nor click: the close box
    QTest::addColumn<QString>("windowManager");
    const QString openbox = QStringLiteral("openbox");
    for (const QString &manager : {QString(), openbox}) {
        const QString wm = manager.isEmpty() ? QString() : QStringLiteral(", ") + manager;
        QTest::addRow("Exit button%s", qPrintable(wm)) << QStringList() << true << manager;
        QTest::addRow("Alt+X%s", qPrintable(wm)) << QStringList{QStringLiteral("alt+x")} << false << manager;
        QTest::addRow("Return%s", qPrintable(wm)) << QStringList{QStringLiteral("Return")} << false << manager;
        QTest::addRow("space%s", qPrintable(wm)) << QStringList{QStringLiteral("space")} << false << manager;
        QTest::addRow("close box%s", qPrintable(wm)) << QStringList() << false << manager;
    }
    for (const QString &manager : moreWindowManagers({openbox}))
        QTest::addRow("Return, %s", qPrintable(manager)) << QStringList{QStringLiteral("Return")} << false << manager;
}

void tst_e2e::exitScreenEndsProcess()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, click);
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    QProcess *program = nullptr;
    quint32 exitScreen = 0;
    closeMainWindowToExitScreen(program, exitScreen);
    if (QTest::currentTestFailed())
        return;

    if (click)
        QVERIFY(x->click(exitScreen, centre({6000, 2760, 1245, 375})));
    else if (!keys.isEmpty())
        QVERIFY(x->keys(0, keys));
    else
        QVERIFY(x->close(exitScreen));
    QVERIFY(program->waitForFinished(EndTimeout));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    QTRY_VERIFY(titles().isEmpty());
}

void tst_e2e::aboutCentredWithItsFrame_data()
{
    QTest::addColumn<QString>("windowManager");
    QTest::addColumn<int>("monitors"); // two: the main window moved to the second first
    const QString openbox = QStringLiteral("openbox");
    QTest::newRow("bare display") << QString() << 1;
    QTest::newRow("openbox") << openbox << 1;
    QTest::newRow("two monitors") << QString() << 2;
    QTest::newRow("two monitors, openbox") << openbox << 2;
    for (const QString &manager : moreWindowManagers({openbox})) {
        QTest::newRow(qPrintable(manager)) << manager << 1;
        QTest::addRow("two monitors, %s", qPrintable(manager)) << manager << 2;
    }
}

void tst_e2e::aboutCentredWithItsFrame()
{
    QFETCH(QString, windowManager);
    QFETCH(int, monitors);
    START_MONITORS(monitors, windowManager);
    START_WINDOW_MANAGER(windowManager);
    QProcess *program = nullptr;
    quint32 mainWindow = 0;
    const int monitor = monitors - 1;
    startMainWindow(program, mainWindow, monitor);
    if (QTest::currentTestFailed())
        return;
    for (int showing = 0; showing < 2; ++showing) {
        QVERIFY(x->keys(mainWindow, {QStringLiteral("alt+h"), QStringLiteral("a")}));
        quint32 about = 0;
        QTRY_VERIFY_WITH_TIMEOUT((about = x->window(QStringLiteral("About Vexmora"))) != 0, WindowTimeout);
        QTRY_VERIFY(centred(about, monitor));
        if (!windowManager.isEmpty() && showing == 0)
            QVERIFY(staysUnmaximised(about));
        QVERIFY(x->keys(about, {QStringLiteral("Escape")}));
        QTRY_COMPARE(titles(), QStringList{MainTitle});
    }
}

void tst_e2e::screenReaderReadsAndPresses_data()
{
    // What a screen reader finds in each window, as "role<TAB>name" of the objects it may show,
    // and what it must not find showing; then the link it presses and the page that opens.
    QTest::addColumn<QString>("window"); // "main", "exit" or "about"
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notShown");
    QTest::addColumn<QString>("focused"); // none: not looked at
    QTest::addColumn<QString>("link"); // none: nothing pressed
    QTest::addColumn<QString>("page");
    // Keys for the main window before the tree is read: typed first, then pressed while the
    // events that make a screen reader speak beside the focus are listened for, which must
    // include those heard ("notification<TAB>name", "caret<TAB>role<TAB>line" or
    // "focus<TAB>role<TAB>name<TAB>description").
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("pressed");
    QTest::addColumn<QStringList>("heard");
    const QString site = QUrl(QStringLiteral(VEXMORA_SITE)).host();
    const QString fullBrand = QStringLiteral(
        "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
        "fully branded for your website. Click here for more details.");
    QTest::newRow("main window")
        << "main"
        << QStringList{"frame\tVexmora v1.15", "text\tEnter Name", "text\tEnter Age", "combo box\tSelect Gender",
                       "push button\tTake The Masculine Feminine Test", "panel\t", "menu bar\t"}
        << QStringList{"frame\t"} << QString() << fullBrand << "fully-branded" << QStringList() << QStringList()
        << QStringList();
    QTest::newRow("exit screen")
        << "exit"
        << QStringList{"frame\tVexmora", "push button\tExit", "link\tVisit " + site + " Now",
                       "text\tYour Name", "text\tYour Email Address", "text\tFriend's Name",
                       "text\tFriend's Email Address", "push button\tRefer A Friend Now",
                       "link\tClick Here To Visit Quillmoor Softwares"}
        << QStringList{"text\tYour Message"} << "push button\tExit"
        << "Click Here To Visit Quillmoor Softwares" << "quillmoorsoftwares" << QStringList() << QStringList()
        << QStringList();
    QTest::newRow("About window")
        << "about"
        << QStringList{"dialog\tAbout Vexmora", "push button\tOK",
                       QStringLiteral("link\tClick here to visit " VEXMORA_SITE), "link\tClick here for more details"}
        << QStringList() << QString() << "Click here for more details" << "fully-branded" << QStringList()
        << QStringList() << QStringList();

    // The details filled in; then the quiz answered with the first option throughout.
    const QStringList details{"a", "n", "n", "Tab", "3", "0", "Tab", "Tab"};
    const QStringList started = details + QStringList{"space", "Tab"};
    QStringList lastQuestion = started;
    for (int next = 1; next < modMaleFemaleTest::QuestionCount; ++next)
        lastQuestion << "space";
    modMaleFemaleTest::LoadQuestions();
    const auto question = [](int position) {
        return QStringLiteral("notification\tQuestion %1 of 20. %2 %3 or %4.")
            .arg(position + 1)
            .arg(modMaleFemaleTest::strQuestion[position], modMaleFemaleTest::strOption1[position],
                 modMaleFemaleTest::strOption2[position]);
    };
    qint16 score = 0;
    for (int position = 0; position < modMaleFemaleTest::QuestionCount; ++position)
        score = modMaleFemaleTest::addAnswer(score, position, true);
    const qint16 percent = *modMaleFemaleTest::percentFor(score);
    const modMaleFemaleTest::Verdict verdict = modMaleFemaleTest::verdictFor(percent);
    const QString percentages = modMaleFemaleTest::percentagesLine(percent);
    QTest::newRow("gender box, Down")
        << "main" << QStringList{"combo box\tSelect Gender"} << QStringList() << "combo box\tSelect Gender"
        << QString() << QString() << QStringList{"Tab", "Tab"} << QStringList{"Down"}
        << QStringList{"caret\tcombo box\tFemale"};
    QTest::newRow("gender box, Up")
        << "main" << QStringList{"combo box\tSelect Gender"} << QStringList() << "combo box\tSelect Gender"
        << QString() << QString() << QStringList{"Tab", "Tab", "Down"} << QStringList{"Up"}
        << QStringList{"caret\tcombo box\tMale"};
    QTest::newRow("test started")
        << "main" << QStringList{"label\tQuestion 1 of 20", "radio button\t" + modMaleFemaleTest::strOption2[0]}
        << QStringList{"text\tEnter Name"} << "radio button\t" + modMaleFemaleTest::strOption1[0] << QString()
        << QString() << details << QStringList{"space"} << QStringList{question(0)};
    QTest::newRow("Next")
        << "main" << QStringList{"label\tQuestion 2 of 20", "menu bar\t"}
        << QStringList{"label\tQuestion 1 of 20"} << "push button\tNext" << QString() << QString() << started
        << QStringList{"space"} << QStringList{question(1)};
    QTest::newRow("result")
        << "main"
        << QStringList{"label\tAfter having taken this test, you will understand how your brain things. Here are "
                       "the results of your test:",
                       "label\t" + percentages, "label\t" + verdict.title, "menu bar\t"}
        << QStringList{"label\tQuestion 20 of 20", "push button\tNext"} << "push button\tBack To Main" << QString()
        << QString() << lastQuestion << QStringList{"space"}
        << QStringList{"focus\tpush button\tBack To Main\t" + percentages + ". " + verdict.title + ". "
                       + verdict.paragraph};
}

void tst_e2e::screenReaderReadsAndPresses()
{
    QFETCH(QString, window);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);
    QFETCH(QString, focused);
    QFETCH(QString, link);
    QFETCH(QString, page);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, pressed);
    QFETCH(QStringList, heard);
    if (!x->startAccessibility())
        QSKIP(qPrintable(QStringLiteral("AT-SPI cannot run here: ") + x->error()));
    const bool exitScreen = window == QLatin1String("exit");
    QProcess *program = nullptr;
    quint32 shownWindow = 0;
    if (exitScreen)
        closeMainWindowToExitScreen(program, shownWindow);
    else
        startMainWindow(program, shownWindow);
    if (QTest::currentTestFailed())
        return;
    QString title = exitScreen ? ApplicationTitle : MainTitle;
    QStringList windows{title};
    if (window == QLatin1String("about")) {
        title = QStringLiteral("About Vexmora");
        QVERIFY(x->keys(shownWindow, {QStringLiteral("alt+h"), QStringLiteral("a")}));
        QTRY_VERIFY_WITH_TIMEOUT(x->window(title) != 0, WindowTimeout);
        windows = QStringList{title, MainTitle};
    }
    // One key at a time: Qt takes a release and a press of one key at the same instant for the
    // key held down, and a button ignores a held-down Space.
    for (const QString &key : typed)
        QVERIFY(x->keys(shownWindow, {key}));
    if (!pressed.isEmpty()) {
        const std::optional<QByteArray> events = x->atspi(QStringList{QStringLiteral("listen"), title} + pressed);
        QVERIFY(events);
        const QStringList lines = QString::fromUtf8(*events).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : heard)
            QVERIFY2(lines.contains(line), qPrintable(line + QStringLiteral(" was not heard in:\n") + lines.join('\n')));
    }

    QStringList showing;
    QStringList links;
    QString hasFocus;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            const std::optional<QByteArray> tree = x->atspi({QStringLiteral("tree"), title});
            if (!tree)
                return false;
            showing.clear();
            links.clear();
            hasFocus.clear();
            for (const QString &line : QString::fromUtf8(*tree).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                // showing, focused, role, name, actions
                const QStringList fields = line.split(QLatin1Char('\t'));
                if (fields.size() != 5 || fields[0] != QLatin1String("1"))
                    continue;
                const QString object = fields[2] + QLatin1Char('\t') + fields[3];
                showing << object;
                if (fields[1] == QLatin1String("1"))
                    hasFocus = object;
                if (fields[2] == QLatin1String("link"))
                    links << fields[3] + QStringLiteral(" [") + fields[4] + QLatin1Char(']');
            }
            return showing.contains(shown.constFirst()) && (focused.isEmpty() || !hasFocus.isEmpty());
        }(),
        WindowTimeout);
    for (const QString &object : shown)
        QVERIFY2(showing.contains(object), qPrintable(object + QStringLiteral(" is missing from:\n") + showing.join('\n')));
    for (const QString &object : notShown)
        QVERIFY2(!showing.contains(object), qPrintable(object));
    // Without a window manager nothing activates the main window; the exit screen activates
    // itself, with the focus on "E&xit".
    if (!focused.isEmpty())
        QCOMPARE(hasFocus, focused);
    if (link.isEmpty())
        return;
    // Every link can be pressed; of the two offers of the main window only the one in front
    // is there.
    QCOMPARE(links.size(), 2);
    for (const QString &each : links)
        QVERIFY2(each.endsWith(QStringLiteral(" [Press]")), qPrintable(each));

    // The offer in front was drawn at start: press whichever it is.
    if (window == QLatin1String("main") && !links.join('\n').contains(link)) {
        link = QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
                              "your site's name &  link here. See \"Help\" for details.    Click Here for more info "
                              "on co-branding.");
        page = QStringLiteral("co-brand");
    }
    QVERIFY(x->atspi({QStringLiteral("press"), title, link}));
    QTRY_COMPARE(x->openedAddresses(), QStringList{pageAddress(page)});
    QCOMPARE(titles(), windows);
}

int main(int argc, char *argv[])
{
    // The test draws its reference text off screen, whatever display its caller has; only the
    // program under test meets an X display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_e2e test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_e2e.moc"
