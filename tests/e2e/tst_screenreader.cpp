// The program as a screen reader meets it through AT-SPI: what it finds in each window, the links
// it presses and the pages they open, and what it hears after the keys of each step of the quiz.

#include "e2efixture.h"

#include <QProcess>
#include <QUrl>

#include <algorithm>
#include <optional>

namespace {

// What a screen reader may show of a window, as "role<TAB>name" of each object; the one of them
// with the focus; and the links, as "name [actions]".
struct Tree
{
    QStringList showing;
    QStringList links;
    QString focus;
};

std::optional<Tree> readTree(XSession &x, const QString &title)
{
    const std::optional<QByteArray> tree = x.atspi({QStringLiteral("tree"), title});
    if (!tree)
        return std::nullopt;
    Tree read;
    for (const QString &line : QString::fromUtf8(*tree).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // showing, focused, role, name, actions
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 5 || fields[0] != QLatin1String("1"))
            continue;
        const QString object = fields[2] + QLatin1Char('\t') + fields[3];
        read.showing << object;
        if (fields[1] == QLatin1String("1"))
            read.focus = object;
        if (fields[2] == QLatin1String("link"))
            read.links << fields[3] + QStringLiteral(" [") + fields[4] + QLatin1Char(']');
    }
    return read;
}

// A window of the program, brought up for the screen reader.
struct Opened
{
    quint32 keysTo = 0;  // the window the keys go to
    QString title;       // the window the screen reader reads
    QStringList windows; // the titles of all the program's windows then
};

} // namespace

// The row's window brought up with AT-SPI running, into `opened`, which it declares; the row is
// skipped where AT-SPI cannot run, and ends here when the window does not come.
#define OPEN_FOR_SCREEN_READER(window, opened) \
    if (!x->startAccessibility()) \
        QSKIP(qPrintable(QStringLiteral("AT-SPI cannot run here: ") + x->error())); \
    Opened opened; \
    openWindow(window, opened); \
    if (QTest::currentTestFailed()) \
        return

class tst_screenreader : public E2eTest
{
    Q_OBJECT

private slots:
    void screenReaderReadsAndPresses_data();
    void screenReaderReadsAndPresses();
    void screenReaderHearsAfterKeys_data();
    void screenReaderHearsAfterKeys();

private:
    // Starts the program and brings up `window`: "main", "exit" or "about".
    void openWindow(const QString &window, Opened &opened);
    // Reads the window's tree until the first of `shown` shows, and something has the focus
    // when `focused` is asked for; then every object of `shown` must show, none of `notShown`,
    // and the focus must be on `focused`, unless that is empty.
    void checkTree(const QString &title, const QStringList &shown, const QStringList &notShown,
                   const QString &focused, Tree &tree);
};

void tst_screenreader::screenReaderReadsAndPresses_data()
{
    // What a screen reader finds in each window, as "role<TAB>name" of the objects it may show,
    // and what it must not find showing; then the link it presses and the page that opens.
    QTest::addColumn<QString>("window"); // "main", "exit" or "about"
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notShown");
    QTest::addColumn<QString>("focused"); // none: not looked at
    QTest::addColumn<QString>("link"); // none: nothing pressed
    QTest::addColumn<QString>("page");
    const QString site = QUrl(QStringLiteral(VEXMORA_SITE)).host();
    const QString fullBrand = QStringLiteral(
        "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
        "fully branded for your website. Click here for more details.");
    QTest::newRow("main window")
        << "main"
        << QStringList{"frame\tVexmora v1.15", "text\tEnter Name", "text\tEnter Age", "combo box\tSelect Gender",
                       "push button\tTake The Masculine Feminine Test", "panel\t", "menu bar\t"}
        << QStringList{"frame\t"} << QString() << fullBrand << "fully-branded";
    QTest::newRow("exit screen")
        << "exit"
        << QStringList{"frame\tVexmora", "push button\tExit", "link\tVisit " + site + " Now",
                       "text\tYour Name", "text\tYour Email Address", "text\tFriend's Name",
                       "text\tFriend's Email Address", "push button\tRefer A Friend Now",
                       "link\tClick Here To Visit Quillmoor Softwares"}
        << QStringList{"text\tYour Message"} << "push button\tExit"
        << "Click Here To Visit Quillmoor Softwares" << "quillmoorsoftwares";
    QTest::newRow("About window")
        << "about"
        << QStringList{"dialog\tAbout Vexmora", "push button\tOK",
                       QStringLiteral("link\tClick here to visit " VEXMORA_SITE), "link\tClick here for more details"}
        << QStringList() << QString() << "Click here for more details" << "fully-branded";
}

