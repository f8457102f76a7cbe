#include "platform/qtplatform.h"
#include "app/updatereminder.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_QtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void settingRoundTrip();
    void unwritableStoreReportsFailure();
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
