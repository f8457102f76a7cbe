#include "platform/instancelock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

class tst_instanceLock : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void freeIndicatorIsTaken();
    void heldIndicatorIsNotTaken();
    void indicatorHeldByAnotherProcessIsNotTaken();
    void leftoverIndicatorIsTaken_data();
    void leftoverIndicatorIsTaken();
    void unusableFolderLetsTheProgramRun();
    void indicatorIsPerProgramName();

private:
    QString path() const { return dir.filePath(QStringLiteral("vexmora.lock")); }
    QTemporaryDir dir;
};

void tst_instanceLock::init()
{
    QVERIFY(dir.isValid());
    QFile::remove(path());
}

void tst_instanceLock::freeIndicatorIsTaken()
{
    QLockFile lock(path());
    QVERIFY(takeInstanceLock(lock));
    QVERIFY(lock.isLocked());
}

void tst_instanceLock::heldIndicatorIsNotTaken()
{
    QLockFile first(path());
    QVERIFY(takeInstanceLock(first));
    QLockFile second(path());
    QVERIFY(!takeInstanceLock(second));
    QVERIFY(first.isLocked()); // the holder keeps it
    first.unlock();
    QVERIFY(takeInstanceLock(second));
}

// The operating system's lock of a live process decides, whatever the file says.
void tst_instanceLock::indicatorHeldByAnotherProcessIsNotTaken()
{
    if (QStandardPaths::findExecutable(QStringLiteral("flock")).isEmpty())
        QSKIP("needs flock(1) from util-linux");
    QLockFile first(path());
    QVERIFY(takeInstanceLock(first));
    first.unlock();
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("999999\nvexmora\n\n"); // a process id that is not running
    file.close();

    QProcess holder; // flock(1) holds the operating system's lock until it is killed
    holder.start(QStringLiteral("flock"),
                 {QStringLiteral("-o"), path(), QStringLiteral("-c"), QStringLiteral("echo held; sleep 30")});
    QVERIFY(holder.waitForReadyRead(10000));
    QLockFile lock(path());
    QVERIFY(!takeInstanceLock(lock));
    QVERIFY(QFileInfo::exists(path()));
    holder.kill();
    holder.waitForFinished();
    QVERIFY(takeInstanceLock(lock));
}

void tst_instanceLock::leftoverIndicatorIsTaken_data()
{
    QTest::addColumn<QByteArray>("content");
    QProcess gone; // this test program, asked only to list its tests
    gone.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
    QVERIFY(gone.waitForFinished());
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray self = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8();
    QTest::newRow("after kill -9: the process is gone")
        << QByteArray::number(gone.processId()) + "\nvexmora\n" + host + "\n";
    // A sandbox reuses process ids at once: the id now names a live process of the same name.
    QTest::newRow("process id reused by a live process")
        << QByteArray::number(QCoreApplication::applicationPid()) + "\n" + self + "\n" + host + "\n";
    QTest::newRow("empty file") << QByteArray();
}

void tst_instanceLock::leftoverIndicatorIsTaken()
{
    QFETCH(QByteArray, content);
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QLockFile lock(path());
    QVERIFY(takeInstanceLock(lock));
    QVERIFY(lock.isLocked());
    QLockFile second(path());
    QVERIFY(!takeInstanceLock(second));
}

void tst_instanceLock::unusableFolderLetsTheProgramRun()
{
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QLockFile lock(dir.filePath(QStringLiteral("not-a-folder/vexmora.lock")));
    QVERIFY(takeInstanceLock(lock));
}

void tst_instanceLock::indicatorIsPerProgramName()
{
    QVERIFY(instanceLockPath(QStringLiteral("vexmora")).endsWith(QStringLiteral("/vexmora.lock")));
    QVERIFY(instanceLockPath(QStringLiteral("vexmora")) != instanceLockPath(QStringLiteral("vexmora-copy")));
}

QTEST_GUILESS_MAIN(tst_instanceLock)
#include "tst_instancelock.moc"
