#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The Qt platform the program asks for, given its environment and its command line, or nothing
// to leave the choice to Qt. The exit screen must stay above every other window, and Wayland
// gives a client no way to ask for that: on a Wayland session with XWayland at hand (DISPLAY
// set) the program runs as an X client, without XWayland it runs on Wayland. A platform the
// user names, in QT_QPA_PLATFORM or with -platform, always wins.
//
// The environment is asked one variable at a time, empty for one that is not set: the program
// reads the few it needs from its own, and has no use for a copy of all of it.
using EnvironmentVariable = std::function<QString(const char *name)>;
std::optional<QString> windowSystemFor(const EnvironmentVariable &environment, const QStringList &arguments);
