#pragma once

#include <QString>

class QLockFile;

// Takes the previous-instance indicator: true when this process now holds it, false when a
// live process holds it. A lock left by a process that died is taken over.
bool takeInstanceLock(QLockFile &lock);

// Where the indicator lives: one lock per user and per program file name.
QString instanceLockPath(const QString &programName);
