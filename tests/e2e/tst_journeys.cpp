// The ways through the program a user takes: the whole quiz by keys and clicks, the pages the
// menu and the banner open, a referral sent from the exit screen, and every way out of it.

#include "e2efixture.h"

#include "ui/twips.h"

#include <QProcess>
#include <QUrl>
#include <QUrlQuery>

namespace {

// What the exit screen's referral boxes are given.
struct Referral
{
    QString name;
    QString email;
    QString friendName;
    QString friendEmail;
};

} // namespace

class tst_journeys : public E2eTest
{
    Q_OBJECT

private slots:
    void wholeTestWithKeysAndClicks_data();
    void wholeTestWithKeysAndClicks();
    void menuAndBannerOpenTheirPages_data();
    void menuAndBannerOpenTheirPages();
    void referAFriendSendsWhatWasTyped_data();
    void referAFriendSendsWhatWasTyped();
    void exitScreenEndsProcess_data();
    void exitScreenEndsProcess();

private:
    // Answers the questions from the first on, one character of `answers` each: 1 for the first
    // option, 2 for the second. `panel`: where the main window's panels begin.
    void answerQuestions(quint32 window, QPoint panel, const QString &answers);
    // Fills in the referral and sends it, from the exit screen's opening focus by keys or by
    // clicks on each box.
    void referByKeys(const Referral &referral);
    void referByClicks(quint32 exitScreen, const Referral &referral);
};

void tst_journeys::wholeTestWithKeysAndClicks_data()
{
    // One character per question: 1 for the first option, 2 for the second. The first options
    // of the bank carry 8 masculine answers.
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("percentages");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("first options throughout")
        << "11111111111111111111" << "Your thinking is 40% Masculine and 60% Feminine"
        << "You have Feminine Thinking";
    QTest::newRow("balanced") << "22212111111111111111" << "Your thinking is 50% Masculine and 50% Feminine"
                              << "You have a Balanced Masculine and Feminine Thinking";
    QTest::newRow("one past balanced") << "22212211111111111111" << "Your thinking is 55% Masculine and 45% Feminine"
                                       << "You have Masculine Thinking";
    QTest::newRow("masculine throughout")
        << "21212221212211221221" << "Your thinking is 100% Masculine and 0% Feminine" << "You have Masculine Thinking";
    QTest::newRow("feminine throughout")
        << "12121112121122112112" << "Your thinking is 0% Masculine and 100% Feminine" << "You have Feminine Thinking";
}

void tst_journeys::wholeTestWithKeysAndClicks()
{
    QFETCH(QString, answers);
    QFETCH(QString, percentages);
    QFETCH(QString, verdict);
    START_MAIN_WINDOW(program, window);
    const QPoint panel = panelOrigin(window);
    QVERIFY(panel.y() >= 0);

    // The focus starts in the name; the gender list moves to "Female" with the arrow key.
    QVERIFY(x->type(window, QStringLiteral("Ann")));
    QVERIFY(x->keys(window, {QStringLiteral("Tab"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("Tab"),
                             QStringLiteral("Down"), QStringLiteral("Tab"), QStringLiteral("Return")}));
    QTRY_VERIFY(shows(window, QStringLiteral("Question 1 of 20"), counterLook()));
    answerQuestions(window, panel, answers);
    if (QTest::currentTestFailed())
        return;
    QTRY_VERIFY(shows(window, percentages, percentagesLook()));
    QVERIFY(shows(window, verdict, verdictLook()));
    QCOMPARE(titles(), QStringList{MainTitle});
}

void tst_journeys::answerQuestions(quint32 window, QPoint panel, const QString &answers)
{
    // Option buttons take a click anywhere in their box; this one lands on the circle.
    const QPoint secondOption = panel + twipsRect(3157, 1800, 2100, 250).topLeft() + QPoint(8, 8);
    const QPoint firstOption = panel + twipsRect(3157, 1440, 2100, 250).topLeft() + QPoint(8, 8);
    const QPoint next = panel + centre({7080, 2640, 975, 375});

    // Every way of answering takes turns: the second option by a click on it, or by a click on
    // the first and the arrow key; Next by a click, or from the keyboard with Return or Space.
    // No waiting between answers: the server hands the program every key and click in the
    // order sent, and the panels stay where they are, so each lands where a user's would.
    int secondChoices = 0;
    for (int question = 0; question < answers.size(); ++question) {
        if (answers.at(question) == QLatin1Char('2')) {
            const bool byArrow = secondChoices++ % 2 == 1;
            if (byArrow) {
                QVERIFY(x->click(window, firstOption));
                QVERIFY(x->keys(window, {QStringLiteral("Down")}));
            } else {
                QVERIFY(x->click(window, secondOption));
            }
            const QString press = byArrow ? QStringLiteral("space") : QStringLiteral("Return");
            QVERIFY(x->keys(window, {QStringLiteral("Tab"), press}));
        } else {
            QVERIFY(x->click(window, next));
        }
    }
}

void tst_journeys::menuAndBannerOpenTheirPages_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QRect>("clickOn"); // in twips of the client area, when there are no keys
    QTest::addColumn<QString>("page");
    QTest::newRow("Help, Online Help") << QStringList{QStringLiteral("alt+h"), QStringLiteral("o")} << QRect()
                                       << QStringLiteral("help-web-page");
    QTest::newRow("Help, Visit Us Online") << QStringList{QStringLiteral("alt+h"), QStringLiteral("v")} << QRect()
                                           << QStringLiteral("home-page");
    QTest::newRow("Help, Check for Software Update") << QStringList{QStringLiteral("alt+h"), QStringLiteral("c")}
                                                     << QRect() << QStringLiteral("download-web-page");
    QTest::newRow("Donate") << QStringList{QStringLiteral("alt+d")} << QRect() << QStringLiteral("donate");
    QTest::newRow("forum banner") << QStringList() << QRect(360, 90, 7695, 450) << QStringLiteral("home-page");
}

