// Where the windows open and how they stay: the exit screen on top, in the middle of the main
// window's monitor, and About centred there with its frame, bare or under a window manager, on
// one monitor or two. The rows that make desktops runs under each window manager are here.

#include "e2efixture.h"

#include <QProcess>

class tst_windowplacement : public E2eTest
{
    Q_OBJECT

private slots:
    void closingMainWindowShowsExitScreenOnTop_data();
    void closingMainWindowShowsExitScreenOnTop();
    void aboutCentredWithItsFrame_data();
    void aboutCentredWithItsFrame();

private:
    // A space typed into the exit screen's e-mail box: its message box comes up on `monitor`
    // and goes with Return.
    void messageBoxOnMonitor(quint32 exitScreen, int monitor);
    // A window raised after the exit screen, as the browser is by the screen's links, stays
    // below it.
    void staysAboveWindowRaisedLater(quint32 exitScreen, int monitor);
};

void tst_windowplacement::closingMainWindowShowsExitScreenOnTop_data()
{
    QTest::addColumn<QStringList>("keys"); // none: the close box
    QTest::addColumn<QString>("windowManager");
    QTest::addColumn<int>("monitors"); // two: the main window moved to the second first
    const QStringList fileExit{QStringLiteral("alt+f"), QStringLiteral("x")};
    const QString openbox = QStringLiteral("openbox");
    QTest::newRow("close box") << QStringList() << QString() << 1;
    QTest::newRow("File, Exit") << fileExit << QString() << 1;
    QTest::newRow("close box, openbox") << QStringList() << openbox << 1;
    QTest::newRow("File, Exit, openbox") << fileExit << openbox << 1;
    QTest::newRow("close box, two monitors") << QStringList() << QString() << 2;
    QTest::newRow("close box, two monitors, openbox") << QStringList() << openbox << 2;
    for (const QString &manager : moreWindowManagers({openbox})) {
        QTest::addRow("close box, %s", qPrintable(manager)) << QStringList() << manager << 1;
        QTest::addRow("close box, two monitors, %s", qPrintable(manager)) << QStringList() << manager << 2;
    }
}

void tst_windowplacement::closingMainWindowShowsExitScreenOnTop()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, windowManager);
    QFETCH(int, monitors);
    START_MONITORS(monitors, windowManager);
    START_WINDOW_MANAGER(windowManager);
    const int monitor = monitors - 1;
    START_MAIN_WINDOW(program, window, monitor);
    QVERIFY(keys.isEmpty() ? x->close(window) : x->keys(window, keys));

    QTRY_COMPARE_WITH_TIMEOUT(titles(), QStringList{ApplicationTitle}, WindowTimeout);
    const quint32 exitScreen = x->window(ApplicationTitle);
    QCOMPARE(x->windowPid(exitScreen), program->processId());
    QVERIFY(x->windowState(exitScreen).contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
    // It comes up with the keyboard, in the middle of the main window's monitor with its frame.
    QTRY_COMPARE(x->focusedWindow(), exitScreen);
    QTRY_VERIFY(centred(exitScreen, monitor));
    // The process lives on with the exit screen: it must not end on its own.
    QVERIFY(!program->waitForFinished(300));
    if (monitor > 0) {
        messageBoxOnMonitor(exitScreen, monitor);
        if (QTest::currentTestFailed())
            return;
    }
    if (windowManager.isEmpty())
        return;
    QVERIFY(staysUnmaximised(exitScreen));
    staysAboveWindowRaisedLater(exitScreen, monitor);
}

void tst_windowplacement::messageBoxOnMonitor(quint32 exitScreen, int monitor)
{
    QVERIFY(x->keys(exitScreen, {QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
                                 QStringLiteral("Tab"), QStringLiteral("space")}));
    const auto messageBox = [&] {
        for (const XSession::Window &shown : x->visibleWindows())
            if (shown.title == ApplicationTitle && shown.id != exitScreen)
                return shown.id;
        return quint32(0);
    };
    quint32 box = 0;
    QTRY_VERIFY_WITH_TIMEOUT((box = messageBox()) != 0, WindowTimeout);
    QTRY_VERIFY(shows(box, QStringLiteral("Email Address Cannot Contain Space"), messageLook()));
    const QRect boxFrame = x->frameGeometry(box);
    QVERIFY2(XSession::monitor(monitor).contains(boxFrame),
             qPrintable(QStringLiteral("the message box at %1,%2").arg(boxFrame.x()).arg(boxFrame.y())));
    QVERIFY(x->keys(box, {QStringLiteral("Return")}));
    QTRY_COMPARE(titles(), QStringList{ApplicationTitle});
}

void tst_windowplacement::staysAboveWindowRaisedLater(quint32 exitScreen, int monitor)
{
    const QString otherTitle = QStringLiteral("Raised after the exit screen");
    const QPoint otherAt = XSession::monitor(monitor).topLeft() + QPoint(212, 184);
    QVERIFY(x->startClient({QStringLiteral("xmessage"), QStringLiteral("-title"), otherTitle, QStringLiteral("-geometry"),
                            QStringLiteral("600x400+%1+%2").arg(otherAt.x()).arg(otherAt.y()), otherTitle}));
    quint32 other = 0;
    QTRY_VERIFY_WITH_TIMEOUT((other = x->window(otherTitle)) != 0, WindowTimeout);
    QVERIFY(x->activate(other));
    QTest::qWait(300); // for the window manager to restack
    const QList<quint32> stack = x->stacking();
    QVERIFY(stack.contains(other));
    QVERIFY2(stack.indexOf(exitScreen) > stack.indexOf(other), qPrintable(QStringLiteral("%1 below %2").arg(exitScreen).arg(other)));
}

void tst_windowplacement::aboutCentredWithItsFrame_data()
{
    QTest::addColumn<QString>("windowManager");
    QTest::addColumn<int>("monitors"); // two: the main window moved to the second first
    const QString openbox = QStringLiteral("openbox");
    QTest::newRow("bare display") << QString() << 1;
    QTest::newRow("openbox") << openbox << 1;
    QTest::newRow("two monitors") << QString() << 2;
    QTest::newRow("two monitors, openbox") << openbox << 2;
    for (const QString &manager : moreWindowManagers({openbox})) {
        QTest::newRow(qPrintable(manager)) << manager << 1;
        QTest::addRow("two monitors, %s", qPrintable(manager)) << manager << 2;
    }
}

void tst_windowplacement::aboutCentredWithItsFrame()
{
    QFETCH(QString, windowManager);
    QFETCH(int, monitors);
    START_MONITORS(monitors, windowManager);
    START_WINDOW_MANAGER(windowManager);
    const int monitor = monitors - 1;
    START_MAIN_WINDOW(program, mainWindow, monitor);
    for (int showing = 0; showing < 2; ++showing) {
        QVERIFY(x->keys(mainWindow, {QStringLiteral("alt+h"), QStringLiteral("a")}));
        quint32 about = 0;
        QTRY_VERIFY_WITH_TIMEOUT((about = x->window(QStringLiteral("About Vexmora"))) != 0, WindowTimeout);
        QTRY_VERIFY(centred(about, monitor));
        if (!windowManager.isEmpty() && showing == 0)
            QVERIFY(staysUnmaximised(about));
        QVERIFY(x->keys(about, {QStringLiteral("Escape")}));
        QTRY_COMPARE(titles(), QStringList{MainTitle});
    }
}

int main(int argc, char *argv[])
{
    return runEndToEnd<tst_windowplacement>(argc, argv);
}
#include "tst_windowplacement.moc"
