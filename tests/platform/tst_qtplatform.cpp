#include "platform/qtplatform.h"
#include "app/updatereminder.h"
#include "platform/windowsystem.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <QDir>

#include <memory>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <aclapi.h>
#endif

namespace {

#ifdef Q_OS_WIN
const QString StoreKey = QStringLiteral("Software\\Quillmoor\\tst_qtplatform");
#endif

// On Windows the store is the registry, which QSettings::setPath does not move: each test starts
// from, and leaves behind, no key of this program.
void removeRegistryStore()
{
#ifdef Q_OS_WIN
    RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t *>(StoreKey.utf16()));
#endif
}

#ifdef Q_OS_WIN
// Gives a key of the user's an access list that lets everyone read it and nobody change it, or
// gives it back the list it inherits. The owner may always set a key's list, so the lock can be
// undone.
bool lockKey(const QString &path, bool locked)
{
    HKEY key = nullptr;
    const auto *name = reinterpret_cast<const wchar_t *>(path.utf16());
    const LONG opened = locked ? RegCreateKeyExW(HKEY_CURRENT_USER, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &key, nullptr)
                               : RegOpenKeyExW(HKEY_CURRENT_USER, name, 0, WRITE_DAC, &key);
    if (opened != ERROR_SUCCESS)
        return false;
    wchar_t everyone[] = L"EVERYONE";
    EXPLICIT_ACCESSW readOnly{};
    readOnly.grfAccessPermissions = KEY_READ;
    readOnly.grfAccessMode = SET_ACCESS;
    readOnly.grfInheritance = NO_INHERITANCE;
    readOnly.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    readOnly.Trustee.ptstrName = everyone;
    PACL acl = nullptr;
    bool done = false;
    if (!locked)
        done = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION,
                               nullptr, nullptr, nullptr, nullptr)
               == ERROR_SUCCESS;
    else if (SetEntriesInAclW(1, &readOnly, nullptr, &acl) == ERROR_SUCCESS)
        done = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                               nullptr, nullptr, acl, nullptr)
               == ERROR_SUCCESS;
    LocalFree(acl);
    RegCloseKey(key);
    return done;
}
#endif

// Makes the store unwritable the way each system allows: a file where the store's folder should
// be (no user, root included, can write there), or on Windows the program's key and its section
// readable only, as an administrator or a policy may lock a user's key.
bool blockStore(const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return lockKey(StoreKey + QStringLiteral("\\Settings"), true) && lockKey(StoreKey, true);
#else
    QFile blocker(folder + QStringLiteral("/Quillmoor"));
    return blocker.open(QIODevice::WriteOnly);
#endif
}

void unblockStore()
{
#ifdef Q_OS_WIN
    lockKey(StoreKey, false);
    lockKey(StoreKey + QStringLiteral("\\Settings"), false);
    removeRegistryStore();
#endif
}

} // namespace

class tst_QtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void settingRoundTrip();
    void unwritableStoreReportsFailure();
    void failedWriteKeepsTheStore_data();
    void failedWriteKeepsTheStore();
    void reminderDateIsStoredAsIsoText();
    void randomStaysBelowOne();
    void browserTakesWhatTheSystemTakes_data();
    void browserTakesWhatTheSystemTakes();
    void programNameIsTheFileName();
    void windowSystemForSession_data();
    void windowSystemForSession();

private:
    std::unique_ptr<QTemporaryDir> dir; // a fresh store for each test
};

void tst_QtPlatform::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir->path());
    removeRegistryStore();
}

void tst_QtPlatform::cleanup()
{
    unblockStore();
}

void tst_QtPlatform::settingRoundTrip()
{
    QtPlatform qt;
    QCOMPARE(qt.setting(QStringLiteral("Duration")), QString());
    QVERIFY(qt.saveSetting(QStringLiteral("Duration"), QStringLiteral("2026-12-07")));
    QCOMPARE(QtPlatform().setting(QStringLiteral("Duration")), QStringLiteral("2026-12-07"));
    // Stored per program file name, in the section "Settings".
    QSettings direct(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillmoor"),
                     QStringLiteral("tst_qtplatform"));
    QCOMPARE(direct.value(QStringLiteral("Settings/Duration")).toString(), QStringLiteral("2026-12-07"));
}

void tst_QtPlatform::unwritableStoreReportsFailure()
{
    QVERIFY(blockStore(dir->path()));
    QtPlatform qt;
    QVERIFY(!qt.saveSetting(QStringLiteral("Duration"), QStringLiteral("2026-12-07")));
    QCOMPARE(qt.setting(QStringLiteral("Duration")), QString());
}

