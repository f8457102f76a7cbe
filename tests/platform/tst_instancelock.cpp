#include "platform/instancelock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Who owns what another local user leaves behind; only root can make such files.
const uid_t OtherUser = 65534;
} // namespace
#endif

class tst_instanceLock : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void freeIndicatorIsTaken();
    void heldIndicatorIsNotTaken();
    void indicatorIsPerProgramName();
#ifndef Q_OS_WIN
    // On Windows the indicator is a named mutex, which no file or folder can stand in for.
    void indicatorHeldByAnotherProcessIsNotTaken();
    void leftoverIndicatorIsTaken_data();
    void leftoverIndicatorIsTaken();
    void unusableFolderLetsTheProgramRun_data();
    void unusableFolderLetsTheProgramRun();
    void lockFolder_data();
    void lockFolder();
#endif

private:
    QString path() const { return dir->filePath(QStringLiteral("vexmora.lock")); }
    std::unique_ptr<QTemporaryDir> dir;
};

void tst_instanceLock::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QVERIFY(QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void tst_instanceLock::cleanup()
{
    dir.reset();
}

void tst_instanceLock::freeIndicatorIsTaken()
{
    InstanceLock lock(QStringLiteral("vexmora"), dir->path());
    QVERIFY(lock.take());
#ifndef Q_OS_WIN
    QVERIFY(QFileInfo(path()).isFile());
#endif
}

void tst_instanceLock::heldIndicatorIsNotTaken()
{
    auto first = std::make_unique<InstanceLock>(QStringLiteral("vexmora"), dir->path());
    QVERIFY(first->take());
    InstanceLock second(QStringLiteral("vexmora"), dir->path());
    QVERIFY(!second.take());
    QVERIFY(first->take()); // the holder keeps it
    first.reset();          // as when the first copy ends
    QVERIFY(second.take());
}

#ifndef Q_OS_WIN
// The operating system's lock of a live process decides, whatever the file holds.
void tst_instanceLock::indicatorHeldByAnotherProcessIsNotTaken()
{
    if (QStandardPaths::findExecutable(QStringLiteral("flock")).isEmpty())
        QSKIP("needs flock(1) from util-linux");
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QProcess holder; // flock(1) holds the lock until it is killed
    holder.start(QStringLiteral("flock"),
                 {QStringLiteral("-o"), path(), QStringLiteral("-c"), QStringLiteral("echo held; sleep 30")});
    QVERIFY(holder.waitForReadyRead(10000));
    InstanceLock lock(QStringLiteral("vexmora"), dir->path());
    QVERIFY(!lock.take());
    holder.kill(); // as kill -9 of the first copy
    holder.waitForFinished();
    QVERIFY(lock.take());
}

void tst_instanceLock::leftoverIndicatorIsTaken_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("otherUser");
    QTest::addColumn<bool>("link");
    QProcess gone; // this test program, asked only to list its tests
    gone.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
    QVERIFY(gone.waitForFinished());
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray self = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    QTest::newRow("after kill -9: the process is gone")
        << QByteArray::number(gone.processId()) + "\nvexmora\n" + host + "\n" << 0600 << false << false;
    // A sandbox reuses process ids at once: the id now names a live process of the same name.
    QTest::newRow("process id reused by a live process")
        << QByteArray::number(QCoreApplication::applicationPid()) + "\n" + self + "\n" + host + "\n" << 0600
        << false << false;
    QTest::newRow("empty file") << QByteArray() << 0600 << false << false;
    QTest::newRow("own file without rights") << QByteArray() << 0 << false << false;
    QTest::newRow("another user's file") << QByteArray("1\n") << 0600 << true << false;
    QTest::newRow("link to another file") << QByteArray("kept\n") << 0644 << false << true;
}

void tst_instanceLock::leftoverIndicatorIsTaken()
{
    QFETCH(QByteArray, content);
    QFETCH(int, mode);
    QFETCH(bool, otherUser);
    QFETCH(bool, link);
    if (otherUser && ::geteuid() != 0)
        QSKIP("only root can leave a file of another user's here");
    QTemporaryDir elsewhere;
    const QString target = link ? elsewhere.filePath(QStringLiteral("target")) : path();
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), mode_t(mode)), 0);
    if (otherUser)
        QCOMPARE(::chown(QFile::encodeName(target).constData(), OtherUser, OtherUser), 0);
    if (link)
        QVERIFY(QFile::link(target, path()));

    InstanceLock lock(QStringLiteral("vexmora"), dir->path());
    QVERIFY(lock.take());
    InstanceLock second(QStringLiteral("vexmora"), dir->path());
    QVERIFY(!second.take()); // and it really holds
    if (link) {
        QVERIFY(!QFileInfo(path()).isSymLink());
        QVERIFY(QFile(target).open(QIODevice::ReadOnly));
        QCOMPARE(QFile(target).size(), content.size()); // what the link pointed at is untouched
    }
}