void tst_screenreader::screenReaderReadsAndPresses()
{
    QFETCH(QString, window);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);
    QFETCH(QString, focused);
    QFETCH(QString, link);
    QFETCH(QString, page);
    OPEN_FOR_SCREEN_READER(window, opened);
    Tree tree;
    checkTree(opened.title, shown, notShown, focused, tree);
    if (QTest::currentTestFailed() || link.isEmpty())
        return;
    // Every link can be pressed; of the two offers of the main window only the one in front
    // is there.
    QCOMPARE(tree.links.size(), 2);
    for (const QString &each : tree.links)
        QVERIFY2(each.endsWith(QStringLiteral(" [Press]")), qPrintable(each));

    // The offer in front was drawn at start: press whichever it is.
    if (window == QLatin1String("main") && !tree.links.join('\n').contains(link)) {
        link = QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
                              "your site's name &  link here. See \"Help\" for details.    Click Here for more info "
                              "on co-branding.");
        page = QStringLiteral("co-brand");
    }
    QVERIFY(x->atspi({QStringLiteral("press"), opened.title, link}));
    QTRY_COMPARE(x->openedAddresses(), QStringList{pageAddress(page)});
    QCOMPARE(titles(), opened.windows);
}

void tst_screenreader::screenReaderHearsAfterKeys_data()
{
    // Keys for the window before the tree is read: typed first, then pressed while the events
    // that make a screen reader speak beside the focus are listened for, which must include
    // those heard ("notification<TAB>name", "caret<TAB>role<TAB>line" or
    // "focus<TAB>role<TAB>name<TAB>description"; lines apart, any one of them); then what the
    // tree shows, as above. The exit screen is the one the keys open from the main window.
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("pressed");
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notShown");
    QTest::addColumn<QString>("focused");

    // The details filled in; then the quiz answered with the first option throughout.
    const QStringList details{"a", "n", "n", "Tab", "3", "0", "Tab", "Tab"};
    const QStringList started = details + QStringList{"space", "Tab"};
    const QStringList lastQuestion = started + QStringList(19, QStringLiteral("space")); // Next on 1 to 19
    QTest::newRow("gender box, Down")
        << "main" << QStringList{"Tab", "Tab"} << QStringList{"Down"} << QStringList{"caret\tcombo box\tFemale"}
        << QStringList{"combo box\tSelect Gender"} << QStringList() << "combo box\tSelect Gender";
    QTest::newRow("gender box, Up")
        << "main" << QStringList{"Tab", "Tab", "Down"} << QStringList{"Up"} << QStringList{"caret\tcombo box\tMale"}
        << QStringList{"combo box\tSelect Gender"} << QStringList() << "combo box\tSelect Gender";
    QTest::newRow("test started")
        << "main" << details << QStringList{"space"}
        << QStringList{"notification\tQuestion 1 of 20. 1. Do you like being told what to do ? Yes or No."}
        << QStringList{"label\tQuestion 1 of 20", "radio button\tNo"} << QStringList{"text\tEnter Name"}
        << "radio button\tYes";
    QTest::newRow("Next")
        << "main" << started << QStringList{"space"}
        << QStringList{"notification\tQuestion 2 of 20. 2. Would you prefer watching a football match or attending "
                       "an opera ? Football Match or Opera."}
        << QStringList{"label\tQuestion 2 of 20", "menu bar\t"} << QStringList{"label\tQuestion 1 of 20"}
        << "push button\tNext";
    // The exit screen's message is drawn from four at random.
    const QString site = QUrl(QStringLiteral(VEXMORA_SITE)).host();
    const QStringList messages{
        "Please visit " + site + " regularly and support it by taking part in its discussions and other "
                                 "activities. Without your regular visits we cannot support and maintain these programs.",
        "Programs like this one can only be made and kept up with your support. The best way to support us is to "
        "visit " + site + " regularly and take part in the discussions and other activities on the board.",
        site + " is a free online discussion forum. Help it develop and maintain this program: visit it regularly.",
        site + " needs your help! Visiting it regularly and taking part in its discussions and activities helps us "
               "maintain it and develop more programs for you."};
    QTest::newRow("exit screen opening")
        << "exit" << QStringList{"alt+f"} << QStringList{"x"}
        << QStringList{"notification\t" + messages.join("\nnotification\t")} << QStringList{"push button\tExit"}
        << QStringList() << "push button\tExit";
    QTest::newRow("result")
        << "main" << lastQuestion << QStringList{"space"}
        << QStringList{"focus\tpush button\tBack To Main\tYour thinking is 40% Masculine and 60% Feminine. You have "
                       "Feminine Thinking. People with a feminine way of thinking have very good creative and "
                       "artistic talents. You are very intuitive and impulsive. You think from your heart."}
        << QStringList{"label\tAfter having taken this test, you will understand how your brain things. Here are "
                       "the results of your test:",
                       "label\tYour thinking is 40% Masculine and 60% Feminine", "label\tYou have Feminine Thinking",
                       "menu bar\t"}
        << QStringList{"label\tQuestion 20 of 20", "push button\tNext"} << "push button\tBack To Main";
}