void tst_QtPlatform::failedWriteKeepsTheStore_data()
{
    QTest::addColumn<QString>("fault");
#ifdef Q_OS_WIN
    QTest::newRow("key made read-only") << "locked";
#else
    QTest::newRow("file size limit 0 (ulimit -f 0)") << "limit";
    QTest::newRow("full file system") << "full";
#endif
}

// A disk that fails in the middle of a save: the date saved before must survive whole.
void tst_QtPlatform::failedWriteKeepsTheStore()
{
    QFETCH(QString, fault);
    QVERIFY(QtPlatform().saveSetting(QStringLiteral("Duration"), QStringLiteral("2026-11-01")));
#ifdef Q_OS_WIN
    QCOMPARE(fault, QStringLiteral("locked"));
    QVERIFY(blockStore(dir->path()));
    QVERIFY(!QtPlatform().saveSetting(QStringLiteral("Duration"), QStringLiteral("2026-12-07")));
    QCOMPARE(QtPlatform().setting(QStringLiteral("Duration")), QStringLiteral("2026-11-01"));
#else
    const QString file = dir->filePath(QStringLiteral("Quillmoor/tst_qtplatform.conf"));
    QFile stored(file);
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray before = stored.readAll();
    stored.close();
    QVERIFY(before.contains("2026-11-01"));

    std::unique_ptr<QTemporaryDir> small;
    rlimit limit{};
    if (fault == QLatin1String("limit")) {
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        rlimit none = limit;
        none.rlim_cur = 0;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &none), 0);
    } else {
        // The store alone on a file system of two pages: Qt's lock file takes the second, and
        // nothing is left for the new file. Needs root, for mount.
        small = std::make_unique<QTemporaryDir>();
        const QByteArray at = QFile::encodeName(small->path());
        if (::geteuid() != 0 || ::mount("tmpfs", at.constData(), "tmpfs", 0, "size=8k") != 0)
            QSKIP("needs root, to mount a small tmpfs");
        QVERIFY(QDir().mkpath(small->filePath(QStringLiteral("Quillmoor"))));
        QVERIFY(QFile::copy(file, small->filePath(QStringLiteral("Quillmoor/tst_qtplatform.conf"))));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, small->path());
    }
    const bool written = QtPlatform().saveSetting(QStringLiteral("Duration"), QStringLiteral("2026-12-07"));
    const QString where = small ? small->filePath(QStringLiteral("Quillmoor/tst_qtplatform.conf")) : file;
    QFile after(where);
    QVERIFY(after.open(QIODevice::ReadOnly));
    const QByteArray content = after.readAll();
    after.close();
    if (small) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir->path());
        ::umount(QFile::encodeName(small->path()).constData());
    } else {
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    QCOMPARE(content, before);
    QVERIFY(!written); // reported, so the reminder can answer as it does for any unwritable store
#endif
}

void tst_QtPlatform::reminderDateIsStoredAsIsoText()
{
    // The user's own date format must not leak into the store: it may change between starts.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QtPlatform qt;
    usePlatform(qt);
    const QDate first = QDate::currentDate();
    CheckUpdateReminder(); // a first start: writes today, asks nothing
    const QDate last = QDate::currentDate(); // the run may straddle midnight
    QLocale::setDefault(before);

    QSettings direct(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillmoor"),
                     QStringLiteral("tst_qtplatform"));
    const QString stored = direct.value(QStringLiteral("Settings/Duration")).toString();
    QVERIFY2(stored == first.toString(QStringLiteral("yyyy-MM-dd"))
                 || stored == last.toString(QStringLiteral("yyyy-MM-dd")),
             qPrintable(stored));
    QCOMPARE(reminderDateFromText(QtPlatform().setting(QStringLiteral("Duration"))).toString(
                 QStringLiteral("yyyy-MM-dd")),
             stored);
}

void tst_QtPlatform::randomStaysBelowOne()
{
    QtPlatform qt;
    qt.seedRandom();
    float low = 1, high = 0;
    for (int i = 0; i < 200000; ++i) {
        const float r = qt.nextRandom();
        QVERIFY(r >= 0.0f && r < 1.0f);
        low = std::min(low, r);
        high = std::max(high, r);
    }
    QVERIFY(low < 0.001f && high > 0.999f);
}

