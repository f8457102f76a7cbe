#include "platform/windowsystem.h"

std::optional<QString> windowSystemFor(const EnvironmentVariable &environment, const QStringList &arguments)
{
    if (!environment("QT_QPA_PLATFORM").isEmpty())
        return std::nullopt;
    // Qt takes its own options with one dash or two; the first argument is the program.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("-platform") || arguments.at(i) == QLatin1String("--platform"))
            return std::nullopt;
    }
    const bool wayland = !environment("WAYLAND_DISPLAY").isEmpty()
                         || environment("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (!wayland)
        return std::nullopt;
    if (!environment("DISPLAY").isEmpty())
        return QStringLiteral("xcb");
    return QStringLiteral("wayland");
}