void tst_journeys::menuAndBannerOpenTheirPages()
{
    QFETCH(QStringList, keys);
    QFETCH(QRect, clickOn);
    QFETCH(QString, page);
    START_MAIN_WINDOW(program, window);
    if (keys.isEmpty()) {
        const QPoint client = clientOrigin(window);
        QVERIFY(client.y() >= 0);
        QVERIFY(x->click(window, client + centre(clickOn)));
    } else {
        QVERIFY(x->keys(window, keys));
    }
    QTRY_COMPARE(x->openedAddresses(), QStringList{pageAddress(page)});
    // The page opens beside the program, which carries on as it was.
    QTRY_COMPARE(titles(), QStringList{MainTitle});
    QVERIFY(shows(window, QStringLiteral("Enter Name"), labelLook()));
}

void tst_journeys::referAFriendSendsWhatWasTyped_data()
{
    QTest::addColumn<bool>("byKeys"); // Tab from the opening focus and Alt+N, else clicks
    QTest::addColumn<QString>("windowManager");
    QTest::newRow("clicks") << false << QString();
    QTest::newRow("keys from the opening focus") << true << QString();
    QTest::newRow("keys from the opening focus, openbox") << true << QStringLiteral("openbox");
}

void tst_journeys::referAFriendSendsWhatWasTyped()
{
    QFETCH(bool, byKeys);
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    CLOSE_MAIN_WINDOW_TO_EXIT_SCREEN(program, exitScreen);

    // Characters that mean something in an address, as a user may well type them.
    const Referral referral{QStringLiteral("Ann & Lee=100%"), QStringLiteral("ann+quiz@example.org"),
                            QStringLiteral("Bob #1 ?"), QStringLiteral("bob@example.net")};
    if (byKeys)
        referByKeys(referral);
    else
        referByClicks(exitScreen, referral);
    if (QTest::currentTestFailed())
        return;

    QTRY_COMPARE(x->openedAddresses().size(), 1);
    const QUrl sent(x->openedAddresses().constFirst());
    QCOMPARE(sent.adjusted(QUrl::RemoveQuery).toString(), QStringLiteral(VEXMORA_SITE "/vexmora-test/ssd.php"));
    const QList<std::pair<QString, QString>> expected{
        {QStringLiteral("page"), QStringLiteral("vxms-refer-a-friend")},
        {QStringLiteral("taf1"), referral.name},
        {QStringLiteral("taf2"), referral.email},
        // The message box is out of sight, so it still holds its opening text.
        {QStringLiteral("taf3"), QStringLiteral("Your Message\r\n")},
        {QStringLiteral("taf4"), referral.friendName},
        {QStringLiteral("taf5"), referral.friendEmail},
        {QStringLiteral("taf6"), QStringLiteral(VEXMORA_SITE "/vexmora-test/")}};
    QCOMPARE(QUrlQuery(sent).queryItems(QUrl::FullyDecoded), expected);
    // The screen stays, on top, for another referral.
    QCOMPARE(titles(), QStringList{ApplicationTitle});
    QCOMPARE(program->state(), QProcess::Running);
}

