#include "platform/instancelock.h"

#include <windows.h>

InstanceLock::InstanceLock(const QString &programName)
    : InstanceLock(programName, QString())
{
}

InstanceLock::~InstanceLock()
{
    if (mutex)
        CloseHandle(mutex);
}

bool InstanceLock::take()
{
    if (mutex)
        return true;
    // A named mutex in the log-on session's own namespace: one copy per user session, and
    // Windows closes it with the process.
    const std::wstring name = (QStringLiteral("Local\\") + programName + QStringLiteral(".instance")).toStdWString();
    HANDLE handle = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!handle)
        return true; // the name is taken by another kind of object: no lock can be kept
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return false;
    }
    mutex = handle;
    return true;
}
