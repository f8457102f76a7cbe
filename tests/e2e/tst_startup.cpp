// The program as it starts: the first copy shows its main window and asks nothing, a second copy
// is turned away, neither a killed copy nor a damaged settings store keeps the next one out, and
// the update reminder asks before the main window once it is due.

#include "e2efixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <sys/stat.h>
#include <unistd.h>

class tst_startup : public E2eTest
{
    Q_OBJECT

private slots:
    void firstStartShowsMainWindowAndAsksNothing_data();
    void firstStartShowsMainWindowAndAsksNothing();
    void secondStartIsTurnedAway_data();
    void secondStartIsTurnedAway();
    void startsAgainAfterFirstIsKilled();
    void damagedSettingsStillShowMainWindow_data();
    void damagedSettingsStillShowMainWindow();
    void updateReminderAsksBeforeMainWindow_data();
    void updateReminderAsksBeforeMainWindow();

private:
    // Files of another user (uid 65534), each "VARIABLE/path" in the program's environment; a
    // path that ends in "/" is a folder.
    void leaveOthersFiles(const QStringList &othersFiles);
    // A second copy started, its message shown beside the main window, answered, and the copy
    // ended.
    void turnAwaySecondCopy(bool click);
};

void tst_startup::firstStartShowsMainWindowAndAsksNothing_data()
{
    QTest::addColumn<QString>("windowManager"); // none: a bare display
    QTest::newRow("bare display") << QString();
    for (const QString &manager : moreWindowManagers())
        QTest::newRow(qPrintable(manager)) << manager;
}

void tst_startup::firstStartShowsMainWindowAndAsksNothing()
{
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    START_MAIN_WINDOW(program, window);
    // The window is drawn, so the start-up sequence has mapped whatever it meant to show.
    QCOMPARE(titles(), QStringList{MainTitle});
    QCOMPARE(program->state(), QProcess::Running);
    QVERIFY(x->openedAddresses().isEmpty());
    // Its size is fixed: a minimise button and no maximise button.
    if (!windowManager.isEmpty()) {
        QVERIFY(x->allowedActions(window).contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")));
        QVERIFY(staysUnmaximised(window));
    }
}

void tst_startup::secondStartIsTurnedAway_data()
{
    QTest::addColumn<bool>("click");
    // Files another local user left where a lock once lived: they must keep out no one.
    QTest::addColumn<QStringList>("othersFiles");
    QTest::addColumn<bool>("runtimeFolder");
    QTest::addColumn<QString>("windowManager");
    QTest::newRow("Return") << false << QStringList() << true << QString();
    QTest::newRow("click on OK") << true << QStringList() << true << QString();
    QTest::newRow("no runtime folder, another user's lock and runtime folder in the temp folder")
        << false << QStringList{QStringLiteral("TMPDIR/vexmora.lock"), QStringLiteral("TMPDIR/runtime-root/")}
        << false << QString();
    QTest::newRow("another user's stale lock in the runtime folder")
        << false << QStringList{QStringLiteral("XDG_RUNTIME_DIR/vexmora.lock")} << true << QString();
    for (const QString &manager : moreWindowManagers())
        QTest::addRow("Return, %s", qPrintable(manager)) << false << QStringList() << true << manager;
}

void tst_startup::secondStartIsTurnedAway()
{
    QFETCH(bool, click);
    QFETCH(QStringList, othersFiles);
    QFETCH(bool, runtimeFolder);
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    if (!othersFiles.isEmpty() && ::geteuid() != 0)
        QSKIP("needs root, to leave files of a second user (uid 65534) in this user's way");
    if (!runtimeFolder)
        x->unsetVariable(QStringLiteral("XDG_RUNTIME_DIR")); // as under sudo -u and cron
    leaveOthersFiles(othersFiles);
    if (QTest::currentTestFailed())
        return;
    START_MAIN_WINDOW(first, mainWindow);
    // Whether the keyboard comes back to it after the second copy's message is the window
    // manager's choice (mutter's varies): it is compared with the keyboard, as a click gives it.
    if (!windowManager.isEmpty())
        QVERIFY(x->activate(mainWindow));
    const QRect place = x->geometry(mainWindow);
    const QImage look = x->grab(mainWindow);
    turnAwaySecondCopy(click);
    if (QTest::currentTestFailed())
        return;

    // The server drops a finished client's windows as soon as it notices the client gone.
    QTRY_COMPARE(titles(), QStringList{MainTitle});
    QCOMPARE(x->window(MainTitle), mainWindow);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(x->geometry(mainWindow), place);
    if (!windowManager.isEmpty())
        QVERIFY(x->activate(mainWindow));
    QTRY_COMPARE(x->grab(mainWindow), look);
}

void tst_startup::leaveOthersFiles(const QStringList &othersFiles)
{
    for (const QString &entry : othersFiles) {
        const int slash = int(entry.indexOf(QLatin1Char('/')));
        const QString path = x->variable(entry.left(slash)) + entry.mid(slash);
        if (path.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        const QByteArray native = QFile::encodeName(QDir::cleanPath(path));
        QCOMPARE(::chmod(native.constData(), 0700), 0);
        QCOMPARE(::chown(native.constData(), 65534, 65534), 0);
    }
}

void tst_startup::turnAwaySecondCopy(bool click)
{
    QProcess *second = x->startProgram();
    QVERIFY(second);
    quint32 box = 0;
    QTRY_VERIFY_WITH_TIMEOUT((box = x->window(ApplicationTitle)) != 0, WindowTimeout);
    QCOMPARE(x->windowPid(box), second->processId());
    QTRY_VERIFY(shows(box, QStringLiteral("Application is already running"), messageLook()));
    QCOMPARE(titles(), QStringList({ApplicationTitle, MainTitle}));

    if (click) {
        const std::optional<QRect> ok = findText(x->grab(box), QStringLiteral("OK"), messageLook());
        QVERIFY(ok);
        QVERIFY(x->click(box, ok->center()));
    } else {
        QVERIFY(x->keys(box, {QStringLiteral("Return")}));
    }
    QVERIFY(second->waitForFinished(WindowTimeout));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
}

void tst_startup::startsAgainAfterFirstIsKilled()
{
    START_MAIN_WINDOW(first, window);
    first->kill(); // SIGKILL: the program cannot tidy up after itself
    QVERIFY(first->waitForFinished(WindowTimeout));
    QTRY_VERIFY(titles().isEmpty());

    QProcess *again = nullptr;
    startMainWindow(again, window);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(titles(), QStringList{MainTitle});
}

void tst_startup::damagedSettingsStillShowMainWindow_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("damage");

    QByteArray noise(4096, Qt::Uninitialized);
    QRandomGenerator(1234).fillRange(reinterpret_cast<quint32 *>(noise.data()), int(noise.size() / 4));
    QTest::newRow("random bytes") << noise << QString();
    QTest::newRow("date that is no date") << QByteArray("[Settings]\nDuration=not a date at all\n") << QString();
    QTest::newRow("date out of range") << QByteArray("[Settings]\nDuration=99/99/99999\n") << QString();
    QTest::newRow("stored value of no known type")
        << QByteArray("[Settings]\nDuration=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tNoSuchType\\0\\x1)\n") << QString();
    QTest::newRow("key without section") << QByteArray("Duration=\\x01\\xff\n[Settings\n=\n") << QString();
    // Folders and files where the other belongs defeat writing even for root, who ignores the
    // read-only bits of the last row.
    QTest::newRow("store folder is a file") << QByteArray() << QStringLiteral("folder is a file");
    QTest::newRow("store file is a folder") << QByteArray() << QStringLiteral("file is a folder");
    QTest::newRow("read-only store") << QByteArray("[Settings]\n") << QStringLiteral("read-only");
}

void tst_startup::damagedSettingsStillShowMainWindow()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, damage);
    const QString file = x->settingsFile();
    const QString folder = QFileInfo(file).path();
    if (damage == QLatin1String("folder is a file")) {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    } else if (damage == QLatin1String("file is a folder")) {
        QVERIFY(QDir().mkpath(file));
    } else {
        QVERIFY(QDir().mkpath(folder));
        QFile store(file);
        QVERIFY(store.open(QIODevice::WriteOnly));
        QCOMPARE(store.write(content), content.size());
    }
    if (damage == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }

    START_MAIN_WINDOW(program, window);
    QCOMPARE(titles(), QStringList{MainTitle});
    QCOMPARE(program->state(), QProcess::Running);
}

