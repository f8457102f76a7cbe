// What `cmake --install` puts where Linux desktops look for it: the program on the PATH, its menu
// entry, and the icon that entry names. Installs the build into a temporary prefix once.

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

class tst_Install : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void desktopEntry_data();
    void desktopEntry();
    void desktopEntryNamesWhatWasInstalled();
    void desktopEntryValidates();
    void pngIconSizes_data();
    void pngIconSizes();
    void scalableIconIsSvg();

private:
    QString installed(const QString &relative) const { return prefix.filePath(relative); }

    QTemporaryDir prefix;
    QMap<QString, QString> entry; // the keys of the group [Desktop Entry]
};

namespace {
const QString DesktopFile = QStringLiteral("share/applications/vexmora.desktop");

// The keys of one group of a desktop entry file; comments and other groups are skipped.
QMap<QString, QString> readGroup(const QString &path, const QString &group)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1Char('[') + group + QLatin1Char(']');
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inGroup && equals > 0)
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}
} // namespace

void tst_Install::initTestCase()
{
    QVERIFY(prefix.isValid());
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DESTDIR")); // would put everything somewhere else
    install.setProcessEnvironment(environment);
    install.start(QStringLiteral(VEXMORA_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(VEXMORA_BUILD_DIR), QStringLiteral("--prefix"),
                   prefix.path()});
    QVERIFY2(install.waitForFinished(120000), "cmake --install did not finish");
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             qPrintable(QString::fromLocal8Bit(install.readAllStandardError())));
    entry = readGroup(installed(DesktopFile), QStringLiteral("Desktop Entry"));
}

void tst_Install::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << "bin/vexmora" << true;
    QTest::newRow("menu entry") << DesktopFile << false;
    QTest::newRow("icon 32") << "share/icons/hicolor/32x32/apps/vexmora.png" << false;
    QTest::newRow("icon 64") << "share/icons/hicolor/64x64/apps/vexmora.png" << false;
    QTest::newRow("icon scalable") << "share/icons/hicolor/scalable/apps/vexmora.svg" << false;
}

void tst_Install::installedFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile(), qPrintable(path + " is missing"));
    QVERIFY(file.size() > 0);
    QCOMPARE(file.isExecutable(), executable);
    QVERIFY(file.permissions() & QFileDevice::ReadOther); // every user starts it and sees it
}

void tst_Install::desktopEntry_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("type") << "Type" << "Application";
    QTest::newRow("name") << "Name" << "Vexmora";
    QTest::newRow("category") << "Categories" << "Game;";
    QTest::newRow("no terminal") << "Terminal" << "false";
}

void tst_Install::desktopEntry()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCOMPARE(entry.value(key), value);
}

void tst_Install::desktopEntryNamesWhatWasInstalled()
{
    QVERIFY(!entry.value(QStringLiteral("Comment")).isEmpty());
    // Exec runs the installed program through the PATH; Icon is looked up by name in the theme.
    QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("vexmora"));
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("bin/") + entry.value(QStringLiteral("Exec")))));
    const QString icon = entry.value(QStringLiteral("Icon"));
    QVERIFY(!icon.isEmpty());
    for (const QString &size : {QStringLiteral("32x32"), QStringLiteral("64x64")})
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/%1/apps/%2.png").arg(size, icon))));
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));
}

void tst_Install::desktopEntryValidates()
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (scripts/install-deps installs desktop-file-utils)");
    QProcess validate;
    validate.start(validator, {installed(DesktopFile)});
    QVERIFY(validate.waitForFinished(30000));
    const QString said = QString::fromLocal8Bit(validate.readAllStandardOutput() + validate.readAllStandardError());
    QVERIFY2(validate.exitCode() == 0, qPrintable(said));
    QVERIFY2(!said.contains(QLatin1String("warning")), qPrintable(said));
}

void tst_Install::pngIconSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32") << 32;
    QTest::newRow("64") << 64;
}

void tst_Install::pngIconSizes()
{
    QFETCH(int, size);
    // A theme trusts the folder name: an image of another size there is drawn blurred or cut.
    const QImage image(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/vexmora.png").arg(size)), "png");
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(size, size));
}

void tst_Install::scalableIconIsSvg()
{
    QFile file(installed(QStringLiteral("share/icons/hicolor/scalable/apps/vexmora.svg")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&file);
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.name(), QLatin1String("svg"));
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
}

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
