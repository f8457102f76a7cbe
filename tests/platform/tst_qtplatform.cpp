#include "platform/qtplatform.h"
#include "app/updatereminder.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <QDir>

#include <csignal>
#include <memory>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

class tst_QtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void settingRoundTrip();
    void unwritableStoreReportsFailure();
    void failedWriteKeepsTheStore_data();
    void failedWriteKeepsTheStore();
    void reminderDateIsStoredAsIsoText();
    void randomStaysBelowOne();
    void programNameIsTheFileName();

private:
    std::unique_ptr<QTemporaryDir> dir; // a fresh store for each test
};

void tst_QtPlatform::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir->path());
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
    // A file where the store's folder should be: no user, root included, can write there.
    QFile blocker(dir->filePath(QStringLiteral("Quillmoor")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtPlatform qt;
    QVERIFY(!qt.saveSetting(QStringLiteral("Duration"), QStringLiteral("2026-12-07")));
    QCOMPARE(qt.setting(QStringLiteral("Duration")), QString());
}

void tst_QtPlatform::failedWriteKeepsTheStore_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("file size limit 0 (ulimit -f 0)") << "limit";
    QTest::newRow("full file system") << "full";
}

// A disk that fails in the middle of a save: the date saved before must survive whole.
void tst_QtPlatform::failedWriteKeepsTheStore()
{
    QFETCH(QString, fault);
    QVERIFY(QtPlatform().saveSetting(QStringLiteral("Duration"), QStringLiteral("2026-11-01")));
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

void tst_QtPlatform::programNameIsTheFileName()
{
    QCOMPARE(QtPlatform::programName(), QStringLiteral("tst_qtplatform"));
}

QTEST_GUILESS_MAIN(tst_QtPlatform)
#include "tst_qtplatform.moc"