void tst_screenreader::screenReaderHearsAfterKeys()
{
    QFETCH(QString, window);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, pressed);
    QFETCH(QStringList, heard);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);
    QFETCH(QString, focused);
    const bool toExitScreen = window == QLatin1String("exit");
    OPEN_FOR_SCREEN_READER(toExitScreen ? QStringLiteral("main") : window, opened);
    // One key at a time: Qt takes a release and a press of one key at the same instant for the
    // key held down, and a button ignores a held-down Space.
    for (const QString &key : typed)
        QVERIFY(x->keys(opened.keysTo, {key}));
    // Then a screen reader listens, and the keys go to whichever window has the keyboard, an
    // open menu's included; until everything is heard that must be.
    QVERIFY2(x->listen(opened.title), qPrintable(x->error()));
    QVERIFY(x->keys(0, pressed));
    QStringList lines;
    const auto allHeard = [&] {
        lines = x->heard();
        return std::all_of(heard.begin(), heard.end(), [&](const QString &either) {
            const QStringList any = either.split(QLatin1Char('\n'));
            return std::any_of(any.begin(), any.end(), [&](const QString &line) { return lines.contains(line); });
        });
    };
    QTRY_VERIFY2_WITH_TIMEOUT(allHeard(),
                              qPrintable(heard.join('\n') + QStringLiteral("\nwas not all heard in:\n")
                                         + lines.join('\n')),
                              WindowTimeout);
    Tree tree;
    checkTree(toExitScreen ? ApplicationTitle : opened.title, shown, notShown, focused, tree);
}

void tst_screenreader::openWindow(const QString &window, Opened &opened)
{
    const bool exitScreen = window == QLatin1String("exit");
    QProcess *program = nullptr;
    if (exitScreen)
        closeMainWindowToExitScreen(program, opened.keysTo);
    else
        startMainWindow(program, opened.keysTo);
    if (QTest::currentTestFailed())
        return;
    opened.title = exitScreen ? ApplicationTitle : MainTitle;
    opened.windows = QStringList{opened.title};
    if (window == QLatin1String("about")) {
        opened.title = QStringLiteral("About Vexmora");
        QVERIFY(x->keys(opened.keysTo, {QStringLiteral("alt+h"), QStringLiteral("a")}));
        QTRY_VERIFY_WITH_TIMEOUT(x->window(opened.title) != 0, WindowTimeout);
        opened.windows = QStringList{opened.title, MainTitle};
    }
}

void tst_screenreader::checkTree(const QString &title, const QStringList &shown, const QStringList &notShown,
                                 const QString &focused, Tree &tree)
{
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            const std::optional<Tree> read = readTree(*x, title);
            if (read)
                tree = *read;
            return read && tree.showing.contains(shown.constFirst()) && (focused.isEmpty() || !tree.focus.isEmpty());
        }(),
        WindowTimeout);
    for (const QString &object : shown)
        QVERIFY2(tree.showing.contains(object),
                 qPrintable(object + QStringLiteral(" is missing from:\n") + tree.showing.join('\n')));
    for (const QString &object : notShown)
        QVERIFY2(!tree.showing.contains(object), qPrintable(object));
    // Without a window manager nothing activates the main window; the exit screen activates
    // itself, with the focus on "E&xit".
    if (!focused.isEmpty())
        QCOMPARE(tree.focus, focused);
}

int main(int argc, char *argv[])
{
    return runEndToEnd<tst_screenreader>(argc, argv);
}
#include "tst_screenreader.moc"
