#include "xsession.h"

#include "childprocess.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtDebug>

#ifndef VEXMORA_PROGRAM
#error "VEXMORA_PROGRAM must name the built program"
#endif

using namespace childprocess;

XSession::XSession() = default;

XSession::~XSession()
{
    display.reset();
    for (auto &program : programs)
        end(*program);
    endGroup(windowManager.get());
    bus.stop();
    if (server && server->state() != QProcess::NotRunning) {
        server->terminate();
        if (!server->waitForFinished(ToolTimeout))
            end(*server);
    }
    // A test may have made folders read-only; the temporary folder goes all the same.
    if (dir.isValid()) {
        QDirIterator folders(dir.path(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                             QDirIterator::Subdirectories);
        while (folders.hasNext()) {
            const QString folder = folders.next();
            QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ReadOwner | QFile::WriteOwner
                                              | QFile::ExeOwner);
        }
    }
}

bool XSession::start(int monitors)
{
    if (!dir.isValid())
        return fail(QStringLiteral("no temporary folder: %1").arg(dir.errorString()));
    if (!makeHome())
        return false;
    const QString authority = dir.filePath(QStringLiteral("Xauthority"));
    if (!writeAuthority(authority))
        return fail(QStringLiteral("cannot write %1").arg(authority));

    // -displayfd picks a free display number and writes it once the server accepts clients, so
    // tests started side by side never race for a number nor wait for a socket to appear.
    server = std::make_unique<QProcess>();
    prepare(*server, environment);
    server->setStandardErrorFile(dir.filePath(QStringLiteral("Xvfb.log")));
    server->start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("%1x%2x24").arg(screenSize().width() * monitors).arg(screenSize().height()), QStringLiteral("-dpi"), QStringLiteral("96"),
                   QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset"),
                   QStringLiteral("-auth"), authority});
    if (!server->waitForStarted(ToolTimeout))
        return fail(QStringLiteral("cannot start Xvfb: %1").arg(server->errorString()));
    const QByteArray number = firstLine(*server);
    if (number.isEmpty()) {
        QFile log(dir.filePath(QStringLiteral("Xvfb.log")));
        log.open(QIODevice::ReadOnly);
        return fail(QStringLiteral("Xvfb gave no display number:\n%1").arg(QString::fromLocal8Bit(log.readAll())));
    }
    environment.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(number));
    display = XConnection::open(environment.value(QStringLiteral("DISPLAY")), cookie);
    if (!display)
        return fail(QStringLiteral("cannot reach the display %1").arg(environment.value(QStringLiteral("DISPLAY"))));
    // The first monitor takes the screen's one output; the others have none, as RandR allows.
    // They last because the server never resets (-noreset): it would forget them when the last
    // client leaves.
    for (int index = 0; monitors > 1 && index < monitors; ++index) {
        const QRect at = monitor(index);
        // Millimetres at 96 dots per inch.
        const QString geometry = QStringLiteral("%1/%2x%3/%4+%5+%6")
                                     .arg(at.width()).arg(at.width() * 254 / 960)
                                     .arg(at.height()).arg(at.height() * 254 / 960)
                                     .arg(at.x()).arg(at.y());
        if (!run(QStringLiteral("xrandr"), {QStringLiteral("--setmonitor"), QStringLiteral("monitor-%1").arg(index),
                                            geometry, index == 0 ? QStringLiteral("screen") : QStringLiteral("none")}))
            return fail(QStringLiteral("cannot make monitor %1 (xrandr: Debian's x11-xserver-utils)").arg(index));
    }
    // The pointer rests in a corner, off every window: on a bare display the keyboard goes to the
    // window under the pointer when no window has been given it, which would hide a window that
    // fails to take the keyboard.
    if (!xdotool({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")}))
        return fail(QStringLiteral("cannot move the pointer"));
    return true;
}

namespace {

struct WindowManager
{
    const char *name;
    const char *package;
    QStringList arguments;
    // The managers of the big desktops keep their settings behind a session bus and stop or
    // stall without one.
    bool sessionBus;
    // The option that has the manager run a command once it has started, as a desktop session
    // starts its programs then; empty for a manager without one.
    QString startupOption = {};
};

// Each as a desktop starts it, less the session manager, which is not running here; xfwm4
// would otherwise try to composite with a GPU that Xvfb does not have.
const WindowManager *knownManager(const QString &name)
{
    static const WindowManager managers[] = {
        // Its debugging output says which windows it took in and when: a failed test keeps it.
        {"openbox", "openbox", {QStringLiteral("--sm-disable"), QStringLiteral("--debug")}, false,
         QStringLiteral("--startup")},
        {"xfwm4", "xfwm4", {QStringLiteral("--sm-client-disable"), QStringLiteral("--compositor=off")}, true},
        {"kwin_x11", "kwin-x11", {}, true},
        {"mutter", "mutter", {QStringLiteral("--x11"), QStringLiteral("--sm-disable")}, true},
        {"metacity", "metacity", {QStringLiteral("--sm-disable")}, true},
        {"marco", "marco", {QStringLiteral("--sm-disable")}, true},
    };
    for (const WindowManager &manager : managers) {
        if (name == QLatin1String(manager.name))
            return &manager;
    }
    return nullptr;
}

} // namespace

bool XSession::startWindowManager(const QString &name)
{
    const WindowManager *manager = knownManager(name);
    if (!manager)
        return fail(QStringLiteral("no window manager called %1 is known here").arg(name));
    if (QStandardPaths::findExecutable(name).isEmpty())
        return fail(QStringLiteral("%1 is not installed (Debian: %2)").arg(name, QLatin1String(manager->package)));
    if (manager->sessionBus && !startSessionBus())
        return false;
    QProcessEnvironment with = environment;
    // Their settings as a new user finds them, and nothing written to disk.
    with.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    const QString log = dir.filePath(name + QStringLiteral(".log"));
    windowManagerLog = log;
    windowManager = std::make_unique<QProcess>();
    windowManager->setProcessEnvironment(with);
    windowManager->setChildProcessModifier(leadGroup); // KWin starts helpers of its own
    windowManager->setStandardOutputFile(log);
    windowManager->setStandardErrorFile(log);
    // openbox announces itself on the root window as it takes the screen, and only then reads its
    // settings and takes in the windows already there; a window mapped in between stays unmapped
    // until some later event reaches it (the request waits in its own queue, which its main loop
    // does not look at). The command it runs when it has started is the moment a session would
    // start its programs.
    QStringList arguments = manager->arguments;
    const QString started = dir.filePath(name + QStringLiteral(".started"));
    if (!manager->startupOption.isEmpty())
        arguments << manager->startupOption << QStringLiteral("touch '%1'").arg(started);
    windowManager->start(name, arguments);
    if (!windowManager->waitForStarted(ToolTimeout))
        return fail(QStringLiteral("cannot start %1: %2").arg(name, windowManager->errorString()));
    // A window manager announces itself on the root window once it manages the screen.
    const QDeadlineTimer deadline(ToolTimeout);
    while (!deadline.hasExpired() && windowManager->state() == QProcess::Running) {
        if ((manager->startupOption.isEmpty() || QFile::exists(started))
            && !display->numbers(display->root(), "_NET_SUPPORTING_WM_CHECK").isEmpty())
            return true;
        windowManager->waitForFinished(20); // notices a manager that gave up
    }
    managerEnded = windowManager->state() == QProcess::NotRunning;
    QFile output(log);
    output.open(QIODevice::ReadOnly);
    return fail(QStringLiteral("%1 %2 before it managed the display: %3")
                    .arg(name, managerEnded ? QStringLiteral("ended") : QStringLiteral("hung"),
                         QString::fromLocal8Bit(output.readAll()).trimmed().split(QLatin1Char('\n')).constLast()));
}

bool XSession::startSessionBus()
{
    return bus.startSessionBus() || fail(bus.error());
}

bool XSession::startAccessibility()
{
    return bus.startAccessibility() || fail(bus.error());
}

std::optional<QByteArray> XSession::atspi(const QStringList &arguments)
{
    return bus.atspi(arguments);
}

bool XSession::listen(const QString &title)
{
    return bus.listen(title) || fail(bus.error());
}

bool XSession::makeHome()
{
    const QString root = dir.path();
    environment.insert(QStringLiteral("HOME"), root + QStringLiteral("/home"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/home/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/home/.local/share"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), root + QStringLiteral("/home/.local/state"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), root + QStringLiteral("/home/.cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
    environment.insert(QStringLiteral("TMPDIR"), root + QStringLiteral("/tmp"));
    for (const char *folder : {"/home/.config", "/home/.local/share", "/home/.local/state", "/home/.cache",
                               "/runtime", "/tmp", "/bin"}) {
        if (!QDir().mkpath(root + QLatin1String(folder)))
            return fail(QStringLiteral("cannot make %1").arg(root + QLatin1String(folder)));
    }
    // Qt refuses a runtime folder that others may enter, and would pick another.
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Qt hands addresses to the first xdg-open on PATH when no desktop is running, as here.
    const QString browser = root + QStringLiteral("/bin/xdg-open");
    QFile script(browser);
    if (!script.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1").arg(browser));
    script.write("#!/bin/sh\n"
                 "# Stands in for the browser: writes down what it was handed, each call ended by a NUL.\n"
                 "printf '%s\\0' \"$*\" >> '" + browserLog().toLocal8Bit() + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser);

    environment.insert(QStringLiteral("PATH"),
                       root + QStringLiteral("/bin:") + qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin")));
    environment.insert(QStringLiteral("XAUTHORITY"), dir.filePath(QStringLiteral("Xauthority")));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // No session bus here; without this, D-Bus would try to launch one bound to the display.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    for (const char *name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "LD_LIBRARY_PATH"}) {
        if (qEnvironmentVariableIsSet(name))
            environment.insert(QLatin1String(name), qEnvironmentVariable(name));
    }
    return true;
}

// One entry of the family "any host" and no display number, so that it serves whichever display
// number the server picks: the format of libXau, every field a 16-bit length and its bytes.
bool XSession::writeAuthority(const QString &path)
{
    cookie = QByteArray(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(cookie.data()), 4);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::BigEndian);
    const QByteArray name("MIT-MAGIC-COOKIE-1");
    out << quint16(0xffff) << quint16(0) << quint16(0) << quint16(name.size());
    out.writeRawData(name.constData(), int(name.size()));
    out << quint16(cookie.size());
    out.writeRawData(cookie.constData(), int(cookie.size()));
    return out.status() == QDataStream::Ok;
}

bool XSession::fail(const QString &reason)
{
    failure = reason;
    return false;
}

QString XSession::home() const
{
    return environment.value(QStringLiteral("HOME"));
}

QString XSession::configHome() const
{
    return environment.value(QStringLiteral("XDG_CONFIG_HOME"));
}

QString XSession::settingsFile() const
{
    return configHome() + QStringLiteral("/Quillmoor/vexmora.conf");
}

QString XSession::browserLog() const
{
    return dir.filePath(QStringLiteral("browser.log"));
}

QProcess *XSession::startProgram()
{
    return launch({QStringLiteral(VEXMORA_PROGRAM)}, environment);
}

QProcess *XSession::startProgramDaysAgo(int days)
{
    // The library itself rather than the faketime command, which would stand between the test
    // and the program: killing it would leave the program running.
    QString library;
    QStringList folders{QStringLiteral("/usr/lib"), QStringLiteral("/usr/local/lib")};
    for (const QString &triplet : QDir(QStringLiteral("/usr/lib")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << QStringLiteral("/usr/lib/") + triplet;
    for (const QString &folder : folders) {
        // The variant for programs with threads, as every Qt program on X is.
        const QString candidate = folder + QStringLiteral("/faketime/libfaketimeMT.so.1");
        if (QFile::exists(candidate)) {
            library = candidate;
            break;
        }
    }
    if (library.isEmpty()) {
        qWarning("no libfaketimeMT.so.1 (Debian: faketime)");
        return nullptr;
    }
    QProcessEnvironment shifted = environment;
    shifted.insert(QStringLiteral("LD_PRELOAD"), library);
    shifted.insert(QStringLiteral("FAKETIME"), QStringLiteral("-%1d").arg(days));
    // AddressSanitizer refuses to run after another preloaded library unless told that it may.
    const QString asan = shifted.value(QStringLiteral("ASAN_OPTIONS"));
    shifted.insert(QStringLiteral("ASAN_OPTIONS"),
                   (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) + QStringLiteral("verify_asan_link_order=0"));
    return launch({QStringLiteral(VEXMORA_PROGRAM)}, shifted);
}

QProcess *XSession::startClient(const QStringList &command)
{
    return launch(command, environment);
}

QProcess *XSession::launch(const QStringList &command, const QProcessEnvironment &with)
{
    auto process = std::make_unique<QProcess>();
    prepare(*process, with);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setWorkingDirectory(home());
    process->start(command.first(), command.mid(1));
    if (!process->waitForStarted(ToolTimeout)) {
        qWarning() << "cannot start" << command << process->errorString();
        return nullptr;
    }
    programs.push_back(std::move(process));
    return programs.back().get();
}

bool XSession::run(const QString &program, const QStringList &arguments, QByteArray *output, bool emptyIsFine)
{
    QProcess process;
    prepare(process, environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(ToolTimeout);
    if (output)
        *output = process.readAllStandardOutput();
    if (!finished) {
        end(process);
        qWarning() << program << arguments << "did not finish";
        return false;
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    // A search that finds nothing ends with 1 and says nothing: not a fault.
    const QByteArray errors = process.readAllStandardError();
    if (emptyIsFine && process.exitCode() == 1 && errors.isEmpty())
        return true;
    qWarning() << program << arguments << "failed:" << process.exitCode() << errors;
    return false;
}

bool XSession::xdotool(const QStringList &arguments, QByteArray *output, bool emptyIsFine)
{
    return run(QStringLiteral("xdotool"), arguments, output, emptyIsFine);
}

QList<XSession::Window> XSession::visibleWindows()
{
    // A window manager's own windows carry titles too ("mutter guard window"); it lists the
    // windows it manages. The client list, not the stacking list: under xfwm4 the stacking list
    // missed the program's windows in every row.
    const bool underManager = windowManager && windowManager->state() == QProcess::Running;
    const QList<quint32> managed = underManager ? display->numbers(display->root(), "_NET_CLIENT_LIST")
                                                : QList<quint32>();
    QList<Window> windows;
    for (const auto &[id, title] : display->titledWindows()) {
        if (!underManager || managed.contains(id))
            windows.append({id, title});
    }
    return windows;
}

quint32 XSession::window(const QString &title)
{
    quint32 found = 0;
    for (const Window &window : visibleWindows()) {
        if (window.title != title)
            continue;
        if (found)
            return 0;
        found = window.id;
    }
    return found;
}

QRect XSession::geometry(quint32 window)
{
    return display->geometry(window);
}

QRect XSession::frameGeometry(quint32 window)
{
    const QRect client = display->geometry(window);
    // Left, right, top, bottom; none without a window manager.
    const QList<quint32> sides = display->numbers(window, "_NET_FRAME_EXTENTS");
    if (client.isNull() || sides.size() != 4)
        return client;
    return client.adjusted(-int(sides[0]), -int(sides[2]), int(sides[1]), int(sides[3]));
}

quint32 XSession::focusedWindow()
{
    return display->focus();
}

qint64 XSession::windowPid(quint32 window)
{
    return display->numbers(window, "_NET_WM_PID").value(0);
}

QStringList XSession::windowState(quint32 window)
{
    return display->atoms(window, "_NET_WM_STATE");
}

QStringList XSession::allowedActions(quint32 window)
{
    return display->atoms(window, "_NET_WM_ALLOWED_ACTIONS");
}

QList<quint32> XSession::stacking()
{
    return display->numbers(display->root(), "_NET_CLIENT_LIST_STACKING");
}

bool XSession::maximise(quint32 window)
{
    return display->maximise(window);
}

bool XSession::keys(quint32 window, const QStringList &keys)
{
    // One xdotool for focus and keys: the keys then reach the server after the focus change.
    const QStringList focus{QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)};
    return xdotool((window ? focus : QStringList()) + QStringList{QStringLiteral("key"), QStringLiteral("--delay"),
                                                                   QStringLiteral("0")}
                   + keys);
}

bool XSession::type(quint32 window, const QString &text)
{
    const QStringList focus{QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)};
    return xdotool((window ? focus : QStringList())
                   + QStringList{QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("0"), text});
}

bool XSession::activate(quint32 window)
{
    return xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)});
}

bool XSession::click(quint32 window, QPoint at)
{
    // No --sync: it waits for the pointer to move, forever when it is already there. Move and
    // click share one connection, so the server takes them in order anyway. "click" would hold
    // the button down for 100 ms.
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window),
                    QString::number(at.x()), QString::number(at.y()), QStringLiteral("mousedown"), QStringLiteral("1"),
                    QStringLiteral("mouseup"), QStringLiteral("1")});
}

