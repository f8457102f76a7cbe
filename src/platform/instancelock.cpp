#include "platform/instancelock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

bool takeInstanceLock(QLockFile &lock)
{
    // A lock never goes stale by age: a program left running for days is still running.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return true;
    if (lock.error() != QLockFile::LockFailedError)
        return true; // no indicator can be kept (unwritable folder): let this copy run
    // Qt judges staleness by the process id written in the file. After kill -9 that id may
    // already belong to another process (sandboxes reuse ids at once), so ask the operating
    // system's own lock, which dies with its holder and can never be taken from a live one.
    lock.removeStaleLockFile();
    return lock.tryLock(0);
}

QString instanceLockPath(const QString &programName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + programName + QStringLiteral(".lock");
}