void tst_journeys::referByKeys(const Referral &referral)
{
    // Straight away, to whichever window has the keyboard: the exit screen, on "E&xit". The
    // tab order runs Exit, the tick box, name, Refer A Friend Now, email, friend's email,
    // friend's name.
    QVERIFY(x->keys(0, {QStringLiteral("Tab"), QStringLiteral("Tab")}));
    QVERIFY(x->type(0, referral.name));
    QVERIFY(x->keys(0, {QStringLiteral("Tab"), QStringLiteral("Tab")}));
    QVERIFY(x->type(0, referral.email));
    QVERIFY(x->keys(0, {QStringLiteral("Tab")}));
    QVERIFY(x->type(0, referral.friendEmail));
    QVERIFY(x->keys(0, {QStringLiteral("Tab")}));
    QVERIFY(x->type(0, referral.friendName));
    QVERIFY(x->keys(0, {QStringLiteral("alt+n")}));
}

void tst_journeys::referByClicks(quint32 exitScreen, const Referral &referral)
{
    // The boxes lie in the frame "Refer A Friend" at 120, 3240; a click empties a box's prompt.
    const QPoint frame = twipsRect(120, 3240, 0, 0).topLeft();
    const struct
    {
        QRect box;
        QString text;
    } entries[] = {{{85, 360, 3375, 285}, referral.name},
                   {{3600, 360, 3375, 285}, referral.email},
                   {{85, 720, 3375, 285}, referral.friendName},
                   {{3600, 720, 3375, 285}, referral.friendEmail}};
    for (const auto &entry : entries) {
        QVERIFY(x->click(exitScreen, frame + centre(entry.box)));
        QVERIFY(x->type(exitScreen, entry.text));
    }
    QVERIFY(x->click(exitScreen, frame + centre({1920, 1080, 3375, 285})));
}

void tst_journeys::exitScreenEndsProcess_data()
{
    // The keys go straight away to whichever window has the keyboard: the exit screen, with the
    // focus on "E&xit".
    QTest::addColumn<QStringList>("keys"); // none: see click
    QTest::addColumn<bool>("click");        // on Exit; neither keys nor click: the close box
    QTest::addColumn<QString>("windowManager");
    const QString openbox = QStringLiteral("openbox");
    for (const QString &manager : {QString(), openbox}) {
        const QString wm = manager.isEmpty() ? QString() : QStringLiteral(", ") + manager;
        QTest::addRow("Exit button%s", qPrintable(wm)) << QStringList() << true << manager;
        QTest::addRow("Alt+X%s", qPrintable(wm)) << QStringList{QStringLiteral("alt+x")} << false << manager;
        QTest::addRow("Return%s", qPrintable(wm)) << QStringList{QStringLiteral("Return")} << false << manager;
        QTest::addRow("space%s", qPrintable(wm)) << QStringList{QStringLiteral("space")} << false << manager;
        QTest::addRow("close box%s", qPrintable(wm)) << QStringList() << false << manager;
    }
    for (const QString &manager : moreWindowManagers({openbox}))
        QTest::addRow("Return, %s", qPrintable(manager)) << QStringList{QStringLiteral("Return")} << false << manager;
}

void tst_journeys::exitScreenEndsProcess()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, click);
    QFETCH(QString, windowManager);
    START_WINDOW_MANAGER(windowManager);
    CLOSE_MAIN_WINDOW_TO_EXIT_SCREEN(program, exitScreen);

    if (click)
        QVERIFY(x->click(exitScreen, centre({6000, 2760, 1245, 375})));
    else if (!keys.isEmpty())
        QVERIFY(x->keys(0, keys));
    else
        QVERIFY(x->close(exitScreen));
    QVERIFY(program->waitForFinished(EndTimeout));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    QTRY_VERIFY(titles().isEmpty());
}

int main(int argc, char *argv[])
{
    return runEndToEnd<tst_journeys>(argc, argv);
}
#include "tst_journeys.moc"
