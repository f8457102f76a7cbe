#include "ui/exit/modtellafriend.h"

#include "support/fakeplatform.h"
#include "web/modhelp.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace modTellAFriend;

namespace {
const QString Untouched = QStringLiteral("untouched");

QStringList parameterNames(const QUrlQuery &query)
{
    QStringList names;
    for (const auto &item : query.queryItems())
        names.append(item.first);
    return names;
}
} // namespace

class tst_modTellAFriend : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void checks_data();
    void checks();
    void addressForAnnAndBea();
    void valuesArriveWhole_data();
    void valuesArriveWhole();
    void everyPressSendsAgain();

private:
    FakePlatform *fake = nullptr;
};

void tst_modTellAFriend::init()
{
    fake = new FakePlatform;
    strTafName = QStringLiteral("Ann");
    strTafEmail = QStringLiteral("a@x.org");
    strTafMessage = QStringLiteral("Your Message\r\n");
    strTafFriendName = QStringLiteral("Bea");
    strTafFriendEmail = QStringLiteral("b@y.org");
    strTafUrl = Untouched;
}

void tst_modTellAFriend::cleanup()
{
    delete fake;
}

void tst_modTellAFriend::checks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("refusal"); // empty: the request goes out
    QTest::newRow("all filled in") << "Ann" << "Your Message\r\n" << "Bea" << "";
    QTest::newRow("all three prompts") << "Your Name" << "Your Message" << "Friend's Name"
                                       << "Please Enter Your Name";
    QTest::newRow("no name") << "" << "Hi" << "Bea" << "Please Enter Your Name";
    QTest::newRow("name of other case") << "your name" << "Hi" << "Bea" << "";
    QTest::newRow("message prompt") << "Ann" << "Your Message" << "Friend's Name" << "Please Enter Your Message";
    QTest::newRow("no message") << "Ann" << "" << "Bea" << "Please Enter Your Message";
    QTest::newRow("message of other case") << "Ann" << "YOUR MESSAGE" << "Bea" << "";
    QTest::newRow("friend's name prompt") << "Ann" << "Hi" << "Friend's Name" << "Please Enter Your Friend's Name";
    QTest::newRow("no friend's name") << "Ann" << "Hi" << "" << "Please Enter Your Friend's Name";
    QTest::newRow("a prompt of another box is a name") << "Friend's Name" << "Hi" << "Your Name" << "";
}

void tst_modTellAFriend::checks()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, refusal);
    strTafName = name;
    strTafMessage = message;
    strTafFriendName = friendName;

    SendTellAFriend();

    if (refusal.isEmpty()) {
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(fake->addresses, QStringList{strTafUrl});
        return;
    }
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, refusal);
    QCOMPARE(fake->messages[0].icon, QMessageBox::Critical);
    QCOMPARE(fake->messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(fake->addresses.isEmpty());
    QCOMPARE(strTafUrl, Untouched);
    QCOMPARE(strTafName, name); // the fields keep what the press wrote
}

void tst_modTellAFriend::addressForAnnAndBea()
{
    strTafEmail = QStringLiteral("A");
    strTafFriendEmail = QStringLiteral("B");
    SendTellAFriend();

    const QString expected = modHelp::WebPageAddress(QStringLiteral("vxms-refer-a-friend"))
                             + QStringLiteral("&taf1=Ann&taf2=A&taf3=Your%20Message%0D%0A&taf4=Bea&taf5=B&taf6=");
    QCOMPARE(fake->addresses.size(), 1);
    const QString address = fake->addresses[0];
    QCOMPARE(address, strTafUrl);
    QCOMPARE(address.left(expected.size()), expected);
    const QString folder = address.mid(expected.size());
    QCOMPARE(QUrl::fromPercentEncoding(folder.toLatin1()), modHelp::ProductFolderAddress());
    QVERIFY(!folder.contains(QLatin1Char('&')) && !folder.contains(QLatin1Char('=')));
}

void tst_modTellAFriend::valuesArriveWhole_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("a parameter of its own") << "x&taf6=evil";
    QTest::newRow("fragment mark") << "#";
    QTest::newRow("plus, read as a space by forms") << "+";
    QTest::newRow("percent") << "%";
    QTest::newRow("looks encoded already") << "%41%20";
    QTest::newRow("equals sign") << "a=b";
    QTest::newRow("question mark and slash") << "?a/b";
    QTest::newRow("space inside") << "Ann Lee";
    QTest::newRow("latin letter beyond ASCII") << "Zo\u00eb";
    QTest::newRow("chinese") << "\u674e";
    QTest::newRow("outside the basic plane") << "\U0001F600";
    QTest::newRow("line break") << "one\r\ntwo";
    QTest::newRow("tab") << "a\tb";
}

// Whatever a value holds, the site decodes exactly that value from its own parameter, the six
// parameters stay six and in order, and the browser launch keeps the address as it is.
void tst_modTellAFriend::valuesArriveWhole()
{
    QFETCH(QString, value);
    strTafName = value + QStringLiteral("1");
    strTafEmail = value + QStringLiteral("2");
    strTafMessage = value + QStringLiteral("3");
    strTafFriendName = value + QStringLiteral("4");
    strTafFriendEmail = value + QStringLiteral("5");
    SendTellAFriend();
    QCOMPARE(fake->addresses.size(), 1);
    const QString address = fake->addresses[0];

    for (const QChar c : address)
        QVERIFY2(c.unicode() > 32 && c.unicode() < 127, qPrintable(address));
    const QUrl url(address, QUrl::TolerantMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.toString(QUrl::FullyEncoded), address);
    QCOMPARE(url.toEncoded(), address.toLatin1());
    QVERIFY(url.fragment().isNull());

    const QUrlQuery query(url);
    QCOMPARE(parameterNames(query), QStringList({"page", "taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));
    QCOMPARE(query.queryItemValue("page", QUrl::FullyDecoded), QStringLiteral("vxms-refer-a-friend"));
    const QStringList sent{strTafName, strTafEmail, strTafMessage, strTafFriendName, strTafFriendEmail,
                           modHelp::ProductFolderAddress()};
    for (int i = 0; i < sent.size(); ++i)
        QCOMPARE(query.queryItemValue(QStringLiteral("taf%1").arg(i + 1), QUrl::FullyDecoded), sent[i]);
}

void tst_modTellAFriend::everyPressSendsAgain()
{
    SendTellAFriend();
    SendTellAFriend();
    QCOMPARE(fake->addresses.size(), 2);
    QCOMPARE(fake->addresses[1], fake->addresses[0]);
    QVERIFY(fake->messages.isEmpty());
}

QTEST_GUILESS_MAIN(tst_modTellAFriend)
#include "tst_modtellafriend.moc"
