#pragma once

#include <QByteArray>

class QProcess;
class QProcessEnvironment;

// What the session starts (the display, the window manager, the session bus, the program) is
// its child, and ends with it.
namespace childprocess {

// Long enough for a loaded machine running the tests side by side; a tool that takes longer has
// hung.
constexpr int ToolTimeout = 10000;

// Ends the child with the test process, however the test process ends, so that no display or
// program outlives a crashed or killed test.
void dieWithParent();
// The same, in a process group of its own, which its descendants join: the session bus starts
// the accessibility bus and its registry, which would otherwise outlive the test.
void leadGroup();
void prepare(QProcess &process, const QProcessEnvironment &environment);
void end(QProcess &process);
// A process that leads a group of its own ends with every helper it started.
void endGroup(QProcess *leader);
// What a started server prints first: its display number or its address, ending in a newline.
// Empty when it ends or stays silent.
QByteArray firstLine(QProcess &process);

} // namespace childprocess
