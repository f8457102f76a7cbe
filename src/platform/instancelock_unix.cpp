#include "platform/instancelock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString &programName)
    : InstanceLock(programName, privateLockFolder())
{
}

namespace {

// Read-only is enough for flock(), and a file of ours that lost its write bit still serves.
// No link is followed and a FIFO is never waited on. Anything but a plain file of this user's
// was left by someone else and is not ours to honour.
int openOwnLockFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

InstanceLock::~InstanceLock()
{
    if (file >= 0)
        ::close(file); // drops the lock; the empty file stays for the next start
}

bool InstanceLock::take()
{
    if (file >= 0)
        return true;
    if (folder.isEmpty())
        return true;
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + programName + QStringLiteral(".lock"));
    file = openOwnLockFile(path);
    if (file < 0) {
        // Something else is in the way (another user's file, a link). The folder is ours, so it
        // can go; copies starting together replace it one at a time, under the folder's lock,
        // so that none removes the file another has just made and locked.
        const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0)
            return true;
        ::flock(dir, LOCK_EX);
        file = openOwnLockFile(path);
        if (file < 0) {
            ::unlink(path.constData());
            file = openOwnLockFile(path);
        }
        ::close(dir);
        if (file < 0)
            return true;
    }
    if (::flock(file, LOCK_EX | LOCK_NB) == 0)
        return true;
    const bool heldElsewhere = errno == EWOULDBLOCK;
    ::close(file); // a file system without locks keeps no indicator either
    file = -1;
    return !heldElsewhere;
}

bool isPrivateFolder(const QString &path)
{
    struct stat info;
    return QDir::isAbsolutePath(path) && ::lstat(QFile::encodeName(path).constData(), &info) == 0
           && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 0777) == 0700;
}

QString privateLockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return QString();
    const QString folder = cache + QStringLiteral("/Quillmoor");
    const QByteArray native = QFile::encodeName(folder);
    ::mkdir(native.constData(), 0700);
    // A folder of ours with looser rights is closed up; anybody else's is never used.
    struct stat info;
    if (::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid())
        ::chmod(native.constData(), 0700);
    return isPrivateFolder(folder) ? folder : QString();
}
