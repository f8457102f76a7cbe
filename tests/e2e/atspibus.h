#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QProcess;
class QTemporaryDir;

// A session's own D-Bus session bus, which the window managers of the big desktops need too,
// and the accessibility bus that AT-SPI starts behind it, read as a screen reader reads it. What
// it starts goes into the session's environment, for the programs started afterwards.
class AtspiBus
{
public:
    // The session's environment and its temporary folder, where the bus keeps its log.
    AtspiBus(QProcessEnvironment &environment, const QTemporaryDir &dir);
    ~AtspiBus();
    AtspiBus(const AtspiBus &) = delete;
    AtspiBus &operator=(const AtspiBus &) = delete;

    // Starts the session bus, once; false, with the reason in error(), when it cannot.
    bool startSessionBus();
    // Starts a session bus and has the programs started afterwards put their accessibility tree
    // on it, as with a screen reader running. False, with the reason in error(), when the
    // system lacks what AT-SPI needs (dbus-daemon, at-spi2-core, python3-pyatspi).
    bool startAccessibility();
    // Runs tests/e2e/atspi.py with the arguments; its output, or nothing when it fails.
    std::optional<QByteArray> atspi(const QStringList &arguments);
    // Starts `atspi.py listen` on the program's window `title` and returns once the program sends
    // what it listens for. False, with the reason in error(), when it cannot.
    bool listen(const QString &title);
    // What the listener has heard so far, a line each, oldest first.
    QStringList heard();
    // Ends the bus and every helper it started.
    void stop();
    QString error() const { return failure; }

private:
    bool fail(const QString &reason);
    static QString python();

    QProcessEnvironment &environment;
    const QTemporaryDir &dir;
    std::unique_ptr<QProcess> sessionBus;
    std::unique_ptr<QProcess> listener;
    QByteArray listened;
    QString failure;
};