void tst_instanceLock::unusableFolderLetsTheProgramRun_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("blocker"); // a file made first, inside the test's folder
    QTest::newRow("no private folder") << QString() << QString();
    QTest::newRow("a file where the folder should be") << "not-a-folder" << "not-a-folder";
    QTest::newRow("a folder where the lock should be") << "" << "vexmora.lock/";
}

void tst_instanceLock::unusableFolderLetsTheProgramRun()
{
    QFETCH(QString, folder);
    QFETCH(QString, blocker);
    if (blocker.endsWith(QLatin1Char('/'))) {
        QVERIFY(QDir(dir->path()).mkdir(blocker.chopped(1)));
    } else if (!blocker.isEmpty()) {
        QFile file(dir->filePath(blocker));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    InstanceLock lock(QStringLiteral("vexmora"), folder.isNull() ? QString() : dir->filePath(folder));
    QVERIFY(lock.take());
}

#endif

void tst_instanceLock::indicatorIsPerProgramName()
{
    InstanceLock lock(QStringLiteral("vexmora"), dir->path());
    QVERIFY(lock.take());
    InstanceLock copy(QStringLiteral("vexmora-copy"), dir->path());
    QVERIFY(copy.take());
    InstanceLock secondCopy(QStringLiteral("vexmora-copy"), dir->path());
    QVERIFY(!secondCopy.take());
#ifndef Q_OS_WIN
    QVERIFY(QFileInfo::exists(dir->filePath(QStringLiteral("vexmora-copy.lock"))));
#endif
}

#ifndef Q_OS_WIN
void tst_instanceLock::lockFolder_data()
{
    QTest::addColumn<QString>("runtime"); // XDG_RUNTIME_DIR: "-" unset, "@" the test's folder
    QTest::addColumn<int>("runtimeMode");
    QTest::addColumn<bool>("otherUser");  // the runtime folder, or the cache's Quillmoor, is another user's
    QTest::addColumn<int>("cacheMode");   // of a Quillmoor folder already in the cache; 0 for none
    QTest::addColumn<QString>("expected"); // "runtime", "cache" or "" for none
    QTest::newRow("runtime folder of ours, 0700") << "@" << 0700 << false << 0 << "runtime";
    QTest::newRow("no runtime folder (sudo -u, cron)") << "-" << 0 << false << 0 << "cache";
    QTest::newRow("runtime folder open to others") << "@" << 0755 << false << 0 << "cache";
    QTest::newRow("runtime folder given relative") << "relative/run" << 0 << false << 0 << "cache";
    QTest::newRow("runtime folder of another user") << "@" << 0700 << true << 0 << "cache";
    QTest::newRow("cache folder of ours, open to others") << "-" << 0 << false << 0755 << "cache";
    QTest::newRow("cache folder of another user") << "-" << 0 << true << 0700 << "";
}

void tst_instanceLock::lockFolder()
{
    QFETCH(QString, runtime);
    QFETCH(int, runtimeMode);
    QFETCH(bool, otherUser);
    QFETCH(int, cacheMode);
    QFETCH(QString, expected);
    if (otherUser && ::geteuid() != 0)
        QSKIP("only root can make a folder of another user's");
    const QString runtimeFolder = dir->filePath(QStringLiteral("run"));
    const QString cache = dir->filePath(QStringLiteral("cache"));
    const QString ownFolder = cache + QStringLiteral("/Quillmoor");
    QVERIFY(QDir().mkpath(runtimeFolder));
    QCOMPARE(::chmod(QFile::encodeName(runtimeFolder).constData(), mode_t(runtimeMode)), 0);
    if (cacheMode) {
        QVERIFY(QDir().mkpath(ownFolder));
        QCOMPARE(::chmod(QFile::encodeName(ownFolder).constData(), mode_t(cacheMode)), 0);
    }
    if (otherUser)
        QCOMPARE(::chown(QFile::encodeName(cacheMode ? ownFolder : runtimeFolder).constData(), OtherUser, OtherUser), 0);
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
    if (runtime == QLatin1String("-"))
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime == QLatin1String("@") ? runtimeFolder : runtime));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
    const QString folder = privateLockFolder();
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("XDG_CACHE_HOME", savedCache);

    QCOMPARE(folder, expected == QLatin1String("runtime") ? runtimeFolder
                     : expected == QLatin1String("cache") ? ownFolder
                                                          : QString());
    if (!folder.isEmpty())
        QVERIFY(isPrivateFolder(folder));
}

#endif

QTEST_GUILESS_MAIN(tst_instanceLock)
#include "tst_instancelock.moc"