bool XSession::move(quint32 window, QPoint to)
{
    // No --sync: it would wait forever for a window that a window manager puts elsewhere.
    return xdotool({QStringLiteral("windowmove"), QString::number(window), QString::number(to.x()),
                    QString::number(to.y())});
}

bool XSession::close(quint32 window)
{
    return display->close(window);
}

QImage XSession::grab(quint32 window)
{
    return display->image(window);
}

QStringList XSession::keepEvidence(const QString &base)
{
    QStringList kept;
    if (!display)
        return kept; // the display never started: the test says why
    const QString picture = base + QStringLiteral(".png");
    if (grab(0).save(picture))
        kept << picture;
    QByteArray text, root;
    run(QStringLiteral("xprop"), {QStringLiteral("-root")}, &root);
    text += "Windows, child under parent:\n" + display->tree(display->root()) + "\nThe root window:\n" + root;
    if (!windowManagerLog.isEmpty()) {
        QFile log(windowManagerLog);
        log.open(QIODevice::ReadOnly);
        text += "\nThe window manager (" + windowManager->program().toLocal8Bit() + ", "
                + (windowManager->state() == QProcess::Running ? "running" : "ended") + "):\n" + log.readAll();
    }
    QFile file(base + QStringLiteral(".txt"));
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size())
        kept << file.fileName();
    return kept;
}

QStringList XSession::openedAddresses() const
{
    QFile log(browserLog());
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList addresses = QString::fromUtf8(log.readAll()).split(QChar(0));
    addresses.removeLast(); // what follows the last NUL: nothing, or a call still writing
    return addresses;
}