namespace {

const QString RequestPrefix = QStringLiteral("https://www.quillmoor.example/vexmora-test/ssd.php?page=x&taf1=");

QString requestOfSize(int size)
{
    return RequestPrefix + QString(size - RequestPrefix.size(), QLatin1Char('a'));
}

// The longest address the system hands to the browser whole. On Linux the longest argument it
// really passes to a program, found by starting one. On Windows the longest that Wine's shell
// copies whole: scripts/windows-check hands one of this length to the shell from the installed
// program, and one more to be turned away.
int longestHandedOver()
{
#ifdef Q_OS_WIN
    return 971;
#else
    const QString program = QStandardPaths::findExecutable(QStringLiteral("true"));
    int taken = int(RequestPrefix.size()); // an argument of this size starts
    int refused = 4 << 20;                 // and one of this size does not
    if (program.isEmpty() || QProcess::startDetached(program, {requestOfSize(refused)}))
        return -1;
    while (refused - taken > 1) {
        const int middle = (taken + refused) / 2;
        (QProcess::startDetached(program, {requestOfSize(middle)}) ? taken : refused) = middle;
    }
    return taken;
#endif
}

} // namespace

void tst_QtPlatform::browserTakesWhatTheSystemTakes_data()
{
#ifdef Q_OS_MACOS
    QSKIP("Launch Services takes the address itself, of any length");
#endif
    QTest::addColumn<int>("size");     // characters typed
    QTest::addColumn<int>("spaces");   // of them spaces, which go percent-encoded: three each
    QTest::addColumn<bool>("taken");
    const int longest = longestHandedOver();
    QVERIFY(longest > RequestPrefix.size());
    QTest::newRow("the longest") << longest << 0 << true;
    QTest::newRow("one more") << longest + 1 << 0 << false;
    QTest::newRow("the longest once encoded") << longest - 2 << 1 << true;
    QTest::newRow("one more once encoded") << longest - 1 << 1 << false;
#ifdef Q_OS_WIN
    // What Wine's shell lost without a word, crashed on, and Windows' own limit.
    QTest::newRow("985, reached the browser empty") << 985 << 0 << false;
    QTest::newRow("1001, crashed in the shell") << 1001 << 0 << false;
    QTest::newRow("1185, crashed in the shell") << 1185 << 0 << false;
    QTest::newRow("2083, INTERNET_MAX_URL_LENGTH") << 2083 << 0 << false;
#endif
}

void tst_QtPlatform::browserTakesWhatTheSystemTakes()
{
    QFETCH(int, size);
    QFETCH(int, spaces);
    QFETCH(bool, taken);
    const QString address = requestOfSize(size).replace(RequestPrefix.size(), spaces, QString(spaces, u' '));
    QCOMPARE(QtPlatform().browserTakes(address), taken);
}

void tst_QtPlatform::programNameIsTheFileName()
{
    QCOMPARE(QtPlatform::programName(), QStringLiteral("tst_qtplatform"));
}

void tst_QtPlatform::windowSystemForSession_data()
{
    // The environment as NAME=value pairs; the command line after the program's name.
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform"); // empty: Qt's own choice
    const QString none;
    QTest::newRow("X session") << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=x11"} << QStringList() << none;
    QTest::newRow("no display at all") << QStringList() << QStringList() << none;
    QTest::newRow("Wayland with XWayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1", "XDG_SESSION_TYPE=wayland"} << QStringList()
        << "xcb";
    QTest::newRow("Wayland socket only, with XWayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-1", "DISPLAY=:1"} << QStringList() << "xcb";
    QTest::newRow("Wayland session type only, with XWayland")
        << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:1"} << QStringList() << "xcb";
    QTest::newRow("Wayland without XWayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"} << QStringList() << "wayland";
    QTest::newRow("Wayland, DISPLAY empty") << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY="}
                                            << QStringList() << "wayland";
    QTest::newRow("user names wayland in the environment")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1", "QT_QPA_PLATFORM=wayland"} << QStringList()
        << none;
    QTest::newRow("user names a platform with -platform")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"} << QStringList{"-platform", "wayland"} << none;
    QTest::newRow("user names a platform with --platform")
        << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList{"--platform", "offscreen"} << none;
    QTest::newRow("empty QT_QPA_PLATFORM names none")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1", "QT_QPA_PLATFORM="} << QStringList() << "xcb";
    QTest::newRow("a value that reads -platform is no option")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"} << QStringList{"-platformtheme", "x"} << "xcb";
}

void tst_QtPlatform::windowSystemForSession()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QHash<QString, QString> session;
    for (const QString &pair : environment)
        session.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    const auto variable = [&session](const char *name) { return session.value(QString::fromLatin1(name)); };
    const std::optional<QString> chosen = windowSystemFor(variable, QStringList{"vexmora"} + arguments);
    QCOMPARE(chosen.value_or(QString()), platform);
    QCOMPARE(chosen.has_value(), !platform.isEmpty());
}

QTEST_GUILESS_MAIN(tst_QtPlatform)
#include "tst_qtplatform.moc"
