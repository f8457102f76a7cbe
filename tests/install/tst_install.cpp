// What `cmake --install` puts where Linux desktops look for it: the program on the PATH, its menu
// entry, the icon that entry names, the software centres' metainfo and the manual page. Installs
// the build into a temporary prefix once.

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
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
    void metainfo_data();
    void metainfo();
    void metainfoValidates();
    void pngIconSizes_data();
    void pngIconSizes();
    void scalableIconIsSvg();

private:
    QString installed(const QString &relative) const { return prefix.filePath(relative); }

    QTemporaryDir prefix;
    QMap<QString, QString> entry; // the keys of the group [Desktop Entry]
    QMap<QString, QString> metainfoValues; // element path, with "@attribute" for an attribute
};

namespace {
// Software centres and Wayland compositors find the entry and the metainfo by this id.
const QString AppId = QStringLiteral("example.quillmoor.vexmora");
const QString DesktopFile = QStringLiteral("share/applications/%1.desktop").arg(AppId);
const QString MetainfoFile = QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId);
const QString Program = QStringLiteral(VEXMORA_INSTALL_BINDIR "/vexmora");
const int IconSizes[] = {32, 48, 64, 128, 256};

QString pngIcon(int size, const QString &name = QStringLiteral("vexmora"))
{
    return QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(name);
}

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

// The text of every element and the value of every attribute of an XML file, by path:
// "component/id", "component/releases/release@version"; the first of equal paths wins.
QMap<QString, QString> readXml(const QString &path)
{
    QMap<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    QXmlStreamReader xml(&file);
    QStringList elements;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isStartElement()) {
            elements << xml.name().toString();
            const QString element = elements.join(QLatin1Char('/'));
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                values.insert(element + QLatin1Char('@') + attribute.name().toString(), attribute.value().toString());
        } else if (xml.isEndElement()) {
            elements.removeLast();
        } else if (xml.isCharacters() && !xml.isWhitespace() && !values.contains(elements.join(QLatin1Char('/')))) {
            values.insert(elements.join(QLatin1Char('/')), xml.text().toString().trimmed());
        }
    }
    if (xml.hasError())
        values.insert(QStringLiteral("error"), xml.errorString());
    return values;
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
    metainfoValues = readXml(installed(MetainfoFile));
}

void tst_Install::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << Program << true;
    QTest::newRow("menu entry") << DesktopFile << false;
    QTest::newRow("metainfo") << MetainfoFile << false;
    QTest::newRow("manual page") << "share/man/man6/vexmora.6" << false;
    for (const int size : IconSizes)
        QTest::addRow("icon %d", size) << pngIcon(size) << false;
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
    // The window's X class, which is the program's name: desktops match the window to the entry.
    QTest::newRow("window class") << "StartupWMClass" << "vexmora";
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
    QVERIFY(QFileInfo::exists(installed(QStringLiteral(VEXMORA_INSTALL_BINDIR "/") + entry.value(QStringLiteral("Exec")))));
    const QString icon = entry.value(QStringLiteral("Icon"));
    QVERIFY(!icon.isEmpty());
    for (const int size : IconSizes)
        QVERIFY2(QFileInfo::exists(installed(pngIcon(size, icon))), qPrintable(pngIcon(size, icon)));
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

void tst_Install::metainfo_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    QTest::newRow("id") << "component/id" << AppId;
    QTest::newRow("kind") << "component@type" << "desktop-application";
    QTest::newRow("launchable") << "component/launchable" << DesktopFile.section(QLatin1Char('/'), -1);
    QTest::newRow("name") << "component/name" << "Vexmora";
    QTest::newRow("binary") << "component/provides/binary" << "vexmora";
    QTest::newRow("site") << "component/url" << VEXMORA_SITE;
    QTest::newRow("release") << "component/releases/release@version" << "1.15";
    QTest::newRow("rating") << "component/content_rating@type" << "oars-1.1";
}

void tst_Install::metainfo()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    QVERIFY2(!metainfoValues.contains(QStringLiteral("error")), qPrintable(metainfoValues.value("error")));
    QCOMPARE(metainfoValues.value(path), value);
}

void tst_Install::metainfoValidates()
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (validator.isEmpty())
        QSKIP("appstreamcli is not installed (scripts/install-deps installs appstream)");
    // The whole tree, so that the desktop entry the metainfo launches must be there too. Without
    // the network: the site's default host is a reserved name that never answers.
    QProcess validate;
    validate.start(validator, {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), prefix.path()});
    QVERIFY(validate.waitForFinished(30000));
    const QString said = QString::fromLocal8Bit(validate.readAllStandardOutput() + validate.readAllStandardError());
    QVERIFY2(validate.exitStatus() == QProcess::NormalExit && validate.exitCode() == 0, qPrintable(said));
    // Errors fail it; warnings do not, but a software centre may drop what they point at.
    QVERIFY2(!said.contains(QRegularExpression(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption)),
             qPrintable(said));
}

void tst_Install::pngIconSizes_data()
{
    QTest::addColumn<int>("size");
    for (const int size : IconSizes)
        QTest::addRow("%d", size) << size;
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
