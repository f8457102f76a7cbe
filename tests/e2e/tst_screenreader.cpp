// The program as a screen reader meets it through AT-SPI: what it finds in each window, the links
// it presses and the pages they open, and what it hears after the keys of each step of the quiz.

#include "e2efixture.h"

#include "quiz/modmalefemaletest.h"

#include <QProcess>
#include <QUrl>

class tst_screenreader : public E2eTest
{
    Q_OBJECT

private slots:
    void screenReaderReadsAndPresses_data();
    void screenReaderReadsAndPresses();
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
    // Keys for the main window before the tree is read: typed first, then pressed while the
    // events that make a screen reader speak beside the focus are listened for, which must
    // include those heard ("notification<TAB>name", "caret<TAB>role<TAB>line" or
    // "focus<TAB>role<TAB>name<TAB>description").
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("pressed");
    QTest::addColumn<QStringList>("heard");
    const QString site = QUrl(QStringLiteral(VEXMORA_SITE)).host();
    const QString fullBrand = QStringLiteral(
        "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
        "fully branded for your website. Click here for more details.");
    QTest::newRow("main window")
        << "main"
        << QStringList{"frame\tVexmora v1.15", "text\tEnter Name", "text\tEnter Age", "combo box\tSelect Gender",
                       "push button\tTake The Masculine Feminine Test", "panel\t", "menu bar\t"}
        << QStringList{"frame\t"} << QString() << fullBrand << "fully-branded" << QStringList() << QStringList()
        << QStringList();
    QTest::newRow("exit screen")
        << "exit"
        << QStringList{"frame\tVexmora", "push button\tExit", "link\tVisit " + site + " Now",
                       "text\tYour Name", "text\tYour Email Address", "text\tFriend's Name",
                       "text\tFriend's Email Address", "push button\tRefer A Friend Now",
                       "link\tClick Here To Visit Quillmoor Softwares"}
        << QStringList{"text\tYour Message"} << "push button\tExit"
        << "Click Here To Visit Quillmoor Softwares" << "quillmoorsoftwares" << QStringList() << QStringList()
        << QStringList();
    QTest::newRow("About window")
        << "about"
        << QStringList{"dialog\tAbout Vexmora", "push button\tOK",
                       QStringLiteral("link\tClick here to visit " VEXMORA_SITE), "link\tClick here for more details"}
        << QStringList() << QString() << "Click here for more details" << "fully-branded" << QStringList()
        << QStringList() << QStringList();

    // The details filled in; then the quiz answered with the first option throughout.
    const QStringList details{"a", "n", "n", "Tab", "3", "0", "Tab", "Tab"};
    const QStringList started = details + QStringList{"space", "Tab"};
    QStringList lastQuestion = started;
    for (int next = 1; next < modMaleFemaleTest::QuestionCount; ++next)
        lastQuestion << "space";
    modMaleFemaleTest::LoadQuestions();
    const auto question = [](int position) {
        return QStringLiteral("notification\tQuestion %1 of 20. %2 %3 or %4.")
            .arg(position + 1)
            .arg(modMaleFemaleTest::strQuestion[position], modMaleFemaleTest::strOption1[position],
                 modMaleFemaleTest::strOption2[position]);
    };
    qint16 score = 0;
    for (int position = 0; position < modMaleFemaleTest::QuestionCount; ++position)
        score = modMaleFemaleTest::addAnswer(score, position, true);
    const qint16 percent = *modMaleFemaleTest::percentFor(score);
    const modMaleFemaleTest::Verdict verdict = modMaleFemaleTest::verdictFor(percent);
    const QString percentages = modMaleFemaleTest::percentagesLine(percent);
    QTest::newRow("gender box, Down")
        << "main" << QStringList{"combo box\tSelect Gender"} << QStringList() << "combo box\tSelect Gender"
        << QString() << QString() << QStringList{"Tab", "Tab"} << QStringList{"Down"}
        << QStringList{"caret\tcombo box\tFemale"};
    QTest::newRow("gender box, Up")
        << "main" << QStringList{"combo box\tSelect Gender"} << QStringList() << "combo box\tSelect Gender"
        << QString() << QString() << QStringList{"Tab", "Tab", "Down"} << QStringList{"Up"}
        << QStringList{"caret\tcombo box\tMale"};
    QTest::newRow("test started")
        << "main" << QStringList{"label\tQuestion 1 of 20", "radio button\t" + modMaleFemaleTest::strOption2[0]}
        << QStringList{"text\tEnter Name"} << "radio button\t" + modMaleFemaleTest::strOption1[0] << QString()
        << QString() << details << QStringList{"space"} << QStringList{question(0)};
    QTest::newRow("Next")
        << "main" << QStringList{"label\tQuestion 2 of 20", "menu bar\t"}
        << QStringList{"label\tQuestion 1 of 20"} << "push button\tNext" << QString() << QString() << started
        << QStringList{"space"} << QStringList{question(1)};
    QTest::newRow("result")
        << "main"
        << QStringList{"label\tAfter having taken this test, you will understand how your brain things. Here are "
                       "the results of your test:",
                       "label\t" + percentages, "label\t" + verdict.title, "menu bar\t"}
        << QStringList{"label\tQuestion 20 of 20", "push button\tNext"} << "push button\tBack To Main" << QString()
        << QString() << lastQuestion << QStringList{"space"}
        << QStringList{"focus\tpush button\tBack To Main\t" + percentages + ". " + verdict.title + ". "
                       + verdict.paragraph};
}

