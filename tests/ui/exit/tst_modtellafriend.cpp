#include "ui/exit/modtellafriend.h"

#include "support/fakeplatform.h"
#include "web/modhelp.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace modTellAFriend;

class tst_modTellAFriend : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void addressForAnnAndBea();
    void valuesArriveWhole_data();
    void valuesArriveWhole();
    void tooLongForTheBrowser_data();
    void tooLongForTheBrowser();

private:
    FakePlatform fake;
};

void tst_modTellAFriend::init()
{
    fake.addresses.clear();
    fake.messages.clear();
    fake.longestAddress = std::numeric_limits<qsizetype>::max();
    strTafName = QStringLiteral("Ann");
    strTafEmail = QStringLiteral("A");
    strTafMessage = QStringLiteral("Your Message\r\n");
    strTafFriendName = QStringLiteral("Bea");
    strTafFriendEmail = QStringLiteral("B");
}

void tst_modTellAFriend::addressForAnnAndBea()
{
    SendTellAFriend();
    const QString expected = modHelp::WebPageAddress(QStringLiteral("vxms-refer-a-friend"))
                             + QStringLiteral("&taf1=Ann&taf2=A&taf3=Your%20Message%0D%0A&taf4=Bea&taf5=B&taf6=");
    QCOMPARE(fake.addresses, QStringList{strTafUrl});
    QCOMPARE(strTafUrl.left(expected.size()), expected);
    const QString folder = strTafUrl.mid(expected.size());
    QCOMPARE(QUrl::fromPercentEncoding(folder.toLatin1()), modHelp::ProductFolderAddress());
    QVERIFY(!folder.contains(QLatin1Char('&')));
}

void tst_modTellAFriend::valuesArriveWhole_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("a parameter of its own") << "x&taf6=evil";
    QTest::newRow("fragment mark") << "#";
    QTest::newRow("plus, a space to forms") << "+";
    QTest::newRow("percent") << "%";
    QTest::newRow("looks encoded already") << "%41%20";
    QTest::newRow("equals sign") << "a=b";
    QTest::newRow("space inside") << "Ann Lee";
    QTest::newRow("beyond ASCII") << "Zo\u00eb";
    QTest::newRow("chinese") << "\u674e";
    QTest::newRow("line break") << "one\r\ntwo";
}

// Whatever a value holds, the site decodes exactly that value from its own parameter, the
// parameters stay in order, and the browser launch keeps the address as it is.
void tst_modTellAFriend::valuesArriveWhole()
{
    QFETCH(QString, value);
    QStringList sent;
    for (QString *field : {&strTafName, &strTafEmail, &strTafMessage, &strTafFriendName, &strTafFriendEmail})
        sent.append(*field = value + QString::number(sent.size() + 1));
    sent.append(modHelp::ProductFolderAddress());
    SendTellAFriend();
    QCOMPARE(fake.addresses.size(), 1);
    const QString address = fake.addresses[0];

    const QUrl url(address, QUrl::TolerantMode);
    QCOMPARE(url.toString(QUrl::FullyEncoded), address);
    QCOMPARE(url.toEncoded(), address.toLatin1());
    const QUrlQuery query(url);
    QStringList names;
    for (const auto &item : query.queryItems())
        names.append(item.first);
    QCOMPARE(names, QStringList({"page", "taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));
    for (int i = 0; i < sent.size(); ++i)
        QCOMPARE(query.queryItemValue(QStringLiteral("taf%1").arg(i + 1), QUrl::FullyDecoded), sent[i]);
}

void tst_modTellAFriend::tooLongForTheBrowser_data()
{
    QTest::addColumn<int>("spare"); // characters the system would take beyond the address
    QTest::newRow("just fits") << 0;
    QTest::newRow("one too many") << -1;
}

void tst_modTellAFriend::tooLongForTheBrowser()
{
    QFETCH(int, spare);
    SendTellAFriend();
    const QString fits = strTafUrl;
    fake.addresses.clear();
    strTafUrl = QStringLiteral("the last request");
    fake.longestAddress = fits.size() + spare;
    SendTellAFriend();
    if (spare >= 0) {
        QCOMPARE(fake.addresses, QStringList{fits});
        QVERIFY(fake.messages.isEmpty());
        return;
    }
    QVERIFY(fake.addresses.isEmpty());
    QCOMPARE(strTafUrl, QStringLiteral("the last request"));
    QCOMPARE(fake.messages.size(), 1);
    QCOMPARE(fake.messages[0].text, QStringLiteral("Your Entries Are Too Long To Send"));
    QCOMPARE(fake.messages[0].icon, QMessageBox::Critical);
    QCOMPARE(strTafName, QStringLiteral("Ann")); // nothing typed is lost
}

QTEST_GUILESS_MAIN(tst_modTellAFriend)
#include "tst_modtellafriend.moc"
