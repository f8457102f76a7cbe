#pragma once

#include <QString>

// The previous-instance indicator: a lock that the operating system holds for this process and
// drops when the process ends, however it ends, so that nothing left behind can keep the user
// out. Only this user's own processes can hold it.
class InstanceLock
{
public:
    // One lock per program file name. On Unix it is a file in privateLockFolder(), or in the
    // given folder, which must be private to this user; with no folder, no lock can be kept.
    explicit InstanceLock(const QString &programName);
    InstanceLock(const QString &programName, const QString &folder)
        : programName(programName)
        , folder(folder)
    {
    }
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock and holds it until this object goes. False only when a live process holds
    // it; true when this process now holds it, and also when no lock can be kept at all, so
    // that a broken setting never stops the program.
    bool take();

private:
    QString programName;
    QString folder;
#ifdef Q_OS_WIN
    void *mutex = nullptr;
#else
    int file = -1;
#endif
};

#ifndef Q_OS_WIN
// Where the lock lives on Unix: the runtime folder when it is this user's own with mode 0700,
// otherwise a folder of the program's own in the user's cache folder, created private. Never
// the shared temporary folder. Empty when neither can be had safely.
QString privateLockFolder();

// A real folder, not a link, that belongs to this user and that nobody else may enter.
bool isPrivateFolder(const QString &path);
#endif
