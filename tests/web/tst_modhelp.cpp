#include "web/modhelp.h"

#include "support/fakeplatform.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

class tst_modHelp : public QObject
{
    Q_OBJECT

private slots:
    void siteIsHttpsWithoutPath();
    void pageAddress_data();
    void pageAddress();
    void productFolderAddress();
    void openWebPageLaunchesOncePerCall();
    void addressReachesBrowserUnchanged();
};

void tst_modHelp::siteIsHttpsWithoutPath()
{
    const QUrl site(modHelp::SiteAddress());
    QVERIFY(site.isValid());
    QCOMPARE(site.scheme(), QStringLiteral("https"));
    QVERIFY(!site.host().isEmpty());
    QCOMPARE(modHelp::SiteName(), site.host());
    QVERIFY(!modHelp::SiteAddress().endsWith(QLatin1Char('/')));
}

void tst_modHelp::pageAddress_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("tail");
    QTest::newRow("home page") << "home-page" << "/vexmora-test/ssd.php?page=home-page";
    QTest::newRow("case kept") << "Help-Web-Page" << "/vexmora-test/ssd.php?page=Help-Web-Page";
    QTest::newRow("no escaping") << "a b%20" << "/vexmora-test/ssd.php?page=a b%20";
    QTest::newRow("empty key") << "" << "/vexmora-test/ssd.php?page=";
}

void tst_modHelp::pageAddress()
{
    QFETCH(QString, key);
    QFETCH(QString, tail);
    QCOMPARE(modHelp::WebPageAddress(key), modHelp::SiteAddress() + tail);
}

void tst_modHelp::productFolderAddress()
{
    QCOMPARE(modHelp::ProductFolderAddress(), modHelp::SiteAddress() + "/vexmora-test/");
}

void tst_modHelp::openWebPageLaunchesOncePerCall()
{
    FakePlatform fake;
    modHelp::OpenWebPage(QStringLiteral("donate"));
    QCOMPARE(fake.addresses, QStringList{modHelp::WebPageAddress("donate")});
    modHelp::OpenWebPage(QStringLiteral("donate"));
    QCOMPARE(fake.addresses.size(), 2);
    QCOMPARE(fake.addresses.at(1), fake.addresses.at(0));
    QVERIFY(fake.messages.isEmpty());
}

void tst_modHelp::addressReachesBrowserUnchanged()
{
    // Characters outside any 8-bit code page arrive as they were given.
    FakePlatform fake;
    const QString address = modHelp::WebPageAddress("x") + QStringLiteral("&taf1=Zo\u00eb%20\u674e");
    modHelp::OpenInBrowser(address);
    QCOMPARE(fake.addresses, QStringList{address});
    const QUrlQuery query(QUrl(address, QUrl::TolerantMode));
    QCOMPARE(query.queryItemValue("taf1", QUrl::FullyDecoded), QStringLiteral("Zo\u00eb \u674e"));
}

QTEST_GUILESS_MAIN(tst_modHelp)
#include "tst_modhelp.moc"