void tst_startup::updateReminderAsksBeforeMainWindow_data()
{
    // The reminder date is stored by the program itself, on a start with its clock set back.
    QTest::addColumn<int>("daysAgo");
    QTest::addColumn<QStringList>("answer"); // keys; none when no question is due
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("14 days: no question") << 14 << QStringList() << QStringList();
    QTest::newRow("15 days, Yes by Return") << 15 << QStringList{QStringLiteral("Return")}
                                            << QStringList{pageAddress(QStringLiteral("download-web-page"))};
    QTest::newRow("15 days, No by Alt+N") << 15 << QStringList{QStringLiteral("alt+n")} << QStringList();
}

void tst_startup::updateReminderAsksBeforeMainWindow()
{
    QFETCH(int, daysAgo);
    QFETCH(QStringList, answer);
    QFETCH(QStringList, opened);

    // A first start that many days ago stores that day, in whatever form the program keeps it.
    QProcess *earlier = x->startProgramDaysAgo(daysAgo);
    QVERIFY(earlier);
    QTRY_VERIFY_WITH_TIMEOUT(x->window(MainTitle) != 0, WindowTimeout);
    QCOMPARE(titles(), QStringList{MainTitle});
    // The day is stored once the window has drawn its first frame, which on a busy machine may
    // come well after the window is mapped: a copy killed before then stores nothing.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QFile store(x->settingsFile());
            return store.open(QIODevice::ReadOnly) && store.readAll().contains("Duration=");
        }(),
        WindowTimeout);
    earlier->kill();
    QVERIFY(earlier->waitForFinished(WindowTimeout));
    QTRY_VERIFY(titles().isEmpty());

    QProcess *program = x->startProgram();
    QVERIFY(program);
    if (!answer.isEmpty()) {
        quint32 box = 0;
        QTRY_VERIFY_WITH_TIMEOUT((box = x->window(ApplicationTitle)) != 0, WindowTimeout);
        QCOMPARE(x->windowPid(box), program->processId());
        // Two lines: the carriage return between them breaks the line on screen too.
        QTRY_VERIFY(shows(box, QStringLiteral("There maybe an update to this software available"), messageLook()));
        QVERIFY(shows(box, QStringLiteral("Do you want to check for an update?"), messageLook()));
        // The question comes before the main window.
        QCOMPARE(titles(), QStringList{ApplicationTitle});
        QVERIFY(x->keys(box, answer));
    }
    quint32 mainWindow = 0;
    QTRY_VERIFY_WITH_TIMEOUT((mainWindow = x->window(MainTitle)) != 0, WindowTimeout);
    QTRY_VERIFY(shows(mainWindow, QStringLiteral("Enter Name"), labelLook()));
    QCOMPARE(titles(), QStringList{MainTitle});
    QTRY_COMPARE(x->openedAddresses(), opened);
}

int main(int argc, char *argv[])
{
    return runEndToEnd<tst_startup>(argc, argv);
}
#include "tst_startup.moc"