void tst_screenreader::screenReaderReadsAndPresses()
{
    QFETCH(QString, window);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);
    QFETCH(QString, focused);
    QFETCH(QString, link);
    QFETCH(QString, page);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, pressed);
    QFETCH(QStringList, heard);
    if (!x->startAccessibility())
        QSKIP(qPrintable(QStringLiteral("AT-SPI cannot run here: ") + x->error()));
    const bool exitScreen = window == QLatin1String("exit");
    QProcess *program = nullptr;
    quint32 shownWindow = 0;
    if (exitScreen)
        closeMainWindowToExitScreen(program, shownWindow);
    else
        startMainWindow(program, shownWindow);
    if (QTest::currentTestFailed())
        return;
    QString title = exitScreen ? ApplicationTitle : MainTitle;
    QStringList windows{title};
    if (window == QLatin1String("about")) {
        title = QStringLiteral("About Vexmora");
        QVERIFY(x->keys(shownWindow, {QStringLiteral("alt+h"), QStringLiteral("a")}));
        QTRY_VERIFY_WITH_TIMEOUT(x->window(title) != 0, WindowTimeout);
        windows = QStringList{title, MainTitle};
    }
    // One key at a time: Qt takes a release and a press of one key at the same instant for the
    // key held down, and a button ignores a held-down Space.
    for (const QString &key : typed)
        QVERIFY(x->keys(shownWindow, {key}));
    if (!pressed.isEmpty()) {
        const std::optional<QByteArray> events = x->atspi(QStringList{QStringLiteral("listen"), title} + pressed);
        QVERIFY(events);
        const QStringList lines = QString::fromUtf8(*events).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : heard)
            QVERIFY2(lines.contains(line), qPrintable(line + QStringLiteral(" was not heard in:\n") + lines.join('\n')));
    }

    QStringList showing;
    QStringList links;
    QString hasFocus;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            const std::optional<QByteArray> tree = x->atspi({QStringLiteral("tree"), title});
            if (!tree)
                return false;
            showing.clear();
            links.clear();
            hasFocus.clear();
            for (const QString &line : QString::fromUtf8(*tree).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                // showing, focused, role, name, actions
                const QStringList fields = line.split(QLatin1Char('\t'));
                if (fields.size() != 5 || fields[0] != QLatin1String("1"))
                    continue;
                const QString object = fields[2] + QLatin1Char('\t') + fields[3];
                showing << object;
                if (fields[1] == QLatin1String("1"))
                    hasFocus = object;
                if (fields[2] == QLatin1String("link"))
                    links << fields[3] + QStringLiteral(" [") + fields[4] + QLatin1Char(']');
            }
            return showing.contains(shown.constFirst()) && (focused.isEmpty() || !hasFocus.isEmpty());
        }(),
        WindowTimeout);
    for (const QString &object : shown)
        QVERIFY2(showing.contains(object), qPrintable(object + QStringLiteral(" is missing from:\n") + showing.join('\n')));
    for (const QString &object : notShown)
        QVERIFY2(!showing.contains(object), qPrintable(object));
    // Without a window manager nothing activates the main window; the exit screen activates
    // itself, with the focus on "E&xit".
    if (!focused.isEmpty())
        QCOMPARE(hasFocus, focused);
    if (link.isEmpty())
        return;
    // Every link can be pressed; of the two offers of the main window only the one in front
    // is there.
    QCOMPARE(links.size(), 2);
    for (const QString &each : links)
        QVERIFY2(each.endsWith(QStringLiteral(" [Press]")), qPrintable(each));

    // The offer in front was drawn at start: press whichever it is.
    if (window == QLatin1String("main") && !links.join('\n').contains(link)) {
        link = QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
                              "your site's name &  link here. See \"Help\" for details.    Click Here for more info "
                              "on co-branding.");
        page = QStringLiteral("co-brand");
    }
    QVERIFY(x->atspi({QStringLiteral("press"), title, link}));
    QTRY_COMPARE(x->openedAddresses(), QStringList{pageAddress(page)});
    QCOMPARE(titles(), windows);
}

int main(int argc, char *argv[])
{
    return runEndToEnd<tst_screenreader>(argc, argv);
}
#include "tst_screenreader.moc"
