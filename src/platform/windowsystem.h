#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

// The Qt platform the program asks for, given its environment and its command line, or nothing
// to leave the choice to Qt. The exit screen must stay above every other window, and Wayland
// gives a client no way to ask for that: on a Wayland session with XWayland at hand (DISPLAY
// set) the program runs as an X client, without XWayland it runs on Wayland. A platform the
// user names, in QT_QPA_PLATFORM or with -platform, always wins.
std::optional<QString> windowSystemFor(const QProcessEnvironment &environment, const QStringList &arguments);
