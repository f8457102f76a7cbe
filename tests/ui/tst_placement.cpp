#include "ui/placement.h"

#include <QTest>
#include <QWidget>

class tst_placement : public QObject
{
    Q_OBJECT

private slots:
    void centringFollowsTheFrameUntilTheUserMoves_data();
    void centringFollowsTheFrameUntilTheUserMoves();
    void screenHoldsTheLargerPart_data();
    void screenHoldsTheLargerPart();
    void fixedWindowStaysUnmaximised_data();
    void fixedWindowStaysUnmaximised();
};

void tst_placement::centringFollowsTheFrameUntilTheUserMoves_data()
{
    // A window of 100 x 50 in the free area. Each step is what the window system says, either
    // "look X,Y LEFT,TOP,RIGHT,BOTTOM" (the window's place and its frame now) or "moved X,Y",
    // and what the centring answers: a place to move the window to, or "-".
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("finished");
    const QRect screen(0, 0, 1000, 700);
    // Without a frame the window goes to 450,325; with a title bar of 30, to 450,340.
    QTest::newRow("frame known at once, window in place")
        << screen << QStringList{"look 450,340 0,30,0,0"} << QStringList{"-"} << false;
    QTest::newRow("frame known at once, window placed elsewhere")
        << screen << QStringList{"look 0,0 0,30,0,0", "moved 450,340", "look 450,340 0,30,0,0"}
        << QStringList{"450,340", "-", "-"} << false;
    QTest::newRow("frame published after the window is shown, the window pushed down for it")
        << screen
        << QStringList{"look 450,325 0,0,0,0", "look 450,355 0,30,0,0", "moved 450,355", "moved 450,340",
                       "look 450,340 0,30,0,0"}
        << QStringList{"-", "450,340", "-", "-", "-"} << false;
    QTest::newRow("an older place reported before the move is no move of the user's")
        << screen << QStringList{"look 0,0 0,30,0,0", "moved 20,20", "moved 450,340"}
        << QStringList{"450,340", "-", "-"} << false;
    QTest::newRow("moved by the user, then the frame changes")
        << screen << QStringList{"look 450,340 0,30,0,0", "moved 600,100", "look 600,100 4,24,4,4"}
        << QStringList{"-", "-", "-"} << true;
    QTest::newRow("moved by the user after a move of its own")
        << screen << QStringList{"look 0,0 0,30,0,0", "moved 450,340", "moved 451,340", "look 451,340 0,40,0,0"}
        << QStringList{"450,340", "-", "-", "-"} << true;
    // Borders on every side and a panel of 32 along the top of the screen.
    QTest::newRow("frame on every side, free area below a panel")
        << QRect(0, 32, 1000, 668) << QStringList{"look 0,0 4,24,4,4"} << QStringList{"450,351"} << false;
}

void tst_placement::centringFollowsTheFrameUntilTheUserMoves()
{
    QFETCH(QRect, area);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, answers);
    QFETCH(bool, finished);
    const auto point = [](const QString &text) {
        const QStringList xy = text.split(QLatin1Char(','));
        return QPoint(xy.at(0).toInt(), xy.at(1).toInt());
    };
    CentringDecision centring;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QStringList words = steps.at(i).split(QLatin1Char(' '));
        std::optional<QPoint> answer;
        if (words.at(0) == QLatin1String("moved")) {
            centring.moved(point(words.at(1)));
        } else {
            const QStringList sides = words.at(2).split(QLatin1Char(','));
            answer = centring.next(QRect(point(words.at(1)), QSize(100, 50)),
                                   QMargins(sides.at(0).toInt(), sides.at(1).toInt(), sides.at(2).toInt(),
                                            sides.at(3).toInt()),
                                   area);
        }
        const QString said = answer ? QStringLiteral("%1,%2").arg(answer->x()).arg(answer->y()) : QStringLiteral("-");
        QVERIFY2(said == answers.at(i), qPrintable(QStringLiteral("%1: %2, expected %3").arg(steps.at(i), said, answers.at(i))));
    }
    QCOMPARE(centring.finished(), finished);
}

void tst_placement::screenHoldsTheLargerPart_data()
{
    // A monitor of 1920 x 1200 and one of 1280 x 1024 to its right, tops in line.
    QTest::addColumn<QRect>("window");
    QTest::addColumn<int>("screen"); // -1: none
    QTest::newRow("wholly on the second") << QRect(2300, 278, 563, 362) << 1;
    QTest::newRow("more on the second") << QRect(1700, 100, 563, 362) << 1;
    QTest::newRow("half on each: the first") << QRect(1720, 100, 400, 300) << 0;
    // Its centre, 1950,1100, lies below the second and on neither.
    QTest::newRow("more on the first, centre on neither") << QRect(1700, 900, 500, 400) << 0;
    QTest::newRow("off both") << QRect(3300, 0, 100, 100) << -1;
}

void tst_placement::screenHoldsTheLargerPart()
{
    QFETCH(QRect, window);
    QFETCH(int, screen);
    QCOMPARE(largestOverlap(window, {QRect(0, 0, 1920, 1200), QRect(1920, 0, 1280, 1024)}), screen);
}

void tst_placement::fixedWindowStaysUnmaximised_data()
{
    // What the window system reports when asked (offscreen, as the program would ask it),
    // much as Wayland reports the state its compositor gave the window.
    QTest::addColumn<Qt::WindowStates>("asked");
    QTest::addColumn<Qt::WindowStates>("kept");
    QTest::newRow("maximised") << Qt::WindowStates(Qt::WindowMaximized) << Qt::WindowStates(Qt::WindowNoState);
    QTest::newRow("maximised and active") << (Qt::WindowMaximized | Qt::WindowActive)
                                          << Qt::WindowStates(Qt::WindowActive);
    QTest::newRow("minimised stays minimised") << Qt::WindowStates(Qt::WindowMinimized)
                                               << Qt::WindowStates(Qt::WindowMinimized);
}

void tst_placement::fixedWindowStaysUnmaximised()
{
    QFETCH(Qt::WindowStates, asked);
    QFETCH(Qt::WindowStates, kept);
    QWidget window;
    window.setFixedSize(300, 200);
    keepUnmaximised(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(asked);
    QTRY_COMPARE(window.windowState(), kept);
    QCOMPARE(window.size(), QSize(300, 200));
}

QTEST_MAIN(tst_placement)
#include "tst_placement.moc"
