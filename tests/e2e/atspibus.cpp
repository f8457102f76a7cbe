#include "atspibus.h"

#include "childprocess.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtDebug>

#ifndef ATSPI_SCRIPT
#error "ATSPI_SCRIPT must name tests/e2e/atspi.py"
#endif

using namespace childprocess;

AtspiBus::AtspiBus(QProcessEnvironment &environment, const QTemporaryDir &dir)
    : environment(environment), dir(dir)
{
}

AtspiBus::~AtspiBus()
{
    stop();
}

void AtspiBus::stop()
{
    if (listener)
        end(*listener);
    endGroup(sessionBus.get());
}

bool AtspiBus::fail(const QString &reason)
{
    failure = reason;
    return false;
}

bool AtspiBus::startSessionBus()
{
    if (sessionBus)
        return true;
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        return fail(QStringLiteral("no dbus-daemon (Debian: dbus)"));
    sessionBus = std::make_unique<QProcess>();
    sessionBus->setProcessEnvironment(environment);
    sessionBus->setChildProcessModifier(leadGroup);
    sessionBus->setStandardErrorFile(dir.filePath(QStringLiteral("dbus.log")));
    sessionBus->start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                      QStringLiteral("--print-address=1")});
    if (!sessionBus->waitForStarted(ToolTimeout))
        return fail(QStringLiteral("cannot start dbus-daemon: %1").arg(sessionBus->errorString()));
    const QByteArray address = firstLine(*sessionBus);
    if (address.isEmpty())
        return fail(QStringLiteral("dbus-daemon gave no address"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLatin1(address));
    return true;
}

bool AtspiBus::startAccessibility()
{
    if (!QFile::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")))
        return fail(QStringLiteral("no AT-SPI bus launcher (Debian: at-spi2-core)"));
    QProcess check;
    prepare(check, environment);
    check.start(python(), {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    if (!check.waitForFinished(ToolTimeout) || check.exitStatus() != QProcess::NormalExit || check.exitCode() != 0) {
        end(check);
        return fail(QStringLiteral("no pyatspi for %1 (Debian: python3-pyatspi)").arg(python()));
    }
    if (!startSessionBus())
        return false;
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    return true;
}

QString AtspiBus::python()
{
    // Debian's own, which python3-pyatspi serves, before any other on PATH.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                              : QStringLiteral("python3");
}

std::optional<QByteArray> AtspiBus::atspi(const QStringList &arguments)
{
    QProcess process;
    prepare(process, environment);
    process.start(python(), QStringList{QStringLiteral(ATSPI_SCRIPT)} + arguments);
    // The script waits up to ten seconds for the window itself.
    const bool finished = process.waitForFinished(ToolTimeout + 10000);
    const QByteArray output = process.readAllStandardOutput();
    if (!finished) {
        end(process);
        qWarning() << "atspi.py" << arguments << "did not finish";
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning() << "atspi.py" << arguments << "failed:" << process.exitCode() << process.readAllStandardError();
        return std::nullopt;
    }
    return output;
}

bool AtspiBus::listen(const QString &title)
{
    listener = std::make_unique<QProcess>();
    prepare(*listener, environment);
    listener->setProcessChannelMode(QProcess::SeparateChannels);
    listener->start(python(), {QStringLiteral(ATSPI_SCRIPT), QStringLiteral("listen"), title});
    if (!listener->waitForStarted(ToolTimeout))
        return fail(QStringLiteral("cannot start atspi.py: %1").arg(listener->errorString()));
    if (firstLine(*listener) != "listening")
        return fail(QStringLiteral("atspi.py listen did not listen: %1")
                        .arg(QString::fromLocal8Bit(listener->readAllStandardError())));
    return true;
}

QStringList AtspiBus::heard()
{
    if (!listener)
        return {};
    listener->waitForReadyRead(10);
    listened += listener->readAllStandardOutput();
    QStringList lines = QString::fromUtf8(listened).split(QLatin1Char('\n'));
    lines.removeLast(); // a line still being written, or nothing
    return lines;
}
